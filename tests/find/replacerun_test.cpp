// Replacing across the demo adventure on the real service: what is stored,
// what is kept, what is left alone, and the one command that undoes it.
#include "find_fixture.h"

#include "replacerun.h"

#include <map>

using namespace nimbra;

namespace {

const FindQuery kPorta{u8("porta"), Qt::CaseInsensitive};

// The real service with one fault put in.
class FaultyStore final : public ScriptStore {
public:
    enum class Fault { RefusesStore, StoresOtherText, PageGone };
    FaultyStore(ScriptStore &real, Fault fault) : m_real(real), m_fault(fault) {}

    QString fetchScript(const QString &name) override
    {
        return m_fault == Fault::PageGone ? u8("Script não encontrado!!!") : m_real.fetchScript(name);
    }
    QString storeScript(const QString &name, const QString &text) override
    {
        if (m_fault == Fault::RefusesStore)
            return u8("Sem permissão para gravar!!!");
        return m_real.storeScript(name, m_fault == Fault::StoresOtherText ? text + u8("  extra\r\n") : text);
    }

private:
    ScriptStore &m_real;
    Fault m_fault;
};

} // namespace

TEST_F(DemoAdventure, ReplaceStoresTheWrittenTextsAndUndoGivesBackEveryByte)
{
    std::map<QString, QString> before;
    for (const QString &page : m_names)
        before[page] = serviceText(page);
    const SearchResult search = searchPages(fetchPages(m_work.pages, m_names + QStringList{u8("sumida")}), kPorta);
    ASSERT_EQ(search.Unfetched.size(), 1u);
    EXPECT_EQ(search.Unfetched[0].Page, u8("sumida"));
    const ReplacePlan plan = planReplace(search, u8("portão"));
    ASSERT_EQ(plan.writable(), 3) << "inicio, sala and ajuda";

    QStringList told;
    const ReplaceReport report =
        ReplaceRun(m_work.pages, folder(), {}, [&](const PageOutcome &o) { told.append(o.line()); }).replace(plan);
    EXPECT_EQ(report.summary(), u8("Gravadas: 3   Puladas: 0   Com falha: 0"));
    QStringList pages;
    for (const PagePlan &page : plan.Pages)
        pages.append(page.Page);
    EXPECT_EQ(pages, u8Lines({"ajuda", "inicio", "sala"})) << "in the order of the script list";
    EXPECT_EQ(told, u8Lines({"ajuda: gravada", "inicio: gravada", "sala: gravada"}));
    EXPECT_EQ(report.changedPages(), pages);
    for (const PagePlan &page : plan.Pages) {
        SCOPED_TRACE(page.Page.toStdString());
        EXPECT_EQ(serviceText(page.Page), page.NewText);
        EXPECT_EQ(history(page.Page), (QStringList{page.NewText, before[page.Page]}));
    }
    EXPECT_TRUE(serviceText(u8("sala")).contains(u8("  somini= $portão_rangido\r\n")));

    const ReplaceReport undone = ReplaceRun(m_work.pages, folder()).undoLast();
    EXPECT_EQ(undone.summary(), u8("Gravadas: 3   Puladas: 0   Com falha: 0"));
    for (const QString &page : m_names)
        EXPECT_EQ(serviceText(page), before[page]) << page.toStdString();
    const PagePlan &first = plan.Pages.front();
    EXPECT_EQ(history(first.Page), (QStringList{before[first.Page], first.NewText, first.NewText, before[first.Page]}));
    EXPECT_EQ(ReplaceRun(m_work.pages, folder()).undoLast().summary(), kNothingToUndoStatus);
}

TEST_F(DemoAdventure, PagesThatAreNotAsSearchedAreLeftAlone)
{
    PagePlan refused{u8("chave"), m_work.service.fetchScript(u8("chave")), u8("x"), {}, u8("recusada")};
    ReplacePlan plan = planReplace(searchPages(fetchPages(m_work.pages, m_names), kPorta), u8("portão"));
    plan.Pages.push_back(refused);
    const QString changed = serviceText(u8("ajuda")).replace(u8("Toque"), u8("Clique"));
    ASSERT_EQ(m_work.service.storeScript(u8("ajuda"), changed), u8("Ok"));
    const QString sala = serviceText(u8("sala"));

    const auto held = [](const QString &page) { return page == u8("sala"); };
    const ReplaceReport report = ReplaceRun(m_work.pages, folder(), held).replace(plan);
    QStringList lines;
    for (const PageOutcome &o : report.Pages)
        lines.append(o.line());
    EXPECT_EQ(lines, (QStringList{u8("ajuda: ") + kChangedSinceSearchText, u8("inicio: gravada"),
                                  u8("sala: ") + kHeldPageText, u8("chave: recusada")}));
    EXPECT_EQ(report.summary(), u8("Gravadas: 1   Puladas: 3   Com falha: 0"));
    EXPECT_EQ(serviceText(u8("sala")), sala);
    EXPECT_EQ(serviceText(u8("ajuda")), changed);
    EXPECT_TRUE(history(u8("sala")).isEmpty());
    EXPECT_TRUE(history(u8("ajuda")).isEmpty());

    // A page changed after the replace is not put back over the change.
    const QString later = serviceText(u8("inicio")) + u8("  // depois\r\n");
    ASSERT_EQ(m_work.service.storeScript(u8("inicio"), later), u8("Ok"));
    const ReplaceReport undone = ReplaceRun(m_work.pages, folder()).undoLast();
    ASSERT_EQ(undone.Pages.size(), 1u);
    EXPECT_EQ(undone.Pages[0].line(), u8("inicio: ") + kChangedSinceReplaceText);
    EXPECT_EQ(serviceText(u8("inicio")), later);
}

TEST_F(DemoAdventure, AFailingStoreIsReportedAndNothingIsLost)
{
    using Fault = FaultyStore::Fault;
    const QString page = u8("inicio");
    const QString before = serviceText(page);
    QTemporaryDir other;
    const QString blocked = other.path() + u8("/adv/");
    ASSERT_TRUE(QDir().mkpath(blocked));
    QFile historyBlocker(blocked + u8("historico"));
    ASSERT_TRUE(historyBlocker.open(QIODevice::WriteOnly));
    historyBlocker.close();
    struct Row {
        const char *what;
        std::optional<Fault> fault;
        QString folder;
        QString text;
        bool changed;
    };
    const Row rows[] = {
        {"the service refuses", Fault::RefusesStore, folder(), u8("Sem permissão para gravar!!!"), false},
        {"the page is gone", Fault::PageGone, folder(),
         u8("não foi possível buscar a página: Script não encontrado!!!"), false},
        {"the history cannot be kept", std::nullopt, blocked, u8("não foi possível criar a pasta do histórico"), false},
        {"the service keeps another text", Fault::StoresOtherText, folder(), kReadBackDiffersText, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const ReplacePlan plan = planReplace(searchPages(fetchPages(m_work.pages, {page}), kPorta), u8("portão"));
        std::optional<FaultyStore> faulty;
        if (row.fault)
            faulty.emplace(m_work.pages, *row.fault);
        ScriptStore &store = faulty ? static_cast<ScriptStore &>(*faulty) : m_work.pages;
        const ReplaceReport report = ReplaceRun(store, row.folder).replace(plan);
        ASSERT_EQ(report.Pages.size(), 1u);
        EXPECT_EQ(report.Pages[0].Result, PageOutcome::Kind::Failed);
        EXPECT_EQ(report.Pages[0].Text, row.text);
        EXPECT_EQ(report.Pages[0].Changed, row.changed);
        EXPECT_EQ(report.summary(), u8("Gravadas: 0   Puladas: 0   Com falha: 1"));
        EXPECT_EQ(serviceText(page) == before, !row.changed);
    }
    // The text the service kept instead is put back by the undo.
    EXPECT_EQ(ReplaceRun(m_work.pages, folder()).undoLast().summary(), u8("Gravadas: 1   Puladas: 0   Com falha: 0"));
    EXPECT_EQ(serviceText(page), before);
}

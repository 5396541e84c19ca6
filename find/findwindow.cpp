#include "findwindow.h"

#include "formkit.h"
#include "imagebutton.h"
#include "pump.h"
#include "replacerun.h"
#include "skin.h"
#include "statuslabel.h"
#include "workspace.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace nimbra {

namespace {

constexpr QColor kNotFetchedText{0xCC, 0x00, 0x00};

} // namespace

FindWindow::FindWindow(Workspace &work, QWidget *parent)
    : SkinnedWindow(Options::onTop(QStringLiteral("Buscar e substituir"), 760, 600), parent), m_work(work)
{
    setObjectName(QStringLiteral("FindWindow"));
    setWindowTitle(QStringLiteral("Buscar e substituir"));

    Edt1 = edit(this, 70, 32, 330, QStringLiteral("Buscar:"));
    Edt1->setObjectName(QStringLiteral("Edt1"));
    CbCase = new QCheckBox(QStringLiteral("Maiúsculas e minúsculas"), this);
    CbCase->setObjectName(QStringLiteral("CbCase"));
    CbCase->setFont(arialFont(13));
    CbCase->setGeometry(410, 32, 190, 22);
    btBus = actionButton(this, 620, 36, QStringLiteral("Buscar"), QStringLiteral("btBus"));

    Lbx1 = new QListWidget(this);
    Lbx1->setObjectName(QStringLiteral("Lbx1"));
    Lbx1->setFont(arialFont(13));
    Lbx1->setGeometry(5, 62, 750, 230);

    Edt2 = edit(this, 125, 302, 275, QStringLiteral("Substituir por:"));
    Edt2->setObjectName(QStringLiteral("Edt2"));
    btSub = actionButton(this, 420, 306, QStringLiteral("Substituir..."), QStringLiteral("btSub"));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(arialFont(13));
    Memo1->setGeometry(5, 334, 750, 200);

    btConf = actionButton(this, 10, 546, QStringLiteral("Confirmar"), QStringLiteral("btConf"));
    btDes = actionButton(this, 200, 546, QStringLiteral("Desfazer a última substituição"), QStringLiteral("btDes"));
    Sta = status(this, 10, 572, QStringLiteral("Sta"), 740, 22);

    connect(btBus, &ImageButton::clicked, this, &FindWindow::search);
    connect(Edt1, &QLineEdit::returnPressed, this, &FindWindow::search);
    connect(btSub, &ImageButton::clicked, this, &FindWindow::preview);
    connect(btConf, &ImageButton::clicked, this, &FindWindow::confirm);
    connect(btDes, &ImageButton::clicked, this, &FindWindow::undo);
    connect(Lbx1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit openPageRequested(item->data(Qt::UserRole).toString()); });
    // A plan holds for the texts it was made from only.
    connect(Edt1, &QLineEdit::textChanged, this, &FindWindow::forgetPlan);
    connect(Edt2, &QLineEdit::textChanged, this, &FindWindow::forgetPlan);
    connect(CbCase, &QCheckBox::toggled, this, &FindWindow::forgetPlan);
}

FindQuery FindWindow::query() const
{
    return {Edt1->text(), CbCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive};
}

bool FindWindow::hasAdventure()
{
    if (!m_work.session.AdvPrefix.isEmpty() && !m_work.session.AdvFolder.isEmpty())
        return true;
    say(QStringLiteral("Não tem aventura em edição!!!"));
    return false;
}

void FindWindow::search()
{
    forgetPlan();
    m_search.reset();
    Lbx1->clear();
    if (!hasAdventure())
        return;
    if (Edt1->text().isEmpty()) {
        say(kNoNeedleStatus);
        return;
    }
    const QStringList names = m_lister ? m_lister() : QStringList();
    m_searchedPrefix = m_work.session.AdvPrefix;
    m_search = searchPages(fetchPages(m_work.pages, names, [this](int done, int total) { showProgress(done, total); }),
                           query());
    showMatches();
}

void FindWindow::showProgress(int done, int total)
{
    say(QStringLiteral("Buscando página %1 de %2...").arg(done).arg(total));
    letPendingMessagesBeProcessed();
}

void FindWindow::showMatches()
{
    for (const FindMatch &m : m_search->Matches)
        addPageRow(Lbx1, matchLine(m), m.Page, Skin::Navy);
    for (const UnfetchedPage &page : m_search->Unfetched)
        addPageRow(Lbx1, QStringLiteral("Não foi possível buscar ") + page.line(), page.Page, kNotFetchedText);
    say(QStringLiteral("Encontradas: %1   Páginas: %2   Não buscadas: %3")
            .arg(m_search->Matches.size())
            .arg(m_search->Pages.size())
            .arg(m_search->Unfetched.size()));
}

void FindWindow::preview()
{
    if (!m_search || m_search->Query.Needle != query().Needle || m_search->Query.Case != query().Case) {
        say(QStringLiteral("Busque antes de substituir!!!"));
        return;
    }
    m_plan = planReplace(*m_search, Edt2->text());
    Memo1->setPlainText(previewLines(*m_plan).join(u'\n'));
    if (m_plan->writable() == 0) {
        say(kNothingToReplaceStatus);
        m_plan.reset();
        return;
    }
    say(QStringLiteral("Páginas a gravar: %1   Recusadas: %2   Confira e clique em Confirmar")
            .arg(m_plan->writable())
            .arg(int(m_plan->Pages.size()) - m_plan->writable()));
}

void FindWindow::confirm()
{
    if (!m_plan) {
        say(QStringLiteral("Clique em Substituir... e confira antes de confirmar!!!"));
        return;
    }
    if (m_searchedPrefix != m_work.session.AdvPrefix) {
        forgetPlan();
        say(kOtherAdventureStatus);
        return;
    }
    const ReplacePlan plan = *std::exchange(m_plan, std::nullopt);
    // The texts searched are stale once pages are stored.
    m_search.reset();
    Memo1->clear();
    ReplaceRun run(m_work.pages, m_work.session.AdvFolder, m_held, [this](const PageOutcome &o) { showOutcome(o); });
    finishRun(run.replace(plan));
}

void FindWindow::undo()
{
    forgetPlan();
    m_search.reset();
    if (!hasAdventure())
        return;
    Memo1->clear();
    ReplaceRun run(m_work.pages, m_work.session.AdvFolder, m_held, [this](const PageOutcome &o) { showOutcome(o); });
    finishRun(run.undoLast());
}

void FindWindow::showOutcome(const PageOutcome &outcome)
{
    Memo1->appendPlainText(outcome.line());
    letPendingMessagesBeProcessed();
}

void FindWindow::finishRun(const ReplaceReport &report)
{
    say(report.summary());
    const QStringList changed = report.changedPages();
    if (!changed.isEmpty())
        emit pagesStored(changed);
}

void FindWindow::forgetPlan()
{
    m_plan.reset();
}

void FindWindow::say(const QString &text)
{
    Sta->setText(text);
    Sta->repaint();
}

} // namespace nimbra

#include "generator.h"
#include "pagesession.h"
#include "parser.h"
#include "templates.h"
#include "testutil.h"
#include "textlines.h"

#include <gtest/gtest.h>

#include <map>

using namespace nimbra;

namespace {

// Scripts kept in memory, answering as the service does; a name can be made
// to fail with a given reply.
class MemoryStore final : public ScriptStore {
public:
    std::map<QString, QString> scripts;
    std::map<QString, QString> failures;
    int stores = 0;

    QString fetchScript(const QString &name) override
    {
        if (failures.count(name))
            return failures[name];
        return QStringLiteral("Ok\r\n") + scripts[name];
    }
    QString storeScript(const QString &name, const QString &text) override
    {
        ++stores;
        scripts[name] = text;
        return QStringLiteral("Ok");
    }
};

} // namespace

TEST(PageSession, AFailedOpenKeepsThePageAndRefusesToStoreOnlyAnUnfetchedOne)
{
    struct Case {
        const char *reply;
        const char *status;
    };
    const Case cases[] = {
        {"Sem conexão!!!", "Sem conexão!!!"},
        {"Tente novamente!", "Tente novamente!"},
        {"Script não encontrado\r\n", "Script não encontrado"},
        {"", "Tente novamente!"},
        {"ok\r\n//mob txt b\r\n", "ok"},
    };
    for (const Case &c : cases) {
        // Another page that does not open, then the shown page itself.
        for (const char *failing : {"b", "a"}) {
            SCOPED_TRACE(std::string(c.reply) + " opening " + failing);
            MemoryStore store;
            store.scripts[u8("a")] = pageTemplate(NewPageKind::Text, u8("a"));
            PageSession session(store);
            ASSERT_TRUE(session.open(u8("a")).Ok);
            const PageModel before = session.model();
            store.failures[u8(failing)] = u8(c.reply);

            const PageSession::Opened failed = session.open(u8(failing));
            EXPECT_FALSE(failed.Ok);
            EXPECT_EQ(failed.Status, u8(c.status));
            EXPECT_EQ(session.scriptName(), u8("a"));
            EXPECT_EQ(session.model(), before);
            const bool storable = u8(failing) != u8("a");
            EXPECT_EQ(session.canStore(), storable);
            const QString stored = session.storeSource(u8("//mob txt a\r\nfim\r\n"));
            EXPECT_EQ(stored, storable ? u8("Ok") : kNotLoadedStatus);
            EXPECT_EQ(store.stores, storable ? 1 : 0);
        }
    }
}

// Opening a page takes the return script of the page before; a page is
// stored only once one is open, from a text that is not blank, and only when
// the writer can write it.
TEST(PageSession, StoresTheOpenPageOnlyWhenItCanBeWritten)
{
    struct Case {
        const char *kind;
        QStringList text;
        const char *font;
        std::optional<QString> refusal;
    };
    const Case cases[] = {
        {"img", {}, "Arial", std::nullopt},
        {"txt", {u8("um"), u8("boxoff")}, "Arial", kBoxoffLineStatus},
        {"txt", {u8("  boxoff  ")}, "Arial", kBoxoffLineStatus},
        {"txt", {u8("boxoff e mais")}, "Arial", std::nullopt},
        {"img", {u8("boxoff")}, "Arial", std::nullopt},
        {"gif", {}, "Arial", kUnknownKindStatus},
        {"", {}, "Arial", kUnknownKindStatus},
        {"txt", {}, "Arial, sans", kUnwritableFieldStatus.arg(u8("fonte"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        MemoryStore store;
        store.scripts[u8("a")] = u8("//mob txt a\r\n  retscp= a\r\n");
        const QString b = store.scripts[u8("b")] = pageTemplate(NewPageKind::Image, u8("b"));
        PageSession session(store);
        EXPECT_EQ(session.compileAndStore(PageModel()), kNotLoadedStatus);
        ASSERT_TRUE(session.open(u8("a")).Ok);
        ASSERT_TRUE(session.open(u8("b")).Ok);
        EXPECT_EQ(session.scriptName(), u8("b"));
        EXPECT_EQ(session.model().PageKind, u8("img"));
        EXPECT_EQ(session.model().ReturnScript, u8("a"));
        EXPECT_FALSE(session.model().Returnable);
        EXPECT_EQ(session.storeSource(u8(" \r\n\t\r\n")), kEmptyScriptStatus);

        PageModel edited = session.model();
        edited.PageKind = u8(c.kind);
        edited.PageText = c.text;
        edited.FontName = u8(c.font);
        edited.ScreenImage = u8("nova.png");
        EXPECT_EQ(compileRefusal(edited), c.refusal);
        QString written;
        EXPECT_EQ(session.compileAndStore(edited, &written), c.refusal.value_or(u8("Ok")));
        EXPECT_EQ(store.stores, c.refusal ? 0 : 1);
        EXPECT_EQ(written, c.refusal ? QString() : generateScript(edited, u8("b")));
        EXPECT_EQ(store.scripts[u8("b")], c.refusal ? b : written);
    }
}

TEST(RunUrl, NamesThePageTheRunViewMovesTo)
{
    struct Case {
        const char *url;
        std::optional<const char *> script;
    };
    const Case cases[] = {
        {"http://h/html/vestra/exescp.php?Idx=7&Pfx=abc&Scp=p1", "p1"},
        {"http://h/html/vestra/exescp.php?Idx=7&Pfx=abc&Scp=p1&x=2", "p1"},
        {"http://h/html/vestra/exescp.php?Scp=sala%201&Idx=1", "sala 1"},
        {"http://h/html/vestra/exescp.php?Scp=ca%E7a", "caça"},
        {"http://h/html/vestra/exescp.php?Idx=1&Scp=xvlt", "volta"},
        {"http://h/html/vestra/exescp.php?Idx=1&Scp=", std::nullopt},
        {"http://h/html/vestra/exescp.php?Idx=1&Scp=%24start", std::nullopt},
        {"http://h/html/vestra/exescp.php?Idx=1&Pfx=outra&Scp=p1", std::nullopt},
        {"http://h/html/vestra/exescp.php?Idx=1&Pfx=abc&Scp=p1", "p1"},
        {"http://h/html/vestra/exescp.php?xScp=p1", std::nullopt},
        {"http://outro.site/pagina.htm", std::nullopt},
        {"http://h/x?scp=p1", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.url);
        const std::optional<QString> got = scriptOfRunUrl(u8(c.url), u8("abc"), u8("volta"));
        ASSERT_EQ(got.has_value(), c.script.has_value());
        if (got) {
            EXPECT_EQ(*got, u8(*c.script));
        }
    }
    EXPECT_FALSE(scriptOfRunUrl(u8("http://h/e.php?Scp=xvlt"), u8("abc"), QString()));
}

TEST(PageModel, AnEditIsUndoneWithoutTouchingOtherEdits)
{
    PageModel rich = parseScriptText(pageTemplate(NewPageKind::Image, u8("sala")));
    rich.HeaderName = u8("sala");
    rich.ReturnScript = rich.ScreenImage = rich.BackImage = rich.InitialSound = u8("x");
    rich.ObjBarMark.clear();
    rich.IconSlots[3] = {QString(), u8("a.png"), u8("b")};
    rich.ScreenLinks[2].Kind = u8("fig");
    rich.SelectedLink = 2;
    rich.Returnable = rich.Bold = rich.Italic = rich.Underline = true;
    rich.TextSize = rich.FontName = rich.BackColor = rich.TextColor = u8("y");
    rich.PageText = {u8("t")};
    rich.FreeSection = {u8("fim")};
    rich.KeptLines = {{ScriptPlace::Header, u8("k")}};
    rich.PageKind = u8("txt");
    // Every value differs from a default model, so none may be left behind.
    EXPECT_EQ(blendChanges(PageModel(), PageModel(), rich), rich);

    PageModel before = rich;
    PageModel after = rich;
    after.Bold = false;
    PageModel now = after;
    now.PageText = {u8("typed since")};
    const PageModel undone = blendChanges(now, after, before);
    EXPECT_TRUE(undone.Bold);
    EXPECT_EQ(undone.PageText, QStringList{u8("typed since")});
}

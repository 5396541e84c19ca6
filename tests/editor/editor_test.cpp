#include "fakes.h"
#include "pageeditor.h"
#include "pagehistory.h"
#include "requesturl.h"
#include "templates.h"
#include "testutil.h"
#include "workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace nimbra;

namespace {

// A page editor over pages in memory, as a test sets it up.
struct Desk {
    Desk()
    {
        store.pages[u8("inicio")] = pageTemplate(NewPageKind::Text, u8("inicio"));
        store.pages[u8("sala")] = pageTemplate(NewPageKind::Image, u8("sala"));
        store.pages[u8("porão")] = pageTemplate(NewPageKind::Text, u8("porão"));
        work.session.setSite(u8("http://velorin.test/"));
        work.session.UserIdx = u8("7");
        work.session.AdvPrefix = u8("casa");
        work.session.AdvFolder = folder.path() + u8("/casa/");
        view.scripts = QStringList{u8("inicio"), u8("sala"), u8("porão")};
    }

    bool open(const char *name)
    {
        work.session.ScriptName = u8(name);
        return editor.OpenPage();
    }
    QUrl runOf(const char *name) const
    {
        const Session &s = work.session;
        return QUrl(runUrl(s.SiteUrl, s.UserIdx, s.AdvPrefix, u8(name)));
    }
    PageEdits &edits() { return editor.edits(); }

    QTemporaryDir folder;
    MemoryStore store;
    Workspace work{&store};
    FakeView view;
    PageEditor editor{work, view};
};

class Editing : public ::testing::Test, public Desk {};

} // namespace

TEST_F(Editing, AFailedOpenKeepsTheShownPageItsNameAndItsEdits)
{
    ASSERT_TRUE(open("inicio"));
    view.controls.FontName = u8("Verdana");
    store.failures[u8("sala")] = u8("Erro: sem conexão");

    EXPECT_FALSE(open("sala"));
    EXPECT_EQ(work.session.ScriptName, u8("inicio"));
    EXPECT_EQ(view.selected, u8("inicio"));
    EXPECT_EQ(view.controls.FontName, u8("Verdana"));
    EXPECT_TRUE(editor.CompileAndStore());
    EXPECT_TRUE(store.pages[u8("inicio")].contains(u8(",Verdana,")));
    EXPECT_FALSE(store.pages[u8("sala")].contains(u8("Verdana")));
}

TEST_F(Editing, StoringTakesTheControlsAsTheyStandAndARefusalLeavesThemUnstored)
{
    ASSERT_TRUE(open("inicio"));
    EXPECT_FALSE(editor.hasUnstoredChanges());
    view.controls.FontName = u8("Verdana");
    EXPECT_TRUE(editor.hasUnstoredChanges());

    EXPECT_TRUE(editor.CompileAndStore());
    EXPECT_EQ(view.status, u8("Ok"));
    EXPECT_EQ(view.serviceText, store.pages[u8("inicio")]);
    EXPECT_FALSE(editor.hasUnstoredChanges());
    EXPECT_EQ(view.runs.last(), runOf("inicio").toString());

    store.failures[u8("inicio")] = u8("Erro: disco cheio");
    view.controls.FontName = u8("Arial");
    const int runs = int(view.runs.size());
    EXPECT_FALSE(editor.CompileAndStore());
    EXPECT_EQ(view.status, u8("Erro: disco cheio"));
    EXPECT_TRUE(editor.hasUnstoredChanges());
    EXPECT_EQ(view.runs.size(), runs);
}

TEST_F(Editing, TheRawSourceIsStoredOnlyOverThePageItWasLoadedFrom)
{
    struct Case {
        const char *name;
        std::function<void(Desk &)> meanwhile;
        bool stored;
    };
    const Case cases[] = {
        {"just loaded", [](Desk &) {}, true},
        {"never loaded", [](Desk &t) { t.editor.closePage(), t.open("inicio"); }, false},
        {"another page open since", [](Desk &t) { t.open("sala"); }, false},
        {"page stored from the forms since",
         [](Desk &t) {
             t.view.controls.FontName = u8("Verdana");
             t.editor.CompileAndStore();
         },
         false},
        {"another adventure chosen", [](Desk &t) { t.editor.closePage(); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Desk t;
        ASSERT_TRUE(t.open("inicio"));
        ASSERT_TRUE(t.editor.loadSourceText());
        c.meanwhile(t);
        t.view.source = u8("txt inicio\nboxon\n<p>à mão</p>\nboxoff\n//0:\nfim");
        const int stores = t.store.stores;
        EXPECT_EQ(t.editor.StoreSourceText(), c.stored);
        if (c.stored) {
            EXPECT_EQ(t.store.pages[u8("inicio")], u8("txt inicio\r\nboxon\r\n<p>à mão</p>\r\nboxoff\r\n//0:\r\nfim"));
        } else {
            EXPECT_EQ(t.view.status, kSourceOutdatedStatus);
            EXPECT_EQ(t.store.stores, stores);
        }
    }
}

TEST_F(Editing, ANewPageNeedsAFreeNameAndOpensFromItsTemplate)
{
    struct Case {
        const char *name;
        const char *status;
    };
    store.pages[u8("escada")] = QString(); // on the service, not yet listed
    const Case refused[] = {{"", "Defina um nome!!!"},
                            {"sala", "Já existe este script!!!"},
                            {"escada", "Já existe!"}};
    ASSERT_TRUE(open("inicio"));
    for (const Case &c : refused) {
        view.newName = u8(c.name);
        editor.CreatePage(NewPageKind::Image);
        EXPECT_EQ(view.creationStatus, u8(c.status)) << c.name;
        EXPECT_EQ(work.session.ScriptName, u8("inicio"));
    }

    view.newName = u8("nova");
    editor.CreatePage(NewPageKind::Image);
    EXPECT_EQ(store.pages[u8("nova")], pageTemplate(NewPageKind::Image, u8("nova")));
    EXPECT_EQ(work.session.ScriptName, u8("nova"));
    EXPECT_TRUE(view.scripts.contains(u8("nova")));
    EXPECT_EQ(view.selected, u8("nova"));
    EXPECT_EQ(view.runs.last(), runOf("nova").toString());
    // The raw editor holds the new page, ready to store.
    view.source.replace(u8("nova"), u8("nova "));
    EXPECT_TRUE(editor.StoreSourceText());
}

TEST_F(Editing, TheRunViewIsFollowedButNeverOverUnstoredEdits)
{
    struct Case {
        const char *name;
        bool ownRun;
        bool edited;
        const char *reported;
        const char *shownAfter;
        bool fetched;
    };
    const Case cases[] = {
        {"the editor's own run", true, false, "inicio", "inicio", false},
        {"a late report of the page, edits typed since", false, true, "inicio", "inicio", false},
        {"a report of the page without edits", false, false, "inicio", "inicio", true},
        {"the player went on", false, true, "sala", "sala", true},
        {"an accented page", false, false, "porão", "porão", true},
        {"a page that does not open", false, true, "fechada", "inicio", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Desk t;
        t.store.failures[u8("fechada")] = u8("Erro: página não encontrada");
        ASSERT_TRUE(t.open("inicio"));
        t.editor.runPage(c.ownRun);
        if (c.edited)
            t.view.controls.FontName = u8("Verdana");
        const int fetches = t.store.fetches;
        t.editor.followNavigation(t.runOf(c.reported));
        EXPECT_EQ(t.work.session.ScriptName, u8(c.shownAfter));
        EXPECT_EQ(t.store.fetches > fetches, c.fetched);
        if (c.fetched) {
            EXPECT_EQ(t.view.selected, u8(c.shownAfter));
        }
        if (u8(c.shownAfter) == u8("inicio") && c.edited) {
            EXPECT_TRUE(t.editor.hasUnstoredChanges());
        }
    }
}

TEST_F(Editing, EveryEditIsOneStepThatUndoesAndRedoes)
{
    struct Case {
        const char *name;
        std::function<void(Desk &)> edit;
        int link = -1; // picked before the step
    };
    const Case cases[] = {
        {"icon switched", [](Desk &t) { t.edits().toggleIcon(2); }},
        {"icon image", [](Desk &t) { t.edits().setIconImage(3, u8("chave.png")); }},
        {"icon target", [](Desk &t) { t.edits().setIconTarget(3, u8("porão")); }},
        {"objects bar", [](Desk &t) { t.edits().toggleObjectsBar(); }},
        {"screen image", [](Desk &t) { t.edits().setScreenImage(u8("noite.png")); }},
        {"bold",
         [](Desk &t) {
             t.view.controls.Bold = !t.view.controls.Bold;
             t.edits().controlChanged(u8("negrito"));
         }},
        {"underline and colour",
         [](Desk &t) {
             t.view.controls.Underline = !t.view.controls.Underline;
             t.view.controls.BackColor = u8("#102030");
             t.edits().controlChanged(u8("estilo"));
         }},
        {"link registered switched off",
         [](Desk &t) {
             t.view.links = u8Lines({"lnk", "010", "020", "030", "040", "porão", "", ""});
             t.view.linkOn = false;
             t.edits().registerLink();
         },
         1},
        {"hotspot dragged",
         [](Desk &t) {
             t.edits().hotspotDragStarted();
             t.edits().hotspotMoved(u8("100"), u8("050"), u8("060"), u8("070"));
             t.edits().hotspotMoved(u8("110"), u8("055"), u8("060"), u8("070"));
             t.edits().hotspotDragFinished();
         },
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Desk t;
        ASSERT_TRUE(t.open("sala"));
        if (c.link >= 0)
            t.edits().selectLink(c.link);
        const EditorState before = t.edits().state();
        c.edit(t);
        const EditorState after = t.edits().state();
        ASSERT_NE(after, before);
        ASSERT_EQ(t.edits().undoStack().count(), 1);
        t.edits().undoStack().undo();
        EXPECT_EQ(t.edits().state().Model, before.Model);
        t.edits().undoStack().redo();
        EXPECT_EQ(t.edits().state(), after);
    }
}

TEST_F(Editing, ARegisteredLinkTakesTheEditsAndTheSwitchAsTheyStand)
{
    ASSERT_TRUE(open("sala"));
    for (const bool on : {false, true}) {
        edits().selectLink(4);
        view.links = u8Lines({"lnk", "010", "020", "030", "040", "porão", "", ""});
        view.linkOn = on;
        ASSERT_TRUE(edits().registerLink());
        const ScreenLink &link = work.page.model().ScreenLinks[4];
        EXPECT_EQ(link.Mark, on ? QString() : kSwitchedOff);
        EXPECT_EQ(link.Arg1, u8("porão"));
        EXPECT_EQ(link.X, u8("010"));
    }
}

TEST_F(Editing, ThePageOpenedAgainKeepsItsUndoStepsAnotherStartsAfresh)
{
    ASSERT_TRUE(open("sala"));
    edits().toggleIcon(1);
    ASSERT_TRUE(editor.CompileAndStore());
    ASSERT_TRUE(open("sala"));
    EXPECT_EQ(edits().undoStack().count(), 1);
    ASSERT_TRUE(open("inicio"));
    EXPECT_EQ(edits().undoStack().count(), 0);
}

TEST_F(Editing, ALinkPlaceThatIsNotWholeNumbersShowsNoFrame)
{
    struct Case {
        const char *x;
        std::optional<QRect> frame;
        const char *status;
    };
    const Case cases[] = {{"010", QRect(10, 20, 30, 40), ""}, {"1a", std::nullopt, "Posição ou tamanho do link não é número inteiro!!!"}};
    for (const Case &c : cases) {
        Desk t;
        ASSERT_TRUE(t.open("sala"));
        ScreenLink &link = t.work.page.model().ScreenLinks[2];
        link.Mark.clear();
        link.X = u8(c.x);
        link.Y = u8("020");
        link.Width = u8("030");
        link.Height = u8("040");
        t.edits().selectLink(2);
        EXPECT_EQ(t.view.hotspot, c.frame) << c.x;
        EXPECT_EQ(t.view.linkStatus, u8(c.status)) << c.x;
    }
}

TEST_F(Editing, AChangedFileOfTheAdventureReopensThePageOnlyWithoutUnstoredEdits)
{
    struct Case {
        const char *name;
        bool edited;
        bool opens;
        bool reopened;
    };
    const Case cases[] = {
        {"no edits", false, true, true},
        {"edits not yet stored", true, true, false},
        {"the page no longer opens", false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Desk t;
        ASSERT_TRUE(t.open("sala"));
        const QString mark = t.work.page.model().IconSlots[0].Mark;
        if (c.edited)
            t.edits().toggleIcon(1);
        if (!c.opens)
            t.store.failures[u8("sala")] = u8("Erro: sem conexão");
        const int previews = t.view.previews;
        const int fetches = t.store.fetches;
        t.editor.adventureFilesChanged();
        EXPECT_GT(t.view.previews, previews);
        EXPECT_EQ(t.view.runs.last(), t.runOf("sala").toString());
        EXPECT_EQ(t.work.page.model().IconSlots[0].Mark != mark, c.edited);
        // The run view's report of a reopened page loads it once more; an own
        // run is not loaded again.
        const int afterChange = t.store.fetches;
        t.store.failures.clear();
        t.editor.followNavigation(t.runOf("sala"));
        EXPECT_EQ(afterChange > fetches && t.store.fetches > afterChange, c.reopened);
    }
}

TEST_F(Editing, EveryStoredTextIsKeptInTheAdventuresFolder)
{
    const PageHistory history(work.session.AdvFolder);
    ASSERT_TRUE(open("inicio"));
    view.controls.FontName = u8("Verdana");
    ASSERT_TRUE(editor.CompileAndStore());
    ASSERT_TRUE(editor.loadSourceText());
    view.source = u8("txt inicio\nboxon\n<p>à mão</p>\nboxoff\n//0:\nfim");
    ASSERT_TRUE(editor.StoreSourceText());
    view.newName = u8("nova");
    editor.CreatePage(NewPageKind::Text);

    const std::vector<PageHistory::Version> inicio = history.versions(u8("inicio"));
    ASSERT_EQ(inicio.size(), 2u);
    EXPECT_EQ(PageHistory::read(inicio[0]), store.pages[u8("inicio")]);
    EXPECT_TRUE(PageHistory::read(inicio[1])->contains(u8(",Verdana,")));
    ASSERT_EQ(history.versions(u8("nova")).size(), 1u);
    EXPECT_EQ(PageHistory::read(history.versions(u8("nova"))[0]), store.pages[u8("nova")]);
}

TEST_F(Editing, AHistoryThatCannotBeWrittenIsSaidButTheStoreStands)
{
    QFile blocker(work.session.AdvFolder.chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    ASSERT_TRUE(open("inicio"));
    view.controls.FontName = u8("Verdana");
    EXPECT_TRUE(editor.CompileAndStore());
    EXPECT_TRUE(view.status.startsWith(u8("Gravado, mas o histórico não: "))) << view.status.toStdString();
    EXPECT_TRUE(store.pages[u8("inicio")].contains(u8(",Verdana,")));
}

TEST(PageHistory, KeepsTheNewestVersionsOfEachPageInsideItsFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u8("/casa/");
    const PageHistory history(folder);
    const QDateTime start(QDate(2026, 12, 7), QTime(10, 0));
    for (int i = 0; i < PageHistory::kVersions + 5; ++i)
        ASSERT_EQ(history.keep(u8("sala"), QString::number(i), start.addSecs(i / 2)), std::nullopt);
    const std::vector<PageHistory::Version> kept = history.versions(u8("sala"));
    ASSERT_EQ(int(kept.size()), PageHistory::kVersions);
    EXPECT_EQ(PageHistory::read(kept.front()), QString::number(PageHistory::kVersions + 4));
    EXPECT_EQ(PageHistory::read(kept.back()), u8("5"));

    // Names from the service never lead out of the history's folder.
    for (const char *name : {"../../fora", "a/b", "..", ".", "porão", "c:\\x"}) {
        ASSERT_EQ(history.keep(u8(name), u8("texto")), std::nullopt) << name;
        ASSERT_EQ(history.versions(u8(name)).size(), 1u) << name;
        EXPECT_TRUE(QFileInfo(history.versions(u8(name))[0].Path).canonicalFilePath().startsWith(
            QDir(folder + u8("historico")).canonicalPath() + u8("/")))
            << name;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), u8Lines({"casa"}));
}

TEST_F(Editing, AKeptVersionIsStoredAgainAsTheNewestButNeverOverUnstoredEdits)
{
    const PageHistory history(work.session.AdvFolder);
    ASSERT_TRUE(open("inicio"));
    for (const char *font : {"Verdana", "Arial"}) {
        view.controls.FontName = u8(font);
        ASSERT_TRUE(editor.CompileAndStore());
    }
    const PageHistory::Version verdana = history.versions(u8("inicio"))[1];

    view.controls.FontName = u8("Tahoma");
    const int stores = store.stores;
    EXPECT_FALSE(editor.restoreVersion(verdana));
    EXPECT_EQ(view.status, kRestoreOverEditsStatus);
    EXPECT_EQ(store.stores, stores);

    view.controls.FontName = u8("Arial");
    EXPECT_TRUE(editor.restoreVersion(verdana));
    EXPECT_EQ(store.pages[u8("inicio")], PageHistory::read(verdana));
    EXPECT_EQ(view.controls.FontName, u8("Verdana"));
    ASSERT_EQ(history.versions(u8("inicio")).size(), 3u);
    EXPECT_EQ(PageHistory::read(history.versions(u8("inicio"))[0]), PageHistory::read(verdana));
}

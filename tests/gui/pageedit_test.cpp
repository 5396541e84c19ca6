#include "windows.h"

#include "clicklabel.h"
#include "creationpage.h"
#include "extraspage.h"
#include "generator.h"
#include "historypage.h"
#include "iconspage.h"
#include "backupwindow.h"
#include "checkwindow.h"
#include "findwindow.h"
#include "mapwindow.h"
#include "pageeditor.h"
#include "previewpage.h"
#include "reply.h"
#include "requesturl.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "templates.h"
#include "textlookpage.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "togglelabel.h"

#include <QSignalSpy>
#include <QWebEngineView>

using namespace nimbra;

namespace {

QString withoutCr(QString text)
{
    return text.remove(u'\r');
}

class PageEditTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openDemoAdventure();
        waitForRunView();
    }

    ScriptsPage *scripts() { return tools().scripts(); }
    PreviewPage *preview() { return main().form4->preview(); }
    PageEditor &editor() { return *main().editor; }

    // The page's text as the service keeps it, without the status line.
    QString storedText(const char *name)
    {
        const QString reply = main().work.service.fetchScript(u8(name));
        return reply.mid(reply.indexOf(u'\n') + 1);
    }

    void pick(const char *name)
    {
        SortedList *list = scripts()->Lbx2;
        const QList<QListWidgetItem *> rows = list->findItems(u8(name), Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << name;
        list->scrollToItem(rows.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows.first()).center());
        ASSERT_EQ(main().work.session.ScriptName, u8(name));
        waitForRunView();
    }

    // Lets the run view load what it was sent to and report it.
    void waitForRunView() { waitForLoad(main().form3->Web); }


    static void enter(QLineEdit *field, const QString &text)
    {
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    // The mouse as the display sends it, to the window under it.
    static void mouse(QEvent::Type type, QWidget *control, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget *window = control->window();
        const QPoint point = control->mapTo(window, at);
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(window->windowHandle(), button, {}, point);
        else if (type == QEvent::MouseButtonRelease)
            QTest::mouseRelease(window->windowHandle(), button, {}, point);
        else
            QTest::mouseMove(window->windowHandle(), point);
    }

    QStringList linkEdits() { return scripts()->screen()->linkEdits(); }
};

} // namespace

TEST_F(PageEditTest, ATypicalEditIsStoredAsWrittenAndRuns)
{
    EXPECT_EQ(main().work.session.ScriptName, u8("inicio"));
    TextLookPage *look = scripts()->textLook();
    look->Edit4->setText(u8("Verdana"));
    look->Biu1->setOn(!look->Biu1->isOn());
    preview()->Memo2->setPlainText(u8("<p>Nova entrada.</p>\nsegunda linha"));

    click(preview()->icon(2));
    EXPECT_EQ(scripts()->Abook2->currentIndex(), ScriptsPage::Icons);
    IconsPage *icons = scripts()->icons();
    EXPECT_EQ(icons->lbIco->text(), u8("2"));
    EXPECT_EQ(icons->icAtv->text(), u8("ativar"));
    click(icons->icAtv);
    EXPECT_EQ(icons->icAtv->text(), u8("desativar"));
    QApplication::setActiveWindow(&tools());
    enter(icons->Edit1, u8("casa.png"));
    EXPECT_TRUE(icons->Edit2->hasFocus());
    enter(icons->Edit2, u8("janela"));

    click(scripts()->btCmp);
    EXPECT_EQ(scripts()->Stx->text(), u8("Ok"));
    const QString written = tools().extras()->Memo1->toPlainText();
    EXPECT_EQ(withoutCr(storedText("inicio")), withoutCr(written));
    EXPECT_TRUE(storedText("inicio").contains(u8("  cmd= fig,862,060,58,58,casa.png,janela\r\n")));
    EXPECT_TRUE(written.contains(u8("  texto= 0,0,852,358,")));
    EXPECT_TRUE(written.contains(u8(",Verdana,")));
    EXPECT_TRUE(storedText("inicio").contains(u8("  <p>Nova entrada.</p> \r\n  segunda linha \r\n")));
    waitForRunView();
    EXPECT_EQ(main().form3->Web->url(),
              QUrl(runUrl(main().work.session.SiteUrl, main().work.session.UserIdx, u8("casa"), u8("inicio"))));

    // The player follows the door icon: the editor opens that page.
    main().form3->Web->page()->runJavaScript(u8("document.querySelector('a[href*=\"Scp=sala\"]').click()"));
    for (int i = 0; i < 100 && main().work.session.ScriptName != u8("sala"); ++i)
        QTest::qWait(50);
    EXPECT_EQ(main().work.session.ScriptName, u8("sala"));
    EXPECT_EQ(main().work.page.scriptName(), u8("sala"));
    ASSERT_TRUE(scripts()->Lbx2->currentItem());
    EXPECT_EQ(scripts()->Lbx2->currentItem()->text(), u8("sala"));
    EXPECT_EQ(preview()->Abook3->currentIndex(), PreviewPage::ScreenContent);
}

// The one place where controls meet the page's fields, over the real pages.
TEST_F(PageEditTest, EachControlGivesAndShowsItsOwnFieldOfThePage)
{
    ScriptsPage *s = scripts();
    TextLookPage *look = s->textLook();
    const auto type = [](QLineEdit *field, const char *text) { return [field, text] { field->setText(u8(text)); }; };
    const auto flip = [](ToggleLabel *toggle) { return [toggle] { toggle->setOn(!toggle->isOn()); }; };
    const struct {
        const char *control;
        std::function<void()> change;
        std::function<void(PageModel &)> expect;
    } cases[] = {
        {"Cb1", [s] { s->Cb1->setChecked(!s->Cb1->isChecked()); }, [](PageModel &m) { m.Returnable = !m.Returnable; }},
        {"Edit20", type(s->Edit20, "$sino"), [](PageModel &m) { m.InitialSound = u8("$sino"); }},
        {"Edit19", type(look->Edit19, "fundo.png"), [](PageModel &m) { m.BackImage = u8("fundo.png"); }},
        {"Edit22", type(look->Edit22, "18"), [](PageModel &m) { m.TextSize = u8("18"); }},
        {"Edit4", type(look->Edit4, "Verdana"), [](PageModel &m) { m.FontName = u8("Verdana"); }},
        {"Edit5", type(look->Edit5, "#102030"), [](PageModel &m) { m.BackColor = u8("#102030"); }},
        {"Edit6", type(look->Edit6, "#405060"), [](PageModel &m) { m.TextColor = u8("#405060"); }},
        {"Biu1", flip(look->Biu1), [](PageModel &m) { m.Bold = !m.Bold; }},
        {"Biu2", flip(look->Biu2), [](PageModel &m) { m.Italic = !m.Italic; }},
        {"Biu3", flip(look->Biu3), [](PageModel &m) { m.Underline = !m.Underline; }},
        {"Memo2", [this] { preview()->Memo2->setPlainText(u8("<p>um</p>\ndois")); },
         [](PageModel &m) { m.PageText = u8Lines({"<p>um</p>", "dois"}); }},
        {"Memo4", [this] { tools().extras()->Memo4->setPlainText(u8(":nota\nfim")); },
         [](PageModel &m) { m.FreeSection = u8Lines({":nota", "fim"}); }},
    };
    PageEdits &edits = editor().edits();
    for (const auto &c : cases) {
        const PageModel before = edits.editedModel();
        PageModel expected = before;
        c.expect(expected);
        c.change();
        EXPECT_EQ(edits.editedModel(), expected) << c.control;
        edits.apply({before, linkEdits()});
        EXPECT_EQ(edits.editedModel(), before) << c.control;
    }
}

TEST_F(PageEditTest, ScreenLinksAreEditedInTheFormsAndWithTheHotspot)
{
    pick("sala");
    ScreenPage *screen = scripts()->screen();
    click(preview()->Tela);
    EXPECT_EQ(scripts()->Abook2->currentIndex(), ScriptsPage::Screen);
    EXPECT_EQ(screen->Edit13->text(), main().work.page.model().ScreenImage);

    click(screen->lbLk[0]);
    EXPECT_EQ(screen->Label4->text(), u8("0"));
    ASSERT_TRUE(screen->Lnka->isOn());
    ASSERT_TRUE(preview()->hotspotVisible());
    const ScreenLink link = main().work.page.model().ScreenLinks[0];
    EXPECT_EQ(preview()->hotspot(), QRect(link.X.toInt(), link.Y.toInt(), link.Width.toInt(), link.Height.toInt()));

    // Dragged far past the bottom-right corner, it stops at the edges.
    const QRect start = preview()->hotspot();
    mouse(QEvent::MouseButtonPress, preview()->Shp1, QPoint(10, 10));
    for (int step = 1; step <= 5; ++step)
        mouse(QEvent::MouseMove, preview()->Shp1, QPoint(10 + 400 * step, 10 + 200 * step));
    mouse(QEvent::MouseButtonRelease, preview()->Shp1, QPoint(10, 10));
    const QStringList moved = linkEdits();
    EXPECT_EQ(moved[1], QString::number(852 - start.width()).rightJustified(3, u'0'));
    EXPECT_EQ(moved[2], QString::number(358 - start.height()).rightJustified(3, u'0'));
    // The link takes the values only on ENTER or "Registrar alterações".
    EXPECT_EQ(main().work.page.model().ScreenLinks[0].X, link.X);

    // The handle dragged above and left of the corner leaves the smallest area.
    mouse(QEvent::MouseButtonPress, preview()->Shp2, QPoint(4, 4));
    mouse(QEvent::MouseMove, preview()->Shp2, QPoint(-900, -900));
    mouse(QEvent::MouseButtonRelease, preview()->Shp2, QPoint(4, 4));
    EXPECT_EQ(linkEdits()[3], u8("008"));
    EXPECT_EQ(linkEdits()[4], u8("008"));

    // Undo takes the whole resize back in one step, then the move.
    main().editor->edits().undoStack().undo();
    EXPECT_EQ(linkEdits(), moved);
    main().editor->edits().undoStack().undo();
    EXPECT_EQ(linkEdits()[1], link.X);

    click(screen->findChild<QLabel *>(u8("kind_url")));
    EXPECT_EQ(screen->Lnk[0]->text(), u8("url"));
    EXPECT_EQ(main().work.page.model().ScreenLinks[0].Kind, link.Kind);
    enter(screen->Lnk[3], u8("200"));
    EXPECT_EQ(main().work.page.model().ScreenLinks[0].Kind, u8("url"));
    EXPECT_EQ(main().work.page.model().ScreenLinks[0].Width, u8("200"));

    click(screen->Lnka);
    EXPECT_FALSE(preview()->hotspotVisible());
    click(screen->Image19);
    EXPECT_EQ(screen->Stt->text(), u8("Ok"));
    EXPECT_TRUE(storedText("sala").contains(u8("  //cmd= url,")));
}




TEST_F(PageEditTest, PagesTheWriterWouldCutOrTheServiceRefusesAreNotLost)
{
    const QString before = storedText("inicio");
    preview()->Memo2->setPlainText(u8("um\nboxoff\ndois"));
    click(scripts()->btCmp);
    EXPECT_EQ(scripts()->Stx->text(), kBoxoffLineStatus);
    EXPECT_EQ(storedText("inicio"), before);

    preview()->Memo2->setPlainText(u8("guardado"));
    m_service.reset();
    click(scripts()->btCmp);
    EXPECT_NE(scripts()->Stx->text(), u8("Ok"));
    EXPECT_EQ(preview()->Memo2->toPlainText(), u8("guardado"));
    EXPECT_EQ(main().ledColor(), QColor(128, 0, 0));
}

TEST_F(PageEditTest, TheRunViewFollowsOnlyPagesOfThisAdventure)
{
    const Session &s = main().work.session;
    const QString base = s.SiteUrl + u8("html/vestra/exescp.php?Idx=") + s.UserIdx;
    editor().followNavigation(QUrl(base + u8("&Pfx=outra&Scp=sala")));
    EXPECT_EQ(s.ScriptName, u8("inicio"));
    editor().followNavigation(QUrl(base + u8("&Pfx=casa&Scp=")));
    EXPECT_EQ(s.ScriptName, u8("inicio"));
    editor().followNavigation(QUrl(base + u8("&Pfx=casa&Scp=nao%20existe")));
    EXPECT_EQ(s.ScriptName, u8("inicio"));
    EXPECT_TRUE(main().work.page.canStore());
    editor().followNavigation(QUrl(base + u8("&Scp=janela")));
    EXPECT_EQ(s.ScriptName, u8("janela"));
    EXPECT_TRUE(main().work.page.canStore());

    // An own run is not opened a second time, and only that one.
    editor().runPage(true);
    EXPECT_TRUE(editor().OwnNavigation());
    editor().followNavigation(QUrl(base + u8("&Pfx=casa&Scp=chave")));
    EXPECT_EQ(s.ScriptName, u8("chave"));
    // The run of "janela" arrives before or after; either way it is not opened.
    for (int i = 0; i < 100 && editor().OwnNavigation(); ++i)
        QTest::qWait(50);
    EXPECT_FALSE(editor().OwnNavigation());
    EXPECT_EQ(s.ScriptName, u8("chave"));
}


TEST_F(PageEditTest, TheQrWindowShowsTheAdventureAndThePickedPage)
{
    TForm5 *qr = main().form5;
    const Session &s = main().work.session;
    click(scripts()->Image2);
    ASSERT_TRUE(qr->isVisible());
    // The chart's address, as soon as the view takes it.
    const auto shows = [qr](const QString &url) { return QTest::qWaitFor([&] { return qr->Web->url() == QUrl(url); }, 5000); };
    EXPECT_TRUE(shows(qrChartUrl(s.SiteUrl, adventureQrText(s.SiteUrl, u8("casa")))));
    pick("sala");
    EXPECT_TRUE(shows(qrChartUrl(s.SiteUrl, pageQrText(s.SiteUrl, u8("casa"), s.UserIdx, u8("sala")))));
    click(scripts()->Image2);
    EXPECT_FALSE(qr->isVisible());
    pick("chave");
    EXPECT_FALSE(qr->isVisible());
}


TEST_F(PageEditTest, TheMapShowsTheAdventureAndOpensItsPages)
{
    ImageButton *button = main().menuButton(u8("btMap"));
    ASSERT_TRUE(button && button->isVisible());
    click(button);
    TForm6 *map = main().form6;
    ASSERT_TRUE(map->isVisible());
    EXPECT_EQ(map->boxCount(), scripts()->Lbx2->count());
    EXPECT_EQ(map->brokenCount(), 0);

    emit map->openPageRequested(u8("chave"));
    EXPECT_EQ(main().work.session.ScriptName, u8("chave"));
    EXPECT_EQ(main().work.page.scriptName(), u8("chave"));
    ASSERT_TRUE(scripts()->Lbx2->currentItem());
    EXPECT_EQ(scripts()->Lbx2->currentItem()->text(), u8("chave"));

    emit map->openPageRequested(u8("nao existe"));
    EXPECT_EQ(main().work.session.ScriptName, u8("chave"));

    // A picture the pages use that the service no longer has is listed.
    EXPECT_FALSE(rowsOf(map->Lbx1).join(u8("\n")).contains(u8("Arquivo ausente"))) << rowsOf(map->Lbx1).join(u8("; ")).toStdString();
    ASSERT_EQ(main().work.service.deleteFile(u8("porta.png")), u8("Ok"));
    click(map->btRec);
    EXPECT_TRUE(rowsOf(map->Lbx1).contains(u8("Arquivo ausente: inicio -> porta.png"))) << rowsOf(map->Lbx1).join(u8("; ")).toStdString();
}


// "Ferramentas" opens the windows over the whole adventure; what they ask
// for opens in the editor.
TEST_F(PageEditTest, TheToolsMenuOpensTheWindowsOverTheAdventure)
{
    ImageButton *button = main().menuButton(u8("btFer"));
    ASSERT_TRUE(button && button->isVisible());
    click(button);
    ASSERT_TRUE(QTest::qWaitFor([this] { return main().toolsMenu->isVisible(); }, 2000));
    main().toolsMenu->hide();
    const auto trigger = [this](const char *name) {
        QAction *action = main().toolsMenu->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_TRUE(action) << name;
        action->trigger();
    };

    trigger("acVerificar");
    ASSERT_TRUE(main().checkWindow->isVisible());
    EXPECT_EQ(main().checkWindow->Sta->text(), u8("Nenhum problema encontrado.")) << rowsOf(main().checkWindow->Lbx1).join(u8("; ")).toStdString();
    trigger("acCopia");
    EXPECT_TRUE(main().backupWindow->isVisible());
    trigger("acBuscar");
    ASSERT_TRUE(main().findWindow->isVisible());
    emit main().findWindow->openPageRequested(u8("chave"));
    EXPECT_EQ(main().work.page.scriptName(), u8("chave"));
    emit main().checkWindow->openPageRequested(u8("sala"));
    EXPECT_EQ(main().work.page.scriptName(), u8("sala"));
}

TEST_F(PageEditTest, WhatIsStoredIsWhatTheAuthorSees)
{
    const QString before = storedText("inicio");
    TextLookPage *look = scripts()->textLook();
    const QString font = look->Edit4->text();
    look->Edit4->setText(u8("Arial, sans-serif"));
    click(scripts()->btCmp);
    EXPECT_EQ(scripts()->Stx->text(), kUnwritableFieldStatus.arg(u8("fonte")));
    EXPECT_EQ(storedText("inicio"), before);
    look->Edit4->setText(font);

    // No-break spaces reach the service as they are shown.
    const QString nbsp(QChar(0xA0));
    preview()->Memo2->setPlainText(u8("a") + nbsp + u8("b"));
    QPlainTextEdit *freeSection = tools().extras()->Memo4;
    freeSection->setPlainText(u8(":c") + nbsp + u8("d\n") + freeSection->toPlainText());
    click(scripts()->btCmp);
    ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
    EXPECT_TRUE(storedText("inicio").contains(u8("  a") + nbsp + u8("b \r\n")));
    EXPECT_TRUE(storedText("inicio").contains(u8(":c") + nbsp + u8("d\r\n")));
    ASSERT_TRUE(editor().loadSourceText());
    QPlainTextEdit *source = main().form4->Memo3;
    source->setPlainText(storedText("inicio").replace(u8(":c") + nbsp + u8("d"), u8(":e") + nbsp + u8("f")));
    ASSERT_TRUE(editor().StoreSourceText());
    EXPECT_TRUE(storedText("inicio").contains(u8(":e") + nbsp + u8("f\r\n")));
}

TEST_F(PageEditTest, UndoKeysUndoThePageWhereverItIsEdited)
{
    click(preview()->icon(2));
    IconsPage *icons = scripts()->icons();
    click(icons->icAtv);
    const QString image = icons->Edit1->text();
    QApplication::setActiveWindow(&tools());
    enter(icons->Edit1, u8("desfeita.png"));
    icons->Edit1->setFocus();
    QTest::keyClick(icons->Edit1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(icons->Edit1->text(), image);
    click(scripts()->btCmp);
    ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
    EXPECT_FALSE(storedText("inicio").contains(u8("desfeita.png"))) << "the page kept what the field no longer shows";

    // On a text page the preview's text holds the focus.
    TextLookPage *look = scripts()->textLook();
    const bool bold = look->Biu1->isOn();
    click(look->Biu1);
    QApplication::setActiveWindow(main().form4);
    preview()->Memo2->setFocus();
    QTest::keyClick(preview()->Memo2, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(look->Biu1->isOn(), bold);
    QTest::keyClick(preview()->Memo2, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(look->Biu1->isOn(), !bold);
}

TEST_F(PageEditTest, TheRunViewTakesTheEditorToThePageItShows)
{
    const auto followed = [&](const char *name) {
        return QTest::qWaitFor([&] { return main().work.page.scriptName() == u8(name); }, 10000);
    };
    QWebEnginePage *run = main().form3->Web->page();
    run->runJavaScript(u8("document.querySelector('a[href*=\"Scp=sala\"]').click()"));
    ASSERT_TRUE(followed("sala"));
    waitForRunView();
    // "$start" is resolved by the service to the start page's own address.
    run->runJavaScript(u8("document.querySelector('a[href*=\"start\"]').click()"));
    EXPECT_TRUE(followed("inicio"));
    waitForRunView();

    // An accented name goes both ways in the code page.
    const QString cellar = u8("porão");
    ASSERT_EQ(main().work.service.newScript(cellar), u8("Ok"));
    ASSERT_EQ(main().work.service.storeScript(cellar, pageTemplate(NewPageKind::Text, cellar)), u8("Ok"));
    click(preview()->icon(6));
    QApplication::setActiveWindow(&tools());
    enter(scripts()->icons()->Edit2, cellar);
    click(scripts()->btCmp);
    ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
    waitForRunView();
    run->runJavaScript(u8("document.querySelector('a[href*=\"Scp=por\"]').click()"));
    ASSERT_TRUE(followed("porão"));
    EXPECT_EQ(main().work.session.ScriptName, cellar);
    click(scripts()->btCmp);
    EXPECT_TRUE(storedText("porão").startsWith(u8("//mob txt porão\r\n")));
}

TEST_F(PageEditTest, TheRestingFormListsThePagesVersionsAndRestoresOne)
{
    HistoryPage *history = scripts()->history();
    TextLookPage *look = scripts()->textLook();
    for (const char *font : {"Verdana", "Arial"}) {
        look->Edit4->setText(u8(font));
        click(scripts()->btCmp);
        ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
        waitForRunView();
    }
    scripts()->showForm(ScriptsPage::Default);
    ASSERT_EQ(history->LbxHist->count(), 2);
    click(history->btRst);
    EXPECT_EQ(history->Sth->text(), u8("Escolha uma versão!!!"));
    history->LbxHist->setCurrentRow(1);
    click(history->btRst);
    EXPECT_EQ(scripts()->Stx->text(), u8("inicio"));
    EXPECT_TRUE(storedText("inicio").contains(u8(",Verdana,")));
    EXPECT_EQ(look->Edit4->text(), u8("Verdana"));
    EXPECT_EQ(history->LbxHist->count(), 3);
    waitForRunView();
}

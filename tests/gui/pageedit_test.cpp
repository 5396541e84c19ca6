#include "windows.h"

#include "clicklabel.h"
#include "creationpage.h"
#include "extraspage.h"
#include "generator.h"
#include "iconspage.h"
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

TEST_F(PageEditTest, TypedHotspotsStayOnTheScreen)
{
    pick("sala");
    ScreenPage *screen = scripts()->screen();
    click(screen->lbLk[0]);
    struct Case {
        const char *x, *y, *w, *h;
        QRect shown;
    };
    const Case cases[] = {
        {"900", "-5", "2000", "400", QRect(0, 0, 852, 358)},
        {"840", "350", "65", "65", QRect(787, 293, 65, 65)},
        {"-40", "10", "3", "3", QRect(0, 10, 8, 8)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.x);
        const QStringList edits = {u8("fig"), u8(c.x), u8(c.y), u8(c.w), u8(c.h), u8("a.png"), u8("b"), QString()};
        screen->setLinkEdits(edits);
        click(screen->Image19);
        waitForRunView();
        click(screen->lbLk[0]);
        EXPECT_EQ(preview()->hotspot(), c.shown);
        mouse(QEvent::MouseButtonPress, preview()->Shp1, QPoint(2, 2));
        mouse(QEvent::MouseMove, preview()->Shp1, QPoint(3, 3));
        mouse(QEvent::MouseButtonRelease, preview()->Shp1, QPoint(3, 3));
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(linkEdits()[i].size(), 3) << linkEdits()[i].toStdString();
            EXPECT_FALSE(linkEdits()[i].startsWith(u'-'));
        }
    }
    screen->setLinkEdits({u8("fig"), u8("dez"), u8("1"), u8("1"), u8("1")});
    enter(screen->Lnk[0], u8("fig"));
    click(screen->lbLk[0]);
    EXPECT_FALSE(preview()->hotspotVisible());
    EXPECT_EQ(screen->Stt->text(), kLinkNotNumbersStatus);
}

TEST_F(PageEditTest, APageThatDoesNotOpenLeavesTheShownOneStorable)
{
    preview()->Memo2->setPlainText(u8("editado"));
    main().work.session.ScriptName = u8("nao existe");
    EXPECT_FALSE(editor().OpenPage());
    EXPECT_EQ(main().work.session.ScriptName, u8("inicio"));
    EXPECT_EQ(preview()->Memo2->toPlainText(), u8("editado"));
    EXPECT_EQ(scripts()->Stx->text(), u8("Script não encontrado"));
    ASSERT_TRUE(scripts()->Lbx2->currentItem());
    EXPECT_EQ(scripts()->Lbx2->currentItem()->text(), u8("inicio"));

    click(scripts()->btCmp);
    EXPECT_EQ(scripts()->Stx->text(), u8("Ok"));
    EXPECT_TRUE(storedText("inicio").contains(u8("  editado \r\n")));
    EXPECT_FALSE(Reply(main().work.service.fetchScript(u8("nao existe"))).isOk()) << "nothing stored under the other name";
}

TEST_F(PageEditTest, TheRawEditorStoresOnlyOverThePageItWasLoadedFrom)
{
    click(scripts()->Image3);
    ASSERT_EQ(main().form4->Pan1->currentIndex(), TForm4::ScriptTab);
    const QString loaded = main().form4->Memo3->toPlainText();
    EXPECT_EQ(withoutCr(loaded), withoutCr(storedText("inicio")));

    // Another page picked in the list brings its own text along.
    const QString sala = storedText("sala");
    pick("sala");
    EXPECT_EQ(withoutCr(main().form4->Memo3->toPlainText()), withoutCr(sala));

    // The page stored another way makes the raw text old.
    main().form4->Memo3->setPlainText(main().form4->Memo3->toPlainText() + u8("\n:velho"));
    preview()->Memo2->setPlainText(u8("x"));
    click(scripts()->btCmp);
    ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
    const QString compiled = storedText("sala");
    click(main().form4->findChild<QWidget *>(u8("Image2")));
    EXPECT_EQ(scripts()->Stx->text(), kSourceOutdatedStatus);
    EXPECT_EQ(storedText("sala"), compiled);

    click(scripts()->Image3);
    main().form4->Memo3->setPlainText(main().form4->Memo3->toPlainText() + u8("\n:novo"));
    click(main().form4->findChild<QWidget *>(u8("Image2")));
    EXPECT_EQ(scripts()->Stx->text(), u8("sala"));
    EXPECT_TRUE(storedText("sala").endsWith(u8(":novo")));
    EXPECT_EQ(main().form4->Pan1->currentIndex(), TForm4::PreviewTab);
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

TEST_F(PageEditTest, NewPagesHoldTheTemplateAndARefusalChangesNothing)
{
    click(scripts()->Image4);
    CreationPage *form = scripts()->creation();
    ASSERT_EQ(scripts()->Abook2->currentIndex(), ScriptsPage::Create);
    struct Case {
        const char *name;
        NewPageKind kind;
    };
    for (const Case &c : {Case{"pagina texto", NewPageKind::Text}, Case{"pagina_imagem", NewPageKind::Image}}) {
        SCOPED_TRACE(c.name);
        form->Edit3->setText(u8(c.name));
        click(c.kind == NewPageKind::Text ? form->Image5 : form->Image6);
        EXPECT_EQ(storedText(c.name), pageTemplate(c.kind, u8(c.name)));
        EXPECT_EQ(main().work.session.ScriptName, u8(c.name));
        EXPECT_EQ(main().work.page.model().ObjBarMark, kSwitchedOff);
        EXPECT_FALSE(scripts()->Lbx2->findItems(u8(c.name).replace(u'_', u' '), Qt::MatchExactly).isEmpty());
        waitForRunView();
    }

    const QString shown = main().work.session.ScriptName;
    const QString source = main().form4->Memo3->toPlainText();
    const struct {
        const char *name;
        const char *status;
    } refusals[] = {{"", "Defina um nome!!!"}, {"sala", "Já existe este script!!!"}};
    for (const auto &r : refusals) {
        form->Edit3->setText(u8(r.name));
        click(form->Image5);
        EXPECT_EQ(form->Stc->text(), u8(r.status));
    }
    form->Edit3->setText(u8("../fora"));
    click(form->Image5);
    EXPECT_NE(form->Stc->text(), u8("Ok"));
    EXPECT_EQ(main().work.session.ScriptName, shown);
    EXPECT_EQ(main().form4->Memo3->toPlainText(), source);
}

TEST_F(PageEditTest, TheQrWindowShowsTheAdventureAndThePickedPage)
{
    TForm5 *qr = main().form5;
    const Session &s = main().work.session;
    click(scripts()->Image2);
    ASSERT_TRUE(qr->isVisible());
    waitForLoad(qr->Web);
    EXPECT_EQ(qr->Web->url(), QUrl(qrChartUrl(s.SiteUrl, adventureQrText(s.SiteUrl, u8("casa")))));
    pick("sala");
    waitForLoad(qr->Web);
    EXPECT_EQ(qr->Web->url(), QUrl(qrChartUrl(s.SiteUrl, pageQrText(s.SiteUrl, u8("casa"), s.UserIdx, u8("sala")))));
    click(scripts()->Image2);
    EXPECT_FALSE(qr->isVisible());
    pick("chave");
    EXPECT_FALSE(qr->isVisible());
}

TEST_F(PageEditTest, EditsAreUndoneAndRedoneStepByStep)
{
    TextLookPage *look = scripts()->textLook();
    const bool bold = look->Biu1->isOn();
    click(look->Biu1);
    click(preview()->Objs);
    const QString bar = main().work.page.model().ObjBarMark;
    preview()->Memo2->setPlainText(u8("digitado depois"));

    QApplication::setActiveWindow(main().form4);
    QTest::keyClick(main().form4, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(main().work.page.model().ObjBarMark, bar);
    EXPECT_EQ(look->Biu1->isOn(), !bold);
    QTest::keyClick(main().form4, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(look->Biu1->isOn(), bold);
    EXPECT_EQ(preview()->Memo2->toPlainText(), u8("digitado depois"));
    QTest::keyClick(main().form4, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(look->Biu1->isOn(), !bold);

    pick("sala");
    EXPECT_EQ(main().editor->edits().undoStack().count(), 0);
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
}

TEST_F(PageEditTest, ALateReportOfTheStoredPageKeepsWhatWasTypedSince)
{
    click(scripts()->btCmp);
    ASSERT_EQ(scripts()->Stx->text(), u8("Ok"));
    preview()->Memo2->setPlainText(u8("digitado antes do aviso"));
    const Session &s = main().work.session;
    editor().followNavigation(QUrl(runUrl(s.SiteUrl, s.UserIdx, u8("casa"), u8("inicio"))));
    EXPECT_EQ(preview()->Memo2->toPlainText(), u8("digitado antes do aviso"));
    EXPECT_TRUE(editor().hasUnstoredChanges());
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

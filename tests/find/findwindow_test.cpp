// The window "Buscar e substituir" under Xvfb: its wiring, and one real
// road through the demo adventure on the real service.
#include "find_fixture.h"

#include "findwindow.h"
#include "imagebutton.h"
#include "replacerun.h"
#include "statuslabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <map>

using namespace nimbra;

namespace {

void click(ImageButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Typed as the author types: into the field that has the focus.
void type(QLineEdit *field, const QString &text)
{
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    QTest::keyClicks(field, text);
}

} // namespace

TEST(FindWindow, EachCommandSaysWhatItLacks)
{
    Workspace work;
    FindWindow window(work);
    click(window.btBus);
    EXPECT_EQ(window.Sta->text(), u8("Não tem aventura em edição!!!"));
    click(window.btDes);
    EXPECT_EQ(window.Sta->text(), u8("Não tem aventura em edição!!!"));
    work.session.AdvPrefix = u8("x");
    work.session.AdvFolder = u8("/nenhuma/");
    click(window.btBus);
    EXPECT_EQ(window.Sta->text(), kNoNeedleStatus);
    click(window.btSub);
    EXPECT_EQ(window.Sta->text(), u8("Busque antes de substituir!!!"));
    click(window.btConf);
    EXPECT_EQ(window.Sta->text(), u8("Clique em Substituir... e confira antes de confirmar!!!"));
}

TEST_F(DemoAdventure, FindPreviewReplaceAndUndoThroughTheWindow)
{
    std::map<QString, QString> before;
    for (const QString &page : m_names)
        before[page] = serviceText(page);
    FindWindow window(m_work);
    window.setScriptLister([this] { return m_work.service.listScripts(); });
    window.setHeldPage([](const QString &page) { return page == u8("ajuda"); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy opened(&window, &FindWindow::openPageRequested);
    QSignalSpy stored(&window, &FindWindow::pagesStored);

    type(window.Edt1, u8("Porta"));
    click(window.btBus);
    const SearchResult search = searchPages(fetchPages(m_work.pages, m_names), FindQuery{u8("Porta"), Qt::CaseInsensitive});
    ASSERT_EQ(window.Lbx1->count(), int(search.Matches.size()));
    EXPECT_EQ(window.Lbx1->item(0)->text(), matchLine(search.Matches[0]));
    QListWidgetItem *first = window.Lbx1->item(0);
    const QPoint at = window.Lbx1->visualItemRect(first).center();
    // A double click is a press, a release, a second press and a release.
    QTest::mouseClick(window.Lbx1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window.Lbx1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(window.Lbx1->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toString(), search.Matches[0].Page);

    type(window.Edt2, u8("portal"));
    click(window.btSub);
    const ReplacePlan plan = planReplace(search, u8("portal"));
    EXPECT_EQ(window.Memo1->toPlainText(), previewLines(plan).join(u'\n'));
    EXPECT_EQ(window.Sta->text(), u8("Páginas a gravar: 3   Recusadas: 0   Confira e clique em Confirmar"));

    // Another adventure opened meanwhile: the plan is not for its pages.
    const QString prefix = std::exchange(m_work.session.AdvPrefix, u8("outra"));
    click(window.btConf);
    EXPECT_EQ(window.Sta->text(), kOtherAdventureStatus);
    m_work.session.AdvPrefix = prefix;
    EXPECT_EQ(serviceText(u8("inicio")), before[u8("inicio")]);
    click(window.btSub);

    click(window.btConf);
    EXPECT_EQ(window.Sta->text(), u8("Gravadas: 2   Puladas: 1   Com falha: 0"));
    ASSERT_EQ(stored.count(), 1);
    EXPECT_EQ(stored[0][0].toStringList(), u8Lines({"inicio", "sala"}));
    EXPECT_EQ(plan.Pages[1].Page, u8("inicio"));
    EXPECT_EQ(serviceText(u8("inicio")), plan.Pages[1].NewText);
    EXPECT_EQ(serviceText(u8("ajuda")), before[u8("ajuda")]);
    EXPECT_TRUE(window.Memo1->toPlainText().contains(u8("ajuda: ") + kHeldPageText));

    click(window.btDes);
    EXPECT_EQ(window.Sta->text(), u8("Gravadas: 2   Puladas: 0   Com falha: 0"));
    ASSERT_EQ(stored.count(), 2);
    for (const QString &page : m_names)
        EXPECT_EQ(serviceText(page), before[page]) << page.toStdString();
}

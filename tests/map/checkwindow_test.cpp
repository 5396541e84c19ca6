// The check window over the demo service: what it finds, and a click on a
// finding opening its page.
#include "map_fixture.h"

#include "checkwindow.h"
#include "statuslabel.h"

#include <QListWidget>
#include <QSignalSpy>

using namespace nimbra;

namespace {

QListWidgetItem *itemSaying(const CheckWindow &window, const QString &text)
{
    const QList<QListWidgetItem *> found = window.Lbx1->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void click(const CheckWindow &window, QListWidgetItem *item)
{
    const QRect place = window.Lbx1->visualItemRect(item);
    QTest::mouseClick(window.Lbx1->viewport(), Qt::LeftButton, {}, place.center());
}

} // namespace

TEST_F(DemoMap, TheCheckListsWhatWouldBreakAndAClickOpensItsPage)
{
    addPage(u8("beco"), {u8("lugar nenhum")});
    CheckWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy opened(&window, &CheckWindow::openPageRequested);
    const CheckWindow::Sources sources{
        [this] { return m_service.listScripts(); },
        [this] { return m_service.serverFiles(); },
        [] { return std::vector<ObjectPicture>{{u8("lanterna"), u8("lampiao.png")}}; },
    };
    window.check(m_service, sources, m_startPage);

    const CheckFinding broken{CheckFinding::Kind::BrokenLink, u8("beco"), u8("lugar nenhum")};
    const CheckFinding object{CheckFinding::Kind::MissingObjectPicture, u8("lanterna"), u8("lampiao.png")};
    const std::vector<CheckFinding> &found = window.findings();
    EXPECT_NE(std::find(found.begin(), found.end(), broken), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), object), found.end());
    EXPECT_EQ(window.Lbx1->count(), int(found.size()));
    EXPECT_EQ(window.Sta->text(), u8("Problemas encontrados: %1.").arg(found.size()));

    click(window, itemSaying(window, findingText(object)));
    EXPECT_EQ(opened.count(), 0) << "an object is on no page";
    click(window, itemSaying(window, findingText(broken)));
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.front().front().toString(), u8("beco"));

    // A list of files that does not come is said, not taken for no files.
    window.check(m_service, {sources.pages, [] { return std::optional<QStringList>(); }, {}}, m_startPage);
    EXPECT_TRUE(window.Sta->text().endsWith(u8("Arquivos da aventura não conferidos: a lista não veio!!!")));
    for (const CheckFinding &f : window.findings())
        EXPECT_NE(f.What, CheckFinding::Kind::MissingFile);
}

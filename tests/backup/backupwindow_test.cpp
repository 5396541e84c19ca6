// The backup window: its buttons with a picked folder, the report, the
// restore question and the signal that tells the adventure changed.
#include "backup_fixture.h"

#include "backupwindow.h"
#include "imagebutton.h"
#include "serverfiles.h"
#include "statuslabel.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace nimbra;

namespace {

QStringList rows(const BackupWindow &window)
{
    QStringList texts;
    for (int i = 0; i < window.Lbx1->count(); ++i)
        texts.append(window.Lbx1->item(i)->text());
    return texts;
}

} // namespace

TEST(BackupWindow, WithoutAnAdventureAsksForNoFolder)
{
    Workspace work;
    BackupWindow window(work);
    bool picked = false;
    window.setFolderPicker([&](const QString &) {
        picked = true;
        return QString();
    });
    for (ImageButton *button : {window.btCopy, window.btRestore}) {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(window.Sta->text(), kNoAdventure);
    }
    EXPECT_FALSE(picked);
}

TEST_F(DemoBackup, WindowCopiesAndRestoresThroughItsButtons)
{
    BackupWindow window(m_work);
    QStringList asked;
    bool answer = false;
    window.setPageLister([] { return QStringList{u8("inicio"), u8("sala")}; });
    window.setFolderPicker([this](const QString &) { return backupFolder(); });
    window.setConfirmation([&](const QString &question) {
        asked.append(question);
        return answer;
    });
    QSignalSpy restored(&window, &BackupWindow::adventureRestored);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.btCopy, Qt::LeftButton);
    const BackupOutcome made = window.lastOutcome();
    EXPECT_TRUE(made.Lines.contains(u8("Página sala: Ok")));
    EXPECT_FALSE(made.Lines.contains(u8("Página chave: Ok")));
    EXPECT_EQ(rows(window), made.Lines);
    EXPECT_EQ(window.Sta->text(), made.Summary);

    QTest::mouseClick(window.btRestore, Qt::LeftButton);
    EXPECT_EQ(asked, QStringList{kRestoreQuestion.arg(backupFolder())});
    EXPECT_EQ(window.Sta->text(), kRestoreCancelled);
    EXPECT_EQ(rows(window), made.Lines);
    EXPECT_EQ(restored.count(), 0);

    answer = true;
    QTest::mouseClick(window.btRestore, Qt::LeftButton);
    EXPECT_EQ(restored.count(), 1);
    EXPECT_TRUE(window.lastOutcome().Lines.contains(u8("Conferir página sala: Ok")));
    EXPECT_EQ(rows(window), window.lastOutcome().Lines);
    EXPECT_EQ(window.Sta->text(), window.lastOutcome().Summary);
}

#include "settingsfile.h"
#include "windows.h"

#include "codepage.h"
#include "tform3.h"
#include "tform4.h"
#include "statuslabel.h"

#include <QFile>

using namespace nimbra;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SettingsFile, ReadsWhatIsThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nimbra.ini"));
    EXPECT_FALSE(readSettings(path).Login) << "no file, nothing read";

    writeFile(path, "ana\r\nsegr\xE9" "do\r\n");
    Settings s = readSettings(path);
    EXPECT_EQ(s.Login, u8("ana"));
    EXPECT_EQ(s.Password, u8("segrédo"));
    EXPECT_FALSE(s.Tools.Top) << "a two-line file leaves every position";

    writeFile(path, "ana\nx\n100\nabc\n5\n6\n\n8\n...\n");
    s = readSettings(path);
    EXPECT_EQ(s.Tools.Top, 100);
    EXPECT_FALSE(s.Tools.Left) << "not a number: that coordinate stays";
    EXPECT_EQ(s.Run.Top, 5);
    EXPECT_EQ(s.Run.Left, 6);
    EXPECT_FALSE(s.Preview.Top);
    EXPECT_EQ(s.Preview.Left, 8);
}

TEST(SettingsFile, WritesNineCrLfLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nimbra.ini"));
    ASSERT_FALSE(writeSettings(path, u8("ana"), u8("pé"), {10, 51}, {263, 116}, {200, 51}));
    EXPECT_EQ(readFile(path), QByteArray("ana\r\np\xE9\r\n51\r\n10\r\n116\r\n263\r\n51\r\n200\r\n...\r\n"));
    EXPECT_TRUE(writeSettings(dir.filePath(QStringLiteral("nao/existe/nimbra.ini")), {}, {}, {}, {}, {}))
        << "an unwritable place reports its error";
}

TEST(SettingsFile, PositionsStayOnTheScreen)
{
    const QRect screen(0, 0, 1600, 1000);
    EXPECT_EQ(keptOnScreen({10, 51}, {420, 900}, screen), QPoint(10, 51));
    EXPECT_EQ(keptOnScreen({-5000, 51}, {420, 900}, screen), QPoint(-380, 51));
    EXPECT_EQ(keptOnScreen({9000, -20}, {420, 900}, screen), QPoint(1559, 0));
    EXPECT_EQ(keptOnScreen({100, 5000}, {420, 900}, screen), QPoint(100, 959));
}

TEST_F(WindowTest, SettingsAppliedOnceAndExitBeforeLoginKeepsTheLogin)
{
    writeFile(main().settingsPath(), "ana\r\nsegredo\r\n300\r\n40\r\n400\r\n500\r\nxx\r\n250\r\n...\r\n");
    main().applySettingsOnce();
    EXPECT_EQ(tools().login()->XLog->text(), u8("ana"));
    EXPECT_EQ(tools().login()->XSen->text(), u8("segredo"));
    EXPECT_EQ(tools().pos(), QPoint(40, 300));
    EXPECT_EQ(main().form3->pos(), QPoint(500, 400));
    EXPECT_EQ(main().form4->pos(), QPoint(250, 51)) << "a bad Top leaves the created one";

    tools().move(60, 300);
    writeFile(main().settingsPath(), "outro\r\n");
    main().applySettingsOnce();
    EXPECT_EQ(tools().login()->XLog->text(), u8("ana")) << "only the first activation reads the file";

    ASSERT_EQ(main().writeSettingsFile(), std::nullopt);
    EXPECT_EQ(readFile(main().settingsPath()),
              QByteArray("ana\r\nsegredo\r\n300\r\n60\r\n400\r\n500\r\n51\r\n250\r\n...\r\n"));
}

TEST_F(WindowTest, ExitAfterLoginWritesTheSession)
{
    logIn("DEMO", "demo");
    ASSERT_EQ(main().work.session.Login, u8("demo")) << "the name as the service spells it";
    ASSERT_EQ(main().writeSettingsFile(), std::nullopt);
    EXPECT_TRUE(readFile(main().settingsPath()).startsWith("demo\r\ndemo\r\n"));
}

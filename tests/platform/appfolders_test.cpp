// Where the client keeps its files: its own folder from the build tree, the
// author's XDG folders when installed.
#include "appfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nimbra;

TEST(AppFolders, InstalledOnlyOutsideTheBuildTree)
{
    struct Case {
        const char *programDir, *buildTree;
        bool installed;
    };
    const Case cases[] = {
        {"/usr/bin", "/home/ana/nimbra/build", true},
        {"/usr/local/bin", "/home/ana/nimbra/build", true},
        {"/tmp/root/usr/bin", "/home/ana/nimbra/build", true},
        {"/home/ana/nimbra/build/app", "/home/ana/nimbra/build", false},
        {"/home/ana/nimbra/build/app/", "/home/ana/nimbra/build/", false},
        {"/home/ana/nimbra/build", "/home/ana/nimbra/build", false},
        // A sibling whose name starts like the tree is outside it.
        {"/home/ana/nimbra/build-copy/app", "/home/ana/nimbra/build", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.programDir) + " in " + c.buildTree);
        EXPECT_EQ(isInstalledRunFrom(QString::fromUtf8(c.programDir), QString::fromUtf8(c.buildTree)), c.installed);
    }
}

TEST(AppFolders, AreTheOwnFolderOrTheAuthorsAndExist)
{
    struct Case {
        FolderKind kind;
        bool installed;
        const char *expected; // below the temporary folder
    };
    const Case cases[] = {
        {FolderKind::Settings, true, "config/nimbra/"},
        {FolderKind::Adventures, true, "data/nimbra/"},
        {FolderKind::Settings, false, "app/"},
        {FolderKind::Adventures, false, "app/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        const QString folder = folderFor(c.kind, c.installed, dir.filePath(QStringLiteral("app")));
        EXPECT_EQ(folder, dir.path() + u'/' + QString::fromUtf8(c.expected));
        EXPECT_TRUE(QDir(folder).exists());
    }
}

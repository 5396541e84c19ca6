// Where the client keeps its files: its own folder from the build tree, the
// author's XDG folders when installed.
#include "appfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace nimbra;

namespace {

struct RunPlace {
    const char *ProgramDir;
    const char *BuildTree;
    bool Installed;
};

void PrintTo(const RunPlace &p, std::ostream *os)
{
    *os << p.ProgramDir << " in " << p.BuildTree;
}

struct FolderCase {
    const char *What;
    FolderKind Kind;
    bool Installed;
    const char *Expected; // below the temporary folder
};

void PrintTo(const FolderCase &c, std::ostream *os)
{
    *os << c.What;
}

} // namespace

class RunFrom : public ::testing::TestWithParam<RunPlace> {};

TEST_P(RunFrom, IsInstalledOnlyOutsideTheBuildTree)
{
    const RunPlace &p = GetParam();
    EXPECT_EQ(isInstalledRunFrom(QString::fromUtf8(p.ProgramDir), QString::fromUtf8(p.BuildTree)), p.Installed);
}

INSTANTIATE_TEST_SUITE_P(Places, RunFrom,
                         ::testing::Values(RunPlace{"/usr/bin", "/home/ana/nimbra/build", true},
                                           RunPlace{"/usr/local/bin", "/home/ana/nimbra/build", true},
                                           RunPlace{"/tmp/root/usr/bin", "/home/ana/nimbra/build", true},
                                           RunPlace{"/home/ana/nimbra/build/app", "/home/ana/nimbra/build", false},
                                           RunPlace{"/home/ana/nimbra/build/app/", "/home/ana/nimbra/build/", false},
                                           RunPlace{"/home/ana/nimbra/build", "/home/ana/nimbra/build", false},
                                           // A sibling whose name starts like the tree is outside it.
                                           RunPlace{"/home/ana/nimbra/build-copy/app", "/home/ana/nimbra/build",
                                                    true}));

class Folders : public ::testing::TestWithParam<FolderCase> {};

TEST_P(Folders, AreTheOwnFolderOrTheAuthorsAndExist)
{
    const FolderCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
    const QString folder = folderFor(c.Kind, c.Installed, dir.filePath(QStringLiteral("app")));
    EXPECT_EQ(folder, dir.path() + u'/' + QString::fromUtf8(c.Expected));
    EXPECT_TRUE(QDir(folder).exists());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Folders,
    ::testing::Values(FolderCase{"installed_settings", FolderKind::Settings, true, "config/nimbra/"},
                      FolderCase{"installed_adventures", FolderKind::Adventures, true, "data/nimbra/"},
                      FolderCase{"build_tree_settings", FolderKind::Settings, false, "app/"},
                      FolderCase{"build_tree_adventures", FolderKind::Adventures, false, "app/"}),
    [](const ::testing::TestParamInfo<FolderCase> &info) { return std::string(info.param.What); });

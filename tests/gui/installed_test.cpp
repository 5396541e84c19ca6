// The version panel of a program installed by the package manager offers no
// download and sends the author to the package manager; run from the build
// tree it offers the download.
#include "windows.h"

#include <memory>
#include <ostream>

namespace {

struct PanelCase {
    const char *What;
    bool ByPackage;
    bool DownloadShown;
    bool NoteShown;
    bool UpdaterFetched; // by a click on "Fazer download..."
};

void PrintTo(const PanelCase &c, std::ostream *os)
{
    *os << c.What;
}

} // namespace

class VersionPanel : public WindowTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(VersionPanel, OffersTheDownloadOnlyOutsideThePackageManager)
{
    const PanelCase &c = GetParam();
    nimbra::LoginPage *page = tools().login();
    page->setUpdatesByPackage(c.ByPackage);
    page->PanVrs->show();
    EXPECT_EQ(page->Image14->isVisibleTo(page->PanVrs), c.DownloadShown);
    const auto *note = page->PanVrs->findChild<QLabel *>(QStringLiteral("lbPacote"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->isVisibleTo(page->PanVrs), c.NoteShown);
    EXPECT_TRUE(note->text().contains(QStringLiteral("gerenciador de pacotes")));

    // The end may come after the test; it only marks that it came.
    const auto ended = std::make_shared<bool>(false);
    main().setEnd([ended] { *ended = true; });
    page->Image14Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(QFile::exists(appDir() + QStringLiteral("atlz.exe")), c.UpdaterFetched);
    if (c.ByPackage) {
        EXPECT_FALSE(*ended) << "an installed program does not end for an update";
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, VersionPanel,
                         ::testing::Values(PanelCase{"installed", true, false, true, false},
                                           PanelCase{"build_tree", false, true, false, true}),
                         [](const ::testing::TestParamInfo<PanelCase> &info) { return std::string(info.param.What); });

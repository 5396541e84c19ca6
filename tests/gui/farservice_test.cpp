// The client against a service far away, stalled, or left while it works:
// the author stays in control and the right page is stored.
#include "windows.h"

#include "delayline.h"
#include "extraspage.h"
#include "recorder.h"
#include "scriptspage.h"
#include "statuslabel.h"
#include "tform3.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

using namespace nimbra;
using namespace std::chrono_literals;

namespace {

// Waits while the windows work, up to `limit`.
bool waitFor(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    return QTest::qWaitFor(done, int(limit.count()));
}

// Every answer of the service held back by the test's delay.
class FarService : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_line = std::make_unique<DelayLine>(m_service->port(), delay());
        main().work.session.setSite(QString::fromStdString(m_line->baseUrl()));
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        m_line.reset();
    }
    std::chrono::milliseconds delay() const { return std::chrono::milliseconds(GetParam()); }

    QString storedText(const char *name)
    {
        const QString reply = main().work.service.fetchScript(u8(name));
        return reply.mid(reply.indexOf(u'\n') + 1);
    }

    std::unique_ptr<DelayLine> m_line;
};

// A service that holds the login, for what the author does meanwhile.
class StalledService : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        main().work.session.setSite(QString::fromStdString(m_recorder.siteUrl()));
        main().setEnd([this] { ++m_ends; });
        m_recorder.answer({200, "Ok\r\ndemo\r\n1\r\n", 1500ms});
    }

    // Clicks "Logar" and, while the login waits, does `meanwhile`.
    void logInWhile(const std::function<void()> &meanwhile)
    {
        QTimer::singleShot(300, &main(), meanwhile);
        logIn();
    }

    int logins()
    {
        int count = 0;
        for (const Recorded &r : m_recorder.requests())
            count += r.Target.find("nmbLog.php") != std::string::npos;
        return count;
    }

    Recorder m_recorder;
    int m_ends = 0;
};

} // namespace

TEST_P(FarService, AnEditRoadStoresTheRightPage)
{
    const auto patience = delay() * 20 + 10s;
    openDemoAdventure();
    ASSERT_TRUE(waitFor([&] { return main().work.page.scriptName() == u8("inicio"); }, patience));
    waitForLoad(main().form3->Web);

    // The player opens the door in the run view: the editor follows.
    main().form3->Web->page()->runJavaScript(u8("document.querySelector('a[href*=\"Scp=sala\"]').click()"));
    ASSERT_TRUE(waitFor([&] { return main().work.page.scriptName() == u8("sala"); }, patience));
    EXPECT_EQ(main().work.session.ScriptName, u8("sala"));
    ASSERT_TRUE(tools().scripts()->Lbx2->currentItem());
    EXPECT_EQ(tools().scripts()->Lbx2->currentItem()->text(), u8("sala"));

    const QString before = storedText("inicio");
    QPlainTextEdit *freeSection = tools().extras()->Memo4;
    freeSection->setPlainText(u8(":mudado de longe\n") + freeSection->toPlainText());
    click(tools().scripts()->btCmp);
    EXPECT_EQ(tools().scripts()->Stx->text(), u8("Ok"));
    EXPECT_TRUE(storedText("sala").contains(u8("\r\n:mudado de longe\r\n")));
    EXPECT_EQ(storedText("inicio"), before);
    waitFor([] { return false; }, delay() * 2);
    EXPECT_EQ(main().work.page.scriptName(), u8("sala")) << "the run view's report of the store took the editor away";
}

INSTANTIATE_TEST_SUITE_P(Latency, FarService, ::testing::Values(1000, 3000));

TEST_F(StalledService, ClicksDuringARequestAreDroppedNotReplayed)
{
    logInWhile([this] {
        click(tools().login()->btLog);
        click(tools().login()->btLog);
    });
    waitFor([] { return false; }, 500ms);
    EXPECT_EQ(logins(), 1);
}

TEST_F(StalledService, EscAndTheIndicatorCancelTheRequest)
{
    const struct {
        const char *what;
        std::function<void()> cancel;
    } cases[] = {
        {"Esc", [this] { QTest::keyClick(tools().login()->XLog, Qt::Key_Escape); }},
        {"the indicator", [this] { click(main().findChild<QWidget *>(u8("Led"))); }},
    };
    for (const auto &c : cases) {
        logInWhile(c.cancel);
        EXPECT_EQ(tools().login()->Sta->text(), kCancelledText) << c.what;
        EXPECT_EQ(main().work.session.Login, QString()) << c.what;
        EXPECT_EQ(main().ledColor(), QColor(0x80, 0x00, 0x00)) << c.what;
    }
    EXPECT_EQ(m_ends, 0);
}

TEST_F(StalledService, TheExitEndsTheRunEvenDuringARequest)
{
    logInWhile([this] { click(main().findChild<QWidget *>(u8("Fim"))); });
    EXPECT_TRUE(waitFor([this] { return m_ends == 1; }, 2s));
    EXPECT_TRUE(QFile::exists(main().settingsPath()));
    EXPECT_EQ(logins(), 1) << "no request after the end was decided";
}

TEST_F(StalledService, TheExitEndsTheRunWhenTheSettingsCannotBeWritten)
{
    // A folder where the file should be: not writable, even for root.
    ASSERT_TRUE(QDir().mkpath(main().settingsPath()));
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    answer.start(50);
    click(main().findChild<QWidget *>(u8("Fim")));
    EXPECT_FALSE(shown.isEmpty()) << "the error was not shown";
    EXPECT_TRUE(waitFor([this] { return m_ends == 1; }, 2s));
}

TEST_F(StalledService, ClosingTheMainWindowEndsTheRunWithoutWritingSettings)
{
    main().close();
    EXPECT_TRUE(waitFor([this] { return m_ends == 1; }, 2s));
    EXPECT_FALSE(QFile::exists(main().settingsPath()));
}

#include "eventhold.h"
#include "imagebutton.h"
#include "inputgate.h"
#include "pump.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <array>
#include <vector>

using namespace nimbra;

namespace {

xcb_connection_t *display()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Sends the display a button press or release for the widget's window, as a
// mouse would, and waits until the display has queued it back to us.
void buttonOnTheDisplay(uint8_t type, QWidget &window, QPoint at)
{
    xcb_connection_t *connection = display();
    ASSERT_NE(connection, nullptr) << "the tests run on the xcb platform";
    const auto x = int16_t(at.x()), y = int16_t(at.y());
    const xcb_button_press_event_t press{.response_type = type, .detail = 1, .sequence = 0, .time = 1000,
                                         .root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root,
                                         .event = xcb_window_t(window.winId()), .child = XCB_NONE,
                                         .root_x = int16_t(window.x() + x), .root_y = int16_t(window.y() + y),
                                         .event_x = x, .event_y = y, .state = 0, .same_screen = 1, .pad0 = 0};
    xcb_send_event(connection, false, press.event,
                   type == XCB_BUTTON_PRESS ? XCB_EVENT_MASK_BUTTON_PRESS : XCB_EVENT_MASK_BUTTON_RELEASE,
                   reinterpret_cast<const char *>(&press));
    // events sent before a reply arrive before it
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Held-back input is handed on when the display next has news for us.
void nudgeTheDisplay(QWidget &window)
{
    const uint8_t value = 1;
    xcb_change_property(display(), XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        XCB_ATOM_CUT_BUFFER0, XCB_ATOM_STRING, 8, 1, &value);
    xcb_flush(display());
}

void postClick(QWidget *widget)
{
    const QPointF at(2, 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                                                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                            Qt::NoModifier));
}

void postKey(QWidget *widget, int key)
{
    const QString text = key == Qt::Key_A ? QStringLiteral("a") : QString();
    QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}

class Canvas : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// A window with buttons: plain, cancel and acting, as the main window has.
class Gate : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(240, 60);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new ImageButton(&window);
            buttons[i]->setGeometry(10 + 70 * i, 10, 60, 20);
            QObject::connect(buttons[i], &ImageButton::clicked, [this, i] { ++clicks[size_t(i)]; });
        }
        canvas = new Canvas(&window);
        canvas->setGeometry(220, 10, 15, 30);
        InputGate &gate = InputGate::instance();
        gate.setCancel([this] { ++cancels; });
        gate.addCancelWidget(buttons[1]);
        gate.addActingWidget(buttons[2]);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { InputGate::instance().setCancel({}); }

    QWidget window;
    ImageButton *buttons[3] = {};
    std::array<int, 3> clicks{};
    Canvas *canvas = nullptr;
    int cancels = 0;
};

} // namespace

TEST_F(Gate, RepaintsButDropsTheClicksOfTheWait)
{
    QSignalSpy pressed(buttons[0], &ImageButton::pressed);
    const int paintsBefore = canvas->paints;
    canvas->update();
    buttonOnTheDisplay(XCB_BUTTON_PRESS, window, QPoint(20, 15));
    for (int i = 0; i < 20; ++i) {
        letPendingMessagesBeProcessed();
        QTest::qSleep(5);
    }
    EXPECT_GT(canvas->paints, paintsBefore);
    // Neither then nor later: the press is not replayed, and its release,
    // after the wait, does not act alone.
    buttonOnTheDisplay(XCB_BUTTON_RELEASE, window, QPoint(20, 15));
    nudgeTheDisplay(window);
    QTest::qWait(100);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_EQ(clicks[0], 0);
    EXPECT_EQ(cancels, 0);

    // A click after the wait acts.
    buttonOnTheDisplay(XCB_BUTTON_PRESS, window, QPoint(20, 15));
    buttonOnTheDisplay(XCB_BUTTON_RELEASE, window, QPoint(20, 15));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks[0] == 1; }));
}

TEST_F(Gate, OnlyEscTheIndicatorAndTheExitActDuringTheWait)
{
    QLineEdit edit(&window);
    edit.setGeometry(10, 35, 60, 20);
    edit.show();
    const struct {
        const char *what;
        std::function<void()> act;
        int cancels;
        std::array<int, 3> clicks;
    } cases[] = {
        {"a click", [&] { postClick(buttons[0]); }, 0, {0, 0, 0}},
        {"typing", [&] { postKey(&edit, Qt::Key_A); }, 0, {0, 0, 0}},
        {"Esc", [&] { postKey(&edit, Qt::Key_Escape); }, 1, {0, 0, 0}},
        {"the cancel widget", [&] { postClick(buttons[1]); }, 1, {0, 0, 0}},
        {"the acting widget", [&] { postClick(buttons[2]); }, 1, {0, 0, 1}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        cancels = 0;
        clicks = {};
        // as if the author acted while the pump runs
        c.act();
        letPendingMessagesBeProcessed();
        QTest::qWait(20);
        EXPECT_EQ(cancels, c.cancels);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_TRUE(edit.text().isEmpty());
    }
    // Outside a wait nothing is held back.
    postClick(buttons[0]);
    postKey(&edit, Qt::Key_A);
    QTest::qWait(20);
    EXPECT_EQ(clicks[0], 1);
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
}

TEST(EventHold, CallsMadeDuringTheWaitRunAfterItInTheirOrder)
{
    std::vector<int> ran;
    auto context = std::make_unique<QObject>();
    QObject kept;
    {
        EventHold hold;
        EventHold::whenFree(&kept, [&] { ran.push_back(1); });
        EventHold::whenFree(context.get(), [&] { ran.push_back(2); });
        EventHold::whenFree(&kept, [&] { ran.push_back(3); });
        context.reset();
        letPendingMessagesBeProcessed();
    }
    EXPECT_TRUE(ran.empty()) << "a held call ran inside the wait or its handler";
    QTest::qWait(20);
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EventHold::whenFree(&kept, [&] { ran.push_back(4); });
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 4}));
}

#include "imagebutton.h"
#include "pump.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstring>

using namespace nimbra;

namespace {

// Sends the display a button press for the widget's window, as a mouse
// would, and waits until the display has queued it back to us.
xcb_connection_t *display()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

void pressOnTheDisplay(QWidget &window, QPoint at)
{
    xcb_connection_t *connection = display();
    ASSERT_NE(connection, nullptr) << "the tests run on the xcb platform";
    xcb_button_press_event_t press;
    std::memset(&press, 0, sizeof press);
    press.response_type = XCB_BUTTON_PRESS;
    press.detail = 1;
    press.time = 1000;
    press.root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    press.event = static_cast<xcb_window_t>(window.winId());
    press.child = XCB_NONE;
    press.event_x = static_cast<int16_t>(at.x());
    press.event_y = static_cast<int16_t>(at.y());
    press.root_x = static_cast<int16_t>(window.x() + at.x());
    press.root_y = static_cast<int16_t>(window.y() + at.y());
    press.same_screen = 1;
    xcb_send_event(connection, false, press.event, XCB_EVENT_MASK_BUTTON_PRESS,
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

class Canvas : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

} // namespace

TEST(Pump, RepaintsButLetsNoClickThrough)
{
    QWidget window;
    window.resize(120, 60);
    auto *button = new ImageButton(&window);
    button->setGeometry(10, 10, 60, 20);
    auto *canvas = new Canvas(&window);
    canvas->setGeometry(80, 10, 30, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy pressed(button, &ImageButton::pressed);

    const int paintsBefore = canvas->paints;
    canvas->update();
    pressOnTheDisplay(window, QPoint(20, 15));
    for (int i = 0; i < 20; ++i) {
        letPendingMessagesBeProcessed();
        QTest::qSleep(5);
    }
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_GT(canvas->paints, paintsBefore);

    // the press was real: it reaches the button once input is let through
    nudgeTheDisplay(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pressed.count() == 1; }));
}

TEST(Pump, RunsQueuedWork)
{
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
    letPendingMessagesBeProcessed();
    EXPECT_TRUE(ran);
}

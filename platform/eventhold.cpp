#include "eventhold.h"

#include <QCoreApplication>
#include <QPointer>

#include <deque>

namespace nimbra {

namespace {

struct HeldCall {
    QPointer<QObject> Context;
    std::function<void()> Call;
};

int g_depth = 0;
std::deque<HeldCall> g_held;

void runHeld()
{
    while (g_depth == 0 && !g_held.empty()) {
        HeldCall next = std::move(g_held.front());
        g_held.pop_front();
        if (next.Context)
            next.Call();
    }
}

// From the message loop, never from inside the handler whose hold ends.
void runHeldLater()
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), runHeld, Qt::QueuedConnection);
}

} // namespace

EventHold::EventHold()
{
    ++g_depth;
}

EventHold::~EventHold()
{
    if (--g_depth == 0 && !g_held.empty())
        runHeldLater();
}

bool EventHold::active()
{
    return g_depth > 0;
}

void EventHold::whenFree(QObject *context, std::function<void()> call)
{
    if (!active() && g_held.empty()) {
        call();
        return;
    }
    g_held.push_back({context, std::move(call)});
    if (!active())
        runHeldLater();
}

} // namespace nimbra

#pragma once

#include <QObject>

#include <functional>

namespace nimbra {

// While something holds the events (a transfer, or another wait that lets
// the windows repaint), calls that could start a request must not run: they
// wait, and run in their order once nothing holds any more.
class EventHold final {
public:
    EventHold();
    ~EventHold();
    Q_DISABLE_COPY_MOVE(EventHold)

    static bool active();
    // Runs call now, or once nothing holds. A call whose context is gone by
    // then is dropped.
    static void whenFree(QObject *context, std::function<void()> call);
};

} // namespace nimbra

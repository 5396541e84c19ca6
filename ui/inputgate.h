#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace nimbra {

// While events are held (a transfer runs), the author's clicks and keys are
// dropped, never kept for later: Esc and a click on a cancel widget stop the
// transfer, and an acting widget (the exit) stops it and then gets its press
// and release. A release whose press was dropped is dropped too, even after
// the hold.
class InputGate final : public QObject {
    Q_OBJECT
public:
    // The one gate, watching the whole application from its first use.
    static InputGate &instance();

    void setCancel(std::function<void()> cancel) { m_cancel = std::move(cancel); }
    void addCancelWidget(QWidget *widget) { m_cancelWidgets.append(widget); }
    void addActingWidget(QWidget *widget) { m_actingWidgets.append(widget); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    InputGate() = default;
    bool filterPress(QWidget *widget, Qt::MouseButton button);
    bool filterRelease(Qt::MouseButton button);
    bool filterKey(int key);
    void cancel();

    std::function<void()> m_cancel;
    QList<QPointer<QWidget>> m_cancelWidgets;
    QList<QPointer<QWidget>> m_actingWidgets;
    Qt::MouseButtons m_dropped;
    Qt::MouseButtons m_passed;
};

} // namespace nimbra

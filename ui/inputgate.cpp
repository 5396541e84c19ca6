#include "inputgate.h"

#include "eventhold.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace nimbra {

namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

bool within(QWidget *widget, const QList<QPointer<QWidget>> &roots)
{
    for (const QPointer<QWidget> &root : roots) {
        if (root && (root == widget || root->isAncestorOf(widget)))
            return true;
    }
    return false;
}

// A box shown while events are held (the exit's error report) must be
// answerable.
bool inModalBox(QWidget *widget)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal && (modal == widget || modal->isAncestorOf(widget));
}

} // namespace

InputGate &InputGate::instance()
{
    static InputGate *gate = [] {
        auto *created = new InputGate;
        created->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(created);
        return created;
    }();
    return *gate;
}

void InputGate::cancel()
{
    if (m_cancel)
        m_cancel();
}

bool InputGate::filterPress(QWidget *widget, Qt::MouseButton button)
{
    if (!EventHold::active())
        return false;
    if (within(widget, m_actingWidgets)) {
        cancel();
        m_passed |= button;
        return false;
    }
    if (within(widget, m_cancelWidgets))
        cancel();
    m_dropped |= button;
    return true;
}

bool InputGate::filterRelease(Qt::MouseButton button)
{
    if (m_dropped & button) {
        m_dropped &= ~button;
        return true;
    }
    if (m_passed & button) {
        m_passed &= ~button;
        return false;
    }
    // The press came before the hold; released now, it would click.
    return EventHold::active();
}

bool InputGate::filterKey(int key)
{
    if (!EventHold::active())
        return false;
    if (key == Qt::Key_Escape)
        cancel();
    return true;
}

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    if (!isInput(event->type()))
        return false;
    if (!watched->isWidgetType()) {
        // Windows pass input on to their widgets, where it is judged; a
        // shortcut goes straight to its action.
        const bool shortcut = event->type() == QEvent::Shortcut || event->type() == QEvent::ShortcutOverride;
        return shortcut && EventHold::active();
    }
    auto *widget = static_cast<QWidget *>(watched);
    if (inModalBox(widget))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return filterPress(widget, static_cast<QMouseEvent *>(event)->button());
    case QEvent::MouseButtonRelease:
        return filterRelease(static_cast<QMouseEvent *>(event)->button());
    case QEvent::KeyPress:
        return filterKey(static_cast<QKeyEvent *>(event)->key());
    default:
        return EventHold::active();
    }
}

} // namespace nimbra

#pragma once

#include <QPoint>

namespace nimbra {

// Moves a window by a control the author holds down. Points are in the
// control's own coordinates; the control moves with the window, so the
// start point stays under the mouse and is kept for the whole drag.
class DragMover final {
public:
    void press(QPoint inControl)
    {
        m_start = inControl;
        m_active = true;
    }

    // The window's new top-left; with the vertical lock on only x follows.
    QPoint move(QPoint inControl, QPoint windowTopLeft, bool verticalLock) const
    {
        if (!m_active)
            return windowTopLeft;
        QPoint moved = windowTopLeft;
        if (inControl.x() != m_start.x())
            moved.rx() += inControl.x() - m_start.x();
        if (!verticalLock && inControl.y() != m_start.y())
            moved.ry() += inControl.y() - m_start.y();
        return moved;
    }

    void release() { m_active = false; }
    bool active() const { return m_active; }

private:
    QPoint m_start;
    bool m_active = false;
};

} // namespace nimbra

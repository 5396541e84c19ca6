#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>

namespace nimbra {

bool dragWindow(DragMover &mover, QEvent *event, QWidget *window, bool verticalLock)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mover.press(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        if (!mover.active())
            return false;
        window->move(mover.move(static_cast<QMouseEvent *>(event)->position().toPoint(), window->pos(), verticalLock));
        return true;
    case QEvent::MouseButtonRelease:
        mover.release();
        return true;
    default:
        return false;
    }
}

} // namespace nimbra

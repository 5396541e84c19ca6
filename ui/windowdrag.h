#pragma once

#include "dragmover.h"

class QEvent;
class QWidget;

namespace nimbra {

// Drags window by the mouse events of a control inside it: press starts,
// move follows, release ends. True when the event was a drag event.
bool dragWindow(DragMover &mover, QEvent *event, QWidget *window, bool verticalLock);

} // namespace nimbra

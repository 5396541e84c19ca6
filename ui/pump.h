#pragma once

namespace nimbra {

// Lets the windows repaint while a synchronous request runs, without any
// click or key reaching a handler meanwhile.
void letPendingMessagesBeProcessed();

} // namespace nimbra

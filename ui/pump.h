#pragma once

namespace nimbra {

// Lets the windows repaint while a synchronous request runs. Meanwhile no
// click or key reaches a handler (they are dropped, not replayed) and calls
// held with EventHold wait until it returns.
void letPendingMessagesBeProcessed();

} // namespace nimbra

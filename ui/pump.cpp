#include "pump.h"

#include "eventhold.h"
#include "inputgate.h"

#include <QCoreApplication>

namespace nimbra {

void letPendingMessagesBeProcessed()
{
    // The gate drops the author's input meanwhile; the hold keeps back
    // whatever could start another request.
    InputGate::instance();
    EventHold hold;
    QCoreApplication::processEvents();
}

} // namespace nimbra

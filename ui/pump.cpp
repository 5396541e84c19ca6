#include "pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace nimbra {

void letPendingMessagesBeProcessed()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace nimbra

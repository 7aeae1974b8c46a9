#include "MessagePump.h"

#include <QCoreApplication>

void PumpWaitingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

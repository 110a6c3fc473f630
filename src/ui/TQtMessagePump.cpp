#include "ui/TQtMessagePump.h"

#include <QCoreApplication>

void TQtMessagePump::Pump()
{
    QCoreApplication::processEvents();
}

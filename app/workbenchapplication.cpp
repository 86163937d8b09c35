#include "workbenchapplication.h"

#include "hostmessages.h"

TWorkbenchApplication::TWorkbenchApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TWorkbenchApplication::notify(QObject *Receiver, QEvent *Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        HandleHostException();
        return false;
    }
}

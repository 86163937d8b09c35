#include "workbenchsession.h"

#include "hostpalette.h"

TWorkbenchSession::TWorkbenchSession()
{
    RegisterHostComponents();
}

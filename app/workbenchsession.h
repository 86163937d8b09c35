#pragma once
// TWorkbenchSession: the host session of the workbench (see hostsession.h), with the host's
// data-access components on the palette.

#include "hostsession.h"

class TWorkbenchSession : public THostSession {
public:
    TWorkbenchSession();
};

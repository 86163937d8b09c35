#include "hostunits.h"

#include "unitstates.h"

KOR_DEFINE_UNIT_ROUTINES(KOR_HOST_UNITS, HostUnitNames, IsHostUnitStarted)

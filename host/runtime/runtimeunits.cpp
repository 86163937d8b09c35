#include "runtimeunits.h"

#include "unitstates.h"

KOR_DEFINE_UNIT_ROUTINES(KOR_RUNTIME_UNITS, RuntimeUnitNames, IsRuntimeUnitStarted)

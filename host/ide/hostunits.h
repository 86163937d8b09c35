#pragma once
// Start and stop routines of the host's own units that design-time packages use. A package's unit
// table points at these routines for every host unit its units use, so the host runtime starts a
// host unit before the first package unit that needs it and stops it after the last.

#include <QString>
#include <QStringList>

#include "korhost_export.h"

// The host units, in the order the host starts them.
#define KOR_HOST_UNITS(X) X(Toolsapi) X(Designeditors) X(Vcleditors) X(Colnedit) X(Toolwnds)

#define KOR_DECLARE_HOST_UNIT(Unit)                                                                \
    KORHOST_EXPORT void Unit##_Initialization();                                                   \
    KORHOST_EXPORT void Unit##_Finalization();
extern "C" {
KOR_HOST_UNITS(KOR_DECLARE_HOST_UNIT)
}
#undef KOR_DECLARE_HOST_UNIT

KORHOST_EXPORT QStringList HostUnitNames();
// Whether the named host unit is started; false for an unknown name.
KORHOST_EXPORT bool IsHostUnitStarted(const QString &Unit);

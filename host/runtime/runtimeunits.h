#pragma once
// Start and stop routines of the run-time package's units. A design-time package's unit table
// points at these routines for every run-time unit its units use.

#include <QString>
#include <QStringList>

#include "korruntime_export.h"

// The run-time units, in the order the package starts them.
// clang-format off
#define KOR_RUNTIME_UNITS(X)                                                                       \
    X(Kordblists)                                                                                  \
    X(Kordbeditor)                                                                                 \
    X(Kordbfields)                                                                                 \
    X(Briskutils)                                                                                  \
    X(Briskgraph)                                                                                  \
    X(Kordbgrids)                                                                                  \
    X(Kordbgridsado)                                                                               \
    X(Kordbgridscds)                                                                               \
    X(Kordbctrls)
// clang-format on

#define KOR_DECLARE_RUNTIME_UNIT(Unit)                                                             \
    KORRUNTIME_EXPORT void Unit##_Initialization();                                                \
    KORRUNTIME_EXPORT void Unit##_Finalization();
extern "C" {
KOR_RUNTIME_UNITS(KOR_DECLARE_RUNTIME_UNIT)
}
#undef KOR_DECLARE_RUNTIME_UNIT

KORRUNTIME_EXPORT QStringList RuntimeUnitNames();
// Whether the named run-time unit is started; false for an unknown name.
KORRUNTIME_EXPORT bool IsRuntimeUnitStarted(const QString &Unit);

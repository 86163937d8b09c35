#pragma once
// The started/stopped state of a library's units, and the macro that defines their start and
// stop routines. A library lists its units with an X-macro, e.g.
//     #define KOR_HOST_UNITS(X) X(Toolsapi) X(Designeditors)
// and defines everything in one line of its .cpp:
//     KOR_DEFINE_UNIT_ROUTINES(KOR_HOST_UNITS, HostUnitNames, IsHostUnitStarted)

#include <QString>
#include <QStringList>
#include <vector>

#include "korhost_export.h"

class KORHOST_EXPORT TUnitStates {
public:
    explicit TUnitStates(QStringList Names);
    QStringList Names() const { return m_names; }
    void SetStarted(const char *Unit, bool Started);
    // False for an unknown name.
    bool IsStarted(const QString &Unit) const;

private:
    QStringList m_names;
    std::vector<bool> m_started;
};

#define KOR_UNIT_NAME(Unit) QStringLiteral(#Unit),
#define KOR_UNIT_ROUTINES(Unit)                                                                    \
    void Unit##_Initialization()                                                                   \
    {                                                                                              \
        unitStates().SetStarted(#Unit, true);                                                      \
    }                                                                                              \
    void Unit##_Finalization()                                                                     \
    {                                                                                              \
        unitStates().SetStarted(#Unit, false);                                                     \
    }

#define KOR_DEFINE_UNIT_ROUTINES(UNITS, NamesFunction, IsStartedFunction)                          \
    namespace {                                                                                    \
    TUnitStates &unitStates()                                                                      \
    {                                                                                              \
        static TUnitStates states({UNITS(KOR_UNIT_NAME)});                                         \
        return states;                                                                             \
    }                                                                                              \
    }                                                                                              \
    UNITS(KOR_UNIT_ROUTINES)                                                                       \
    QStringList NamesFunction()                                                                    \
    {                                                                                              \
        return unitStates().Names();                                                               \
    }                                                                                              \
    bool IsStartedFunction(const QString &Unit)                                                    \
    {                                                                                              \
        return unitStates().IsStarted(Unit);                                                       \
    }

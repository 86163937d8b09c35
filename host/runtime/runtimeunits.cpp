#include "runtimeunits.h"

#include <array>

namespace {

enum RuntimeUnit {
#define KOR_RUNTIME_UNIT_ENUM(Unit) Unit##Unit,
    KOR_RUNTIME_UNITS(KOR_RUNTIME_UNIT_ENUM)
#undef KOR_RUNTIME_UNIT_ENUM
        RuntimeUnitCount
};

constexpr std::array<const char *, RuntimeUnitCount> unitNames = {
#define KOR_RUNTIME_UNIT_NAME(Unit) #Unit,
    KOR_RUNTIME_UNITS(KOR_RUNTIME_UNIT_NAME)
#undef KOR_RUNTIME_UNIT_NAME
};

std::array<bool, RuntimeUnitCount> started{};

} // namespace

#define KOR_DEFINE_RUNTIME_UNIT(Unit)                                                              \
    void Unit##_Initialization()                                                                   \
    {                                                                                              \
        started[Unit##Unit] = true;                                                                \
    }                                                                                              \
    void Unit##_Finalization()                                                                     \
    {                                                                                              \
        started[Unit##Unit] = false;                                                               \
    }
KOR_RUNTIME_UNITS(KOR_DEFINE_RUNTIME_UNIT)
#undef KOR_DEFINE_RUNTIME_UNIT

QStringList RuntimeUnitNames()
{
    QStringList names;
    for (const char *name : unitNames)
        names.append(QString::fromLatin1(name));
    return names;
}

bool IsRuntimeUnitStarted(const QString &Unit)
{
    const qsizetype index = RuntimeUnitNames().indexOf(Unit);
    return index >= 0 && started[index];
}

#include "hostunits.h"

#include <array>

namespace {

enum HostUnit {
#define KOR_HOST_UNIT_ENUM(Unit) Unit##Unit,
    KOR_HOST_UNITS(KOR_HOST_UNIT_ENUM)
#undef KOR_HOST_UNIT_ENUM
        HostUnitCount
};

constexpr std::array<const char *, HostUnitCount> unitNames = {
#define KOR_HOST_UNIT_NAME(Unit) #Unit,
    KOR_HOST_UNITS(KOR_HOST_UNIT_NAME)
#undef KOR_HOST_UNIT_NAME
};

std::array<bool, HostUnitCount> started{};

} // namespace

#define KOR_DEFINE_HOST_UNIT(Unit)                                                                 \
    void Unit##_Initialization()                                                                   \
    {                                                                                              \
        started[Unit##Unit] = true;                                                                \
    }                                                                                              \
    void Unit##_Finalization()                                                                     \
    {                                                                                              \
        started[Unit##Unit] = false;                                                               \
    }
KOR_HOST_UNITS(KOR_DEFINE_HOST_UNIT)
#undef KOR_DEFINE_HOST_UNIT

QStringList HostUnitNames()
{
    QStringList names;
    for (const char *name : unitNames)
        names.append(QString::fromLatin1(name));
    return names;
}

bool IsHostUnitStarted(const QString &Unit)
{
    const qsizetype index = HostUnitNames().indexOf(Unit);
    return index >= 0 && started[index];
}

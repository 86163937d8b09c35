// The module's unit table and its entry points: Initialize and Finalize start and stop the units
// through the host runtime, GetPackageInfoTable answers the table, GetPackageUnitNames the unit
// names in the same order. The module registers itself in the host's module list while it is
// attached to the process.

#include <QtGlobal>

#include <array>
#include <cstddef>

#include "briskaboutform.h"
#include "designerlist.h"
#include "hostunits.h"
#include "linecaptions.h"
#include "moduleexport.h"
#include "packages.h"
#include "runtimeunits.h"

// The module's bitmaps are reachable by resource path while it is loaded. (Resource
// initialisation must be named from the global namespace.)
static void initPackageBitmaps()
{
    Q_INIT_RESOURCE(packagebitmaps);
}

namespace {

struct UnitRow {
    const char *Name;
    TUnitProc Init;
    TUnitProc FInit;
};

constexpr UnitRow outsideUnit(const char *name, TUnitProc init, TUnitProc finit)
{
    return {name, init, finit};
}

// A unit of the host or of the run-time package, started and stopped by that library's routines.
#define KOR_OUTSIDE_UNIT(Unit) outsideUnit(#Unit, &Unit##_Initialization, &Unit##_Finalization)

// Start order: each of the module's own units after the outside units it uses. None of the own
// units has start work; three have stop work.
constexpr UnitRow unitRows[] = {
    KOR_OUTSIDE_UNIT(Toolsapi),
    KOR_OUTSIDE_UNIT(Designeditors),
    {"IDEAboutDlg", nullptr, &IDEAboutDlg::Finalization},
    KOR_OUTSIDE_UNIT(Vcleditors),
    {"IDEColorDlg", nullptr, nullptr},
    {"IDELinesDlg", nullptr, &IDELinesDlg::Finalization},
    KOR_OUTSIDE_UNIT(Kordblists),
    KOR_OUTSIDE_UNIT(Kordbeditor),
    KOR_OUTSIDE_UNIT(Kordbfields),
    KOR_OUTSIDE_UNIT(Briskutils),
    KOR_OUTSIDE_UNIT(Briskgraph),
    KOR_OUTSIDE_UNIT(Kordbgrids),
    KOR_OUTSIDE_UNIT(Colnedit),
    KOR_OUTSIDE_UNIT(Toolwnds),
    {"IDEGridsDlg", nullptr, nullptr},
    {"IDEPropList", nullptr, nullptr},
    {"IDEDesignEd", nullptr, &IDEDesignEd::Finalization},
    {"IDEDesigner", nullptr, nullptr},
    KOR_OUTSIDE_UNIT(Kordbgridsado),
    KOR_OUTSIDE_UNIT(Kordbgridscds),
    {"KorDBGridsReg", nullptr, nullptr},
    {"KorDBEditsReg", nullptr, nullptr},
    {"KorDBListsReg", nullptr, nullptr},
    KOR_OUTSIDE_UNIT(Kordbctrls),
    {"KorDBCtrlsReg", nullptr, nullptr},
};

#undef KOR_OUTSIDE_UNIT

constexpr std::size_t unitCount = std::size(unitRows);

constexpr auto unitInfo = [] {
    std::array<PackageUnitEntry, unitCount> entries{};
    for (std::size_t i = 0; i < unitCount; ++i)
        entries[i] = {unitRows[i].Init, unitRows[i].FInit};
    return entries;
}();

constexpr auto unitNames = [] {
    std::array<const char *, unitCount> names{};
    for (std::size_t i = 0; i < unitCount; ++i)
        names[i] = unitRows[i].Name;
    return names;
}();

constexpr PackageInfoTable packageInfoTable{static_cast<std::int32_t>(unitCount), unitInfo.data()};

// The module's record in the host's module list, registered while the module is attached.
char moduleAnchor;
TLibModule moduleRecord{"DCLKorDBGrid90", &moduleAnchor};

struct ModuleAttachment {
    ModuleAttachment()
    {
        initPackageBitmaps();
        RegisterLibModule(&moduleRecord);
    }
    ~ModuleAttachment() { UnregisterLibModule(&moduleRecord); }
};

const ModuleAttachment attachment;

} // namespace

KOR_MODULE_EXPORT const PackageInfoTable *GetPackageInfoTable()
{
    return &packageInfoTable;
}

KOR_MODULE_EXPORT const char *const *GetPackageUnitNames()
{
    return unitNames.data();
}

KOR_MODULE_EXPORT void Initialize()
{
    InitializePackage(moduleRecord, packageInfoTable);
}

KOR_MODULE_EXPORT void Finalize()
{
    FinalizePackage(moduleRecord, packageInfoTable);
}

// Unit tables and the module list: starting and stopping the units of a module's table, shared
// units counted across modules.

#include "packages.h"

#include <algorithm>

#include "hosterrors.h"
#include "packageregistry.h"

namespace {

using UnitKey = TPackageRegistry::TUnitKey;

UnitKey unitKey(const PackageUnitEntry &unit)
{
    return {reinterpret_cast<std::uintptr_t>(unit.Init),
            reinterpret_cast<std::uintptr_t>(unit.FInit)};
}

std::map<UnitKey, int> &unitCounts()
{
    return TPackageRegistry::Instance().UnitCounts;
}

std::set<const PackageUnitEntry *> &startedTables()
{
    return TPackageRegistry::Instance().StartedTables;
}

std::vector<TLibModule *> &moduleList()
{
    return TPackageRegistry::Instance().Modules;
}

QString moduleName(const TLibModule &module)
{
    return module.Name ? QString::fromLatin1(module.Name) : QStringLiteral("(unnamed)");
}

void checkTable(const TLibModule &module, const PackageInfoTable &table)
{
    if (table.UnitCount < 0 || (table.UnitCount > 0 && !table.UnitInfo))
        throw EPackageError(
            QStringLiteral("Package '%1' has an invalid unit table").arg(moduleName(module)));
}

void startUnit(const PackageUnitEntry &unit)
{
    if (!unit.Init && !unit.FInit)
        return;
    auto &counts = unitCounts();
    const auto found = counts.find(unitKey(unit));
    if (found != counts.end()) {
        ++found->second;
        return;
    }
    if (unit.Init)
        unit.Init();
    counts.emplace(unitKey(unit), 1);
}

void stopUnit(const PackageUnitEntry &unit)
{
    auto &counts = unitCounts();
    const auto found = counts.find(unitKey(unit));
    if (found == counts.end() || --found->second > 0)
        return;
    counts.erase(found);
    if (unit.FInit)
        unit.FInit();
}

} // namespace

void RegisterLibModule(TLibModule *Module)
{
    if (Module && std::find(moduleList().begin(), moduleList().end(), Module) == moduleList().end())
        moduleList().push_back(Module);
}

void UnregisterLibModule(TLibModule *Module)
{
    std::erase(moduleList(), Module);
}

QList<const TLibModule *> LibModules()
{
    return QList<const TLibModule *>(moduleList().begin(), moduleList().end());
}

void InitializePackage(const TLibModule &Module, const PackageInfoTable &Table)
{
    checkTable(Module, Table);
    if (startedTables().count(Table.UnitInfo))
        return;
    int started = 0;
    try {
        for (; started < Table.UnitCount; ++started)
            startUnit(Table.UnitInfo[started]);
    } catch (...) {
        const QString why = DescribeCurrentException();
        for (int i = started - 1; i >= 0; --i) {
            try {
                stopUnit(Table.UnitInfo[i]);
            } catch (...) {
                // The start failure is the one reported.
            }
        }
        throw EPackageError(QStringLiteral("Unit %1 of package '%2' failed to start: %3")
                                .arg(started)
                                .arg(moduleName(Module), why));
    }
    startedTables().insert(Table.UnitInfo);
}

void FinalizePackage(const TLibModule &Module, const PackageInfoTable &Table)
{
    checkTable(Module, Table);
    if (!startedTables().erase(Table.UnitInfo))
        return;
    QString failure;
    for (int i = Table.UnitCount - 1; i >= 0; --i) {
        try {
            stopUnit(Table.UnitInfo[i]);
        } catch (...) {
            if (failure.isEmpty())
                failure = QStringLiteral("Unit %1 of package '%2' failed to stop: %3")
                              .arg(i)
                              .arg(moduleName(Module), DescribeCurrentException());
        }
    }
    if (!failure.isEmpty())
        throw EPackageError(failure);
}

int UnitStartCount(const PackageUnitEntry &Unit)
{
    const auto found = unitCounts().find(unitKey(Unit));
    return found == unitCounts().end() ? 0 : found->second;
}

QByteArray RegisterProcName(const QString &Unit)
{
    return Unit.toLatin1() + "_Register";
}

QString DescribeCurrentException()
{
    try {
        throw;
    } catch (const EHostError &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("unknown error");
    }
}

// The package loader: finding module files, loading them with their required packages,
// starting and registering their units, and unloading them again.

#include "packages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "hosterrors.h"
#include "packageregistry.h"
#include "registration.h"

namespace {

// The required package that is the host library itself.
constexpr const char *HostPackageName = "designide90.bpl";

using PackageRecord = TPackageRegistry::TPackageRecord;

std::vector<std::unique_ptr<PackageRecord>> &packages()
{
    return TPackageRegistry::Instance().Packages;
}

QStringList &packagesLoading()
{
    return TPackageRegistry::Instance().Loading;
}

PackageRecord *findPackage(const QString &name)
{
    for (const auto &record : packages())
        if (record->Info.Name.compare(name, Qt::CaseInsensitive) == 0)
            return record.get();
    return nullptr;
}

QString dlError()
{
    const char *text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
}

QString hostLibraryFile()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&LoadPackage), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
    return {};
}

// "Name.bpl" -> "Name"; other names unchanged.
QString packageBaseName(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    return name.endsWith(QLatin1String(".bpl"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

QStringList candidateNames(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const QString base = packageBaseName(fileName);
    QStringList names{name};
    for (const QString &other :
         {base + QLatin1String(".so"), QLatin1String("lib") + base + QLatin1String(".so")})
        if (!names.contains(other))
            names.append(other);
    return names;
}

QString findInFolders(const QString &fileName, const QStringList &folders)
{
    for (const QString &folder : folders)
        for (const QString &name : candidateNames(fileName)) {
            const QFileInfo info(QDir(folder), name);
            if (info.isFile())
                return info.canonicalFilePath();
        }
    return {};
}

// A symbol defined by the module itself, not by a library it depends on.
void *moduleSymbol(void *handle, const char *name)
{
    void *symbol = dlsym(handle, name);
    if (!symbol)
        return nullptr;
    link_map *own = nullptr;
    link_map *owner = nullptr;
    Dl_info info{};
    if (dlinfo(handle, RTLD_DI_LINKMAP, &own) != 0 ||
        !dladdr1(symbol, &info, reinterpret_cast<void **>(&owner), RTLD_DL_LINKMAP) || owner != own)
        return nullptr;
    return symbol;
}

template <typename Proc> Proc moduleProc(PackageRecord &record, const char *name, bool required)
{
    auto proc = reinterpret_cast<Proc>(moduleSymbol(record.Handle, name));
    if (!proc && required)
        throw EPackageError(QStringLiteral("'%1' is not a valid package: it exports no %2")
                                .arg(record.Info.FileName, QLatin1String(name)));
    return proc;
}

void callEntry(PackageRecord &record, const char *name)
{
    auto proc = moduleProc<TUnitProc>(record, name, true);
    try {
        proc();
    } catch (const EPackageError &) {
        throw;
    } catch (...) {
        throw EPackageError(
            QStringLiteral("%1 of package '%2' failed: %3")
                .arg(QLatin1String(name), record.Info.Name, DescribeCurrentException()));
    }
}

QString loadPackageFile(const QString &fileName, const QString &requiredBy);
void releasePackage(PackageRecord *record);

void loadRequirements(PackageRecord &record)
{
    const QString moduleFolder = QFileInfo(record.Info.FileName).absolutePath();
    for (const auto &required : record.Info.Manifest.Requires) {
        if (required.FileName.compare(QLatin1String(HostPackageName), Qt::CaseInsensitive) == 0) {
            record.Info.RequiredFiles.append(hostLibraryFile());
            continue;
        }
        const QString path =
            findInFolders(required.FileName, QStringList{moduleFolder} + PackageSearchPath());
        if (!path.isEmpty() && IsPackageModule(path)) {
            record.RequiredPackages.append(loadPackageFile(path, record.Info.Name));
            record.Info.RequiredFiles.append(path);
            continue;
        }
        // A plain library: the file found, else the library by name from the system's search.
        QStringList tries =
            path.isEmpty() ? candidateNames(required.FileName).mid(1) : QStringList{path};
        void *library = nullptr;
        for (const QString &name : tries)
            if ((library = dlopen(QFile::encodeName(name).constData(), RTLD_NOW | RTLD_LOCAL)))
                break;
        if (!library)
            throw EPackageError(
                QStringLiteral("Cannot load package '%1': the required package '%2' "
                               "cannot be found or loaded (%3)")
                    .arg(record.Info.Name, required.FileName, dlError()));
        record.Libraries.append(library);
        link_map *map = nullptr;
        record.Info.RequiredFiles.append(dlinfo(library, RTLD_DI_LINKMAP, &map) == 0 && map &&
                                                 map->l_name
                                             ? QString::fromLocal8Bit(map->l_name)
                                             : path);
    }
}

// Register procedures in unit start order, then any contained unit the order does not name.
QStringList registerOrder(PackageRecord &record)
{
    QStringList order;
    auto table = moduleProc<TGetPackageInfoTableProc>(record, GetPackageInfoTableProcName, true)();
    auto names = moduleProc<TGetPackageUnitNamesProc>(record, GetPackageUnitNamesProcName, false);
    const char *const *unitNames = names ? names() : nullptr;
    if (table && unitNames)
        for (int i = 0; i < table->UnitCount; ++i)
            if (unitNames[i])
                order.append(QString::fromLatin1(unitNames[i]));
    for (const auto &unit : record.Info.Manifest.Contains)
        if (!order.contains(unit.Name, Qt::CaseInsensitive))
            order.append(unit.Name);
    order.removeIf([&](const QString &unit) { return !record.Info.Manifest.ContainsUnit(unit); });
    return order;
}

void registerUnits(PackageRecord &record)
{
    const QString previous = RegisteringModule();
    SetRegisteringModule(record.Info.Name);
    try {
        for (const QString &unit : registerOrder(record)) {
            auto proc = moduleProc<TUnitProc>(record, RegisterProcName(unit).constData(), false);
            if (!proc)
                continue;
            try {
                proc();
            } catch (...) {
                throw EPackageError(QStringLiteral("Register procedure of unit %1 in package '%2' "
                                                   "failed: %3")
                                        .arg(unit, record.Info.Name, DescribeCurrentException()));
            }
            record.Info.RegisteredUnits.append(unit);
        }
    } catch (...) {
        SetRegisteringModule(previous);
        throw;
    }
    SetRegisteringModule(previous);
}

// Whether Address lies in the module opened as Handle.
bool inModule(void *handle, const void *address)
{
    link_map *own = nullptr;
    link_map *owner = nullptr;
    Dl_info info{};
    return handle && address && dlinfo(handle, RTLD_DI_LINKMAP, &own) == 0 &&
           dladdr1(address, &info, reinterpret_cast<void **>(&owner), RTLD_DL_LINKMAP) &&
           owner == own;
}

// Objects of the module's own classes still in the application once its units have stopped
// and its release actions ran: windows without a parent and objects the application owns
// (helpers, event filters). Left alone they would be destroyed later, by code that is gone by
// then; they are destroyed now, while it is there.
void releaseModuleObjects(PackageRecord &record)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || !record.Handle)
        return;
    QList<QPointer<QObject>> leftovers;
    const auto collect = [&](QObject *object) {
        if (object && inModule(record.Handle, object->metaObject()) && !leftovers.contains(object))
            leftovers.append(object);
    };
    for (QObject *child : app->children())
        collect(child);
    if (qobject_cast<QApplication *>(app))
        for (QWidget *widget : QApplication::topLevelWidgets())
            collect(widget);
    for (const QPointer<QObject> &object : leftovers) {
        if (!object)
            continue;
        qWarning("Package %s left a %s behind at unloading; destroyed",
                 qPrintable(record.Info.Name), object->metaObject()->className());
        delete object.data();
    }
}

// Undoes whatever part of a load happened; reports the first failure.
QString teardown(PackageRecord &record)
{
    QString failure;
    if (record.Started) {
        record.Started = false;
        try {
            callEntry(record, FinalizeProcName);
        } catch (const EHostError &e) {
            failure = e.Message();
        }
    }
    UnregisterModule(record.Info.Name);
    releaseModuleObjects(record);
    // What the package asked to be deleted later (a closed window, the timers of a deleted
    // window) would be deleted after its code is gone: it goes now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (record.Handle) {
        if (dlclose(record.Handle) != 0 && failure.isEmpty())
            failure = QStringLiteral("Cannot unload '%1': %2").arg(record.Info.FileName, dlError());
        record.Handle = nullptr;
    }
    while (!record.Libraries.isEmpty())
        dlclose(record.Libraries.takeLast());
    while (!record.RequiredPackages.isEmpty())
        if (PackageRecord *required = findPackage(record.RequiredPackages.takeLast()))
            releasePackage(required);
    return failure;
}

void checkUnitClashes(const TPackageManifest &manifest)
{
    for (const auto &unit : manifest.Contains) {
        // Every module carries its own copy of the start-up unit.
        if (unit.Name.compare(QLatin1String("SysInit"), Qt::CaseInsensitive) == 0)
            continue;
        for (const auto &other : packages())
            if (other->Info.Manifest.ContainsUnit(unit.Name))
                throw EPackageError(
                    QStringLiteral("Cannot load package '%1': it contains unit '%2', "
                                   "which is also contained in package '%3'")
                        .arg(manifest.Name, unit.Name, other->Info.Name));
    }
}

std::unique_ptr<PackageRecord> readRecord(const QString &path)
{
    auto record = std::make_unique<PackageRecord>();
    record->Info.FileName = path;
    record->Info.Manifest = ReadPackageManifest(path);
    record->Info.Name = record->Info.Manifest.Name;
    if (!(record->Info.Manifest.Flags & pfPackageModule))
        throw EPackageError(QStringLiteral("'%1' is not a package module").arg(path));
    const QByteArray description = ReadModuleSection(path, PackageDescriptionSection);
    if (!description.isNull())
        record->Info.Description = ParsePackageDescription(description);
    const QByteArray version = ReadModuleSection(path, PackageVersionSection);
    if (!version.isNull())
        record->Info.Version = ParsePackageVersion(version);
    return record;
}

QString loadPackageFile(const QString &fileName, const QString &requiredBy)
{
    const QString path = FindPackageFile(fileName);
    if (path.isEmpty())
        throw EPackageError(QStringLiteral("Package '%1' cannot be found").arg(fileName));
    auto record = readRecord(path);
    const QString name = record->Info.Name;

    if (PackageRecord *loaded = findPackage(name)) {
        if (requiredBy.isEmpty() && loaded->Explicit)
            throw EPackageError(QStringLiteral("Package '%1' is already loaded").arg(name));
        loaded->Explicit = loaded->Explicit || requiredBy.isEmpty();
        ++loaded->Info.RefCount;
        return name;
    }
    if (packagesLoading().contains(name, Qt::CaseInsensitive))
        throw EPackageError(
            QStringLiteral("Package '%1' requires itself through '%2'").arg(name, requiredBy));
    checkUnitClashes(record->Info.Manifest);

    packagesLoading().append(name);
    try {
        loadRequirements(*record);
        dlerror();
        record->Handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!record->Handle)
            throw EPackageError(
                QStringLiteral("Cannot load package '%1': %2").arg(path, dlError()));
        moduleProc<TUnitProc>(*record, FinalizeProcName, true);
        moduleProc<TGetPackageInfoTableProc>(*record, GetPackageInfoTableProcName, true);
        callEntry(*record, InitializeProcName);
        record->Started = true;
        registerUnits(*record);
    } catch (...) {
        packagesLoading().removeAll(name);
        teardown(*record);
        throw;
    }
    packagesLoading().removeAll(name);
    record->Explicit = requiredBy.isEmpty();
    record->Info.RefCount = 1;
    packages().push_back(std::move(record));
    return name;
}

// Drops one hold on a package; the last hold unloads it. Raises the first unload failure after
// the package is gone.
void releasePackage(PackageRecord *record)
{
    if (--record->Info.RefCount > 0)
        return;
    auto &list = packages();
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const auto &owned) { return owned.get() == record; });
    std::unique_ptr<PackageRecord> owned = std::move(*found);
    list.erase(found);
    const QString failure = teardown(*owned);
    if (!failure.isEmpty())
        throw EPackageError(failure);
}

} // namespace

QStringList PackageSearchPath()
{
    QStringList folders;
    const QString configured = qEnvironmentVariable("KOR_PACKAGE_DIR");
    if (!configured.isEmpty())
        folders = configured.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    const QString host = hostLibraryFile();
    if (!host.isEmpty()) {
        // The modules built with this host sit beside it: in the build tree its own folder, once
        // installed a folder of their own next to it. The build folder is not searched then, so
        // that an installed host never loads a module built against another copy of itself.
        const QString hostFolder = QFileInfo(host).absolutePath();
        folders.append(hostFolder);
#ifdef KOR_PACKAGE_SUBDIR
        folders.append(hostFolder + QLatin1Char('/') + QStringLiteral(KOR_PACKAGE_SUBDIR));
#endif
    }
#ifdef KOR_DEFAULT_PACKAGE_DIR
    else if (configured.isEmpty()) {
        folders.append(QStringLiteral(KOR_DEFAULT_PACKAGE_DIR));
    }
#endif
    folders.removeDuplicates();
    return folders;
}

QString FindPackageFile(const QString &FileName)
{
    if (FileName.isEmpty())
        return {};
    const QFileInfo direct(FileName);
    if (direct.isFile())
        return direct.canonicalFilePath();
    if (direct.isAbsolute() || FileName.contains(QLatin1Char('/')))
        return findInFolders(FileName, {direct.absolutePath()});
    return findInFolders(FileName, PackageSearchPath());
}

QString LoadPackage(const QString &FileName)
{
    return loadPackageFile(FileName, {});
}

void UnloadPackage(const QString &PackageName)
{
    PackageRecord *record = findPackage(PackageName);
    if (!record || !record->Explicit)
        throw EPackageError(QStringLiteral("Package '%1' is not loaded").arg(PackageName));
    if (record->Info.RefCount > 1) {
        QStringList users;
        for (const auto &other : packages())
            if (other->RequiredPackages.contains(record->Info.Name, Qt::CaseInsensitive))
                users.append(other->Info.Name);
        throw EPackageError(QStringLiteral("Package '%1' is still required by %2")
                                .arg(record->Info.Name, users.join(QLatin1String(", "))));
    }
    record->Explicit = false;
    releasePackage(record);
}

bool IsPackageLoaded(const QString &PackageName)
{
    return findPackage(PackageName) != nullptr;
}

QList<TLoadedPackage> LoadedPackages()
{
    QList<TLoadedPackage> list;
    for (const auto &record : packages())
        list.append(record->Info);
    return list;
}

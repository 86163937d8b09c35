#include "packages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSysInfo>
#include <QWidget>
#include <QtEndian>

#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "hosterrors.h"
#include "registration.h"

// ==== Records ================================================================================

namespace {

// Reads little-endian fields from a record; any read past the end raises EPackageError.
class RecordReader {
public:
    RecordReader(const QByteArray &bytes, const char *what) : m_bytes(bytes), m_what(what) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(*take(1)); }
    std::uint16_t U16() { return qFromLittleEndian<std::uint16_t>(take(2)); }
    std::uint32_t U32() { return qFromLittleEndian<std::uint32_t>(take(4)); }
    std::int32_t I32() { return qFromLittleEndian<std::int32_t>(take(4)); }

    // A zero-terminated 8-bit string (ASCII names, or UTF-8).
    QByteArray CString()
    {
        const qsizetype end = m_bytes.indexOf('\0', m_pos);
        if (end < 0)
            fail(QStringLiteral("a text is not terminated"));
        const QByteArray text = m_bytes.mid(m_pos, end - m_pos);
        m_pos = end + 1;
        return text;
    }

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype Remaining() const { return m_bytes.size() - m_pos; }

    [[noreturn]] void fail(const QString &why) const
    {
        throw EPackageError(QStringLiteral("Corrupt %1 at byte %2: %3")
                                .arg(QLatin1String(m_what))
                                .arg(m_pos)
                                .arg(why));
    }

private:
    const char *take(qsizetype n)
    {
        if (Remaining() < n)
            fail(QStringLiteral("the record ends early"));
        const char *at = m_bytes.constData() + m_pos;
        m_pos += n;
        return at;
    }

    const QByteArray &m_bytes;
    const char *m_what;
    qsizetype m_pos = 0;
};

// A count field: not negative and not more entries than bytes left (each entry takes at least
// MinEntrySize bytes).
int readCount(RecordReader &reader, int minEntrySize)
{
    const std::int32_t count = reader.I32();
    if (count < 0 || count > reader.Remaining() / minEntrySize)
        reader.fail(QStringLiteral("impossible count %1").arg(count));
    return count;
}

// A name with its hash; a hash that does not match the name marks a damaged manifest.
QString readHashedName(RecordReader &reader, std::uint8_t hash)
{
    const QByteArray name = reader.CString();
    if (name.isEmpty())
        reader.fail(QStringLiteral("empty name"));
    if (PackageNameHash(std::string_view(name.constData(), name.size())) != hash)
        reader.fail(
            QStringLiteral("name hash of \"%1\" does not match").arg(QString::fromLatin1(name)));
    return QString::fromLatin1(name);
}

} // namespace

bool TPackageManifest::ContainsUnit(const QString &Unit) const
{
    return std::any_of(Contains.begin(), Contains.end(), [&](const TContained &c) {
        return c.Name.compare(Unit, Qt::CaseInsensitive) == 0;
    });
}

QString TPackageVersionInfo::FileVersionText() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(FileVersion[0])
        .arg(FileVersion[1])
        .arg(FileVersion[2])
        .arg(FileVersion[3]);
}

TPackageManifest ParsePackageManifest(const QByteArray &Bytes)
{
    RecordReader reader(Bytes, "package manifest");
    TPackageManifest manifest;
    manifest.Flags = reader.U32();
    const int required = readCount(reader, 3);
    for (int i = 0; i < required; ++i) {
        TPackageManifest::TRequired entry;
        entry.Hash = reader.U8();
        entry.FileName = readHashedName(reader, entry.Hash);
        manifest.Requires.append(entry);
    }
    const int contained = readCount(reader, 4);
    for (int i = 0; i < contained; ++i) {
        TPackageManifest::TContained entry;
        entry.Flags = reader.U8();
        entry.Hash = reader.U8();
        entry.Name = readHashedName(reader, entry.Hash);
        manifest.Contains.append(entry);
    }
    manifest.NameHash = reader.U8();
    manifest.Name = readHashedName(reader, manifest.NameHash);
    if (!reader.AtEnd())
        reader.fail(QStringLiteral("unexpected bytes after the package name"));
    return manifest;
}

QString ParsePackageDescription(const QByteArray &Bytes)
{
    if (Bytes.size() % 2 != 0)
        throw EPackageError(QStringLiteral("Corrupt package description: odd length"));
    QString text;
    for (qsizetype i = 0; i + 1 < Bytes.size(); i += 2) {
        const auto unit = qFromLittleEndian<char16_t>(Bytes.constData() + i);
        if (unit == 0)
            return text;
        text.append(QChar(unit));
    }
    throw EPackageError(QStringLiteral("Corrupt package description: text is not terminated"));
}

TPackageVersionInfo ParsePackageVersion(const QByteArray &Bytes)
{
    RecordReader reader(Bytes, "version record");
    for (char expected : PackageVersionMagic)
        if (static_cast<char>(reader.U8()) != expected)
            reader.fail(QStringLiteral("unknown record kind"));
    TPackageVersionInfo info;
    for (std::uint16_t &part : info.FileVersion)
        part = reader.U16();
    for (;;) {
        const QByteArray key = reader.CString();
        if (key.isEmpty())
            break;
        info.Values.insert(QString::fromUtf8(key), QString::fromUtf8(reader.CString()));
    }
    if (!reader.AtEnd())
        reader.fail(QStringLiteral("unexpected bytes after the last value"));
    return info;
}

// ==== ELF sections ===========================================================================

namespace {

[[noreturn]] void notAModule(const QString &fileName, const QString &why)
{
    throw EPackageError(QStringLiteral("'%1' is not a valid module: %2").arg(fileName, why));
}

void readAt(QFile &file, const QString &fileName, quint64 offset, void *to, quint64 size)
{
    if (offset > quint64(file.size()) || size > quint64(file.size()) - offset)
        notAModule(fileName, QStringLiteral("it is truncated"));
    if (!file.seek(qint64(offset)) ||
        file.read(static_cast<char *>(to), qint64(size)) != qint64(size))
        throw EPackageError(
            QStringLiteral("Cannot read '%1': %2").arg(fileName, file.errorString()));
}

template <typename Ehdr, typename Shdr>
QByteArray readElfSection(QFile &file, const QString &fileName, std::string_view section)
{
    Ehdr header;
    readAt(file, fileName, 0, &header, sizeof header);
    if (header.e_shoff == 0)
        notAModule(fileName, QStringLiteral("it has no section table"));
    if (header.e_shentsize != sizeof(Shdr))
        notAModule(fileName, QStringLiteral("unexpected section header size"));

    // Counts too large for the header live in the first section header.
    Shdr first;
    readAt(file, fileName, header.e_shoff, &first, sizeof first);
    const quint64 count = header.e_shnum != 0 ? header.e_shnum : quint64(first.sh_size);
    const quint64 namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
    if (count == 0 || count > quint64(file.size()) / sizeof(Shdr) || namesIndex >= count)
        notAModule(fileName, QStringLiteral("damaged section table"));

    std::vector<Shdr> sections(count);
    readAt(file, fileName, header.e_shoff, sections.data(), count * sizeof(Shdr));

    const Shdr &namesHeader = sections[namesIndex];
    if (namesHeader.sh_type == SHT_NOBITS)
        notAModule(fileName, QStringLiteral("damaged section names"));
    QByteArray names(qsizetype(std::min<quint64>(namesHeader.sh_size, quint64(file.size()))), '\0');
    readAt(file, fileName, namesHeader.sh_offset, names.data(), namesHeader.sh_size);

    for (const Shdr &entry : sections) {
        if (entry.sh_name >= quint64(names.size()))
            continue;
        const char *name = names.constData() + entry.sh_name;
        const qsizetype length = qstrnlen(name, names.size() - entry.sh_name);
        if (std::string_view(name, length) != section || entry.sh_type == SHT_NOBITS)
            continue;
        if (entry.sh_size > quint64(file.size()))
            notAModule(fileName,
                       QStringLiteral("section %1 is truncated").arg(QLatin1String(name)));
        QByteArray bytes(qsizetype(entry.sh_size), '\0');
        readAt(file, fileName, entry.sh_offset, bytes.data(), entry.sh_size);
        return bytes;
    }
    return {};
}

QByteArray requireSection(const QString &fileName, const char *section, const char *what)
{
    QByteArray bytes = ReadModuleSection(fileName, section);
    if (bytes.isNull())
        throw EPackageError(
            QStringLiteral("'%1' carries no %2").arg(fileName, QLatin1String(what)));
    return bytes;
}

} // namespace

QByteArray ReadModuleSection(const QString &FileName, std::string_view Section)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EPackageError(
            QStringLiteral("Cannot open '%1': %2").arg(FileName, file.errorString()));
    unsigned char ident[EI_NIDENT];
    if (file.read(reinterpret_cast<char *>(ident), EI_NIDENT) != EI_NIDENT ||
        memcmp(ident, ELFMAG, SELFMAG) != 0)
        notAModule(FileName, QStringLiteral("it is not an ELF file"));
    const unsigned char ownOrder =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? ELFDATA2LSB : ELFDATA2MSB;
    if (ident[EI_DATA] != ownOrder)
        notAModule(FileName, QStringLiteral("it is built for another byte order"));
    if (ident[EI_CLASS] == ELFCLASS64)
        return readElfSection<Elf64_Ehdr, Elf64_Shdr>(file, FileName, Section);
    if (ident[EI_CLASS] == ELFCLASS32)
        return readElfSection<Elf32_Ehdr, Elf32_Shdr>(file, FileName, Section);
    notAModule(FileName, QStringLiteral("unknown ELF class"));
}

TPackageManifest ReadPackageManifest(const QString &FileName)
{
    return ParsePackageManifest(requireSection(FileName, PackageInfoSection, "package manifest"));
}

QString ReadPackageDescription(const QString &FileName)
{
    return ParsePackageDescription(
        requireSection(FileName, PackageDescriptionSection, "package description"));
}

TPackageVersionInfo ReadPackageVersion(const QString &FileName)
{
    return ParsePackageVersion(requireSection(FileName, PackageVersionSection, "version record"));
}

bool IsPackageModule(const QString &FileName)
{
    try {
        return !ReadModuleSection(FileName, PackageInfoSection).isNull();
    } catch (const EHostError &) {
        return false;
    }
}

// ==== Unit tables and the module list =======================================================

namespace {

using UnitKey = std::pair<std::uintptr_t, std::uintptr_t>;

UnitKey unitKey(const PackageUnitEntry &unit)
{
    return {reinterpret_cast<std::uintptr_t>(unit.Init),
            reinterpret_cast<std::uintptr_t>(unit.FInit)};
}

// Started units and how many started tables share each.
std::map<UnitKey, int> &unitCounts()
{
    static std::map<UnitKey, int> counts;
    return counts;
}

std::set<const PackageUnitEntry *> &startedTables()
{
    static std::set<const PackageUnitEntry *> tables;
    return tables;
}

std::vector<TLibModule *> &moduleList()
{
    static std::vector<TLibModule *> modules;
    return modules;
}

QString describeCurrentException()
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
        const QString why = describeCurrentException();
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
                              .arg(moduleName(Module), describeCurrentException());
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

// ==== Loader =================================================================================

namespace {

// The required package that is the host library itself.
constexpr const char *HostPackageName = "designide90.bpl";

struct PackageRecord {
    TLoadedPackage Info;
    bool Explicit = false;        // loaded by LoadPackage, not only as a requirement
    void *Handle = nullptr;       // the module while it is loaded
    bool Started = false;         // Initialize ran
    QList<void *> Libraries;      // required plain libraries
    QStringList RequiredPackages; // required packages loaded as packages
};

std::vector<std::unique_ptr<PackageRecord>> &packages()
{
    static std::vector<std::unique_ptr<PackageRecord>> list;
    return list;
}

// Packages being loaded right now, to refuse requirement cycles.
QStringList &packagesLoading()
{
    static QStringList names;
    return names;
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
                .arg(QLatin1String(name), record.Info.Name, describeCurrentException()));
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
                                        .arg(unit, record.Info.Name, describeCurrentException()));
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

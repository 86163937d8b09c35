#pragma once
// Design-time package modules.
//
// A package module is a shared library that carries three records in named ELF sections, which
// the host reads from the file before loading it:
//   .kor_packageinfo  the manifest (flags, required packages, contained units, package name)
//   .kor_description  the description, a zero-terminated UTF-16LE string
//   .kor_version      the version record (see ParsePackageVersion)
// and exports, with C linkage:
//   Initialize, Finalize        start / stop every unit of the module's unit table
//   GetPackageInfoTable         the unit table: (start, stop) routine pairs in start order
//   GetPackageUnitNames         optional: the unit names, parallel to the unit table
//   <Unit>_Register             the Register procedure of each contained unit that has one
//
// LoadPackage reads the manifest, loads the required packages, loads the module, starts its units
// and calls the Register procedures in unit start order (the order of GetPackageUnitNames,
// falling back to the manifest's stored order), with SetRegisteringModule(package name) around
// them. UnloadPackage stops the units, drops the module's registrations and unloads it.
// Everything runs on the user-interface thread; failures raise EPackageError.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string_view>

#include "korhost_export.h"

// ---- Package name hash --------------------------------------------------------------------

// The host's one-byte name hash, stored in a manifest beside every package and unit name: start
// at 0, and for each character of the name, upper-cased (ASCII letters), rotate the hash left by
// three bits and exclusive-or the character in.
constexpr std::uint8_t PackageNameHash(std::string_view Name)
{
    std::uint8_t hash = 0;
    for (char ch : Name) {
        const auto c = static_cast<std::uint8_t>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
        hash = static_cast<std::uint8_t>(((hash << 3) | (hash >> 5)) ^ c);
    }
    return hash;
}

// ---- Records a module carries -----------------------------------------------------------

inline constexpr const char *PackageInfoSection = ".kor_packageinfo";
inline constexpr const char *PackageDescriptionSection = ".kor_description";
inline constexpr const char *PackageVersionSection = ".kor_version";

// Manifest flags.
inline constexpr std::uint32_t pfNeverBuild = 0x00000001;   // never rebuilt implicitly
inline constexpr std::uint32_t pfDesignOnly = 0x00000002;   // design-time only
inline constexpr std::uint32_t pfProducerMask = 0x0C000000; // producer code, bits 26 and 27
inline constexpr int pfProducerShift = 26;
inline constexpr std::uint32_t pfPackageModule = 0x40000000; // a package (not a program)
// Contained unit flags.
inline constexpr std::uint8_t ufMainUnit = 0x01;
inline constexpr std::uint8_t ufPackageUnit = 0x02;

// Manifest layout, little-endian: flags (u32); required count (i32), per entry name hash (u8)
// and zero-terminated file name; contained count (i32), per entry unit flags (u8), name hash (u8)
// and zero-terminated unit name; package name hash (u8) and zero-terminated package name.
struct KORHOST_EXPORT TPackageManifest {
    struct TRequired {
        std::uint8_t Hash = 0;
        QString FileName;
    };
    struct TContained {
        std::uint8_t Flags = 0;
        std::uint8_t Hash = 0;
        QString Name;
    };
    std::uint32_t Flags = 0;
    QList<TRequired> Requires;
    QList<TContained> Contains;
    std::uint8_t NameHash = 0;
    QString Name;

    bool ContainsUnit(const QString &Unit) const;
};

// Version record layout: the magic "KVR1", the file version as four u16 (major, minor, release,
// build, little-endian), then zero-terminated UTF-8 key and value pairs ended by an empty key.
inline constexpr std::string_view PackageVersionMagic = "KVR1";

struct KORHOST_EXPORT TPackageVersionInfo {
    std::uint16_t FileVersion[4] = {0, 0, 0, 0};
    QMap<QString, QString> Values; // "ProductVersion", "InternalName", "OriginalFilename", ...

    QString FileVersionText() const; // "major.minor.release.build"
};

// Decoders over the raw bytes; malformed bytes raise EPackageError.
KORHOST_EXPORT TPackageManifest ParsePackageManifest(const QByteArray &Bytes);
KORHOST_EXPORT QString ParsePackageDescription(const QByteArray &Bytes);
KORHOST_EXPORT TPackageVersionInfo ParsePackageVersion(const QByteArray &Bytes);

// The contents of a named section of an ELF file, read without loading it. Raises EPackageError
// when the file cannot be read or is no well-formed ELF file; an absent section gives a null
// QByteArray.
KORHOST_EXPORT QByteArray ReadModuleSection(const QString &FileName, std::string_view Section);
// The records of a module file; a missing record raises EPackageError.
KORHOST_EXPORT TPackageManifest ReadPackageManifest(const QString &FileName);
KORHOST_EXPORT QString ReadPackageDescription(const QString &FileName);
KORHOST_EXPORT TPackageVersionInfo ReadPackageVersion(const QString &FileName);
// Whether FileName is a readable module carrying a manifest; never raises.
KORHOST_EXPORT bool IsPackageModule(const QString &FileName);

// ---- Unit tables and the module list ------------------------------------------------------

using TUnitProc = void (*)();

// One unit of a unit table: its start and stop routines, either of which may be null.
struct PackageUnitEntry {
    TUnitProc Init;
    TUnitProc FInit;
};

// What GetPackageInfoTable returns: the units in start order.
struct PackageInfoTable {
    std::int32_t UnitCount;
    const PackageUnitEntry *UnitInfo;
};

// A module's record in the host runtime's module list; the module owns it and registers it
// while it is attached to the process.
struct TLibModule {
    const char *Name;     // package name
    const void *Instance; // an address inside the module
};

KORHOST_EXPORT void RegisterLibModule(TLibModule *Module);
KORHOST_EXPORT void UnregisterLibModule(TLibModule *Module);
KORHOST_EXPORT QList<const TLibModule *> LibModules();

// The package-load routine: runs every start routine of Table in order. A unit (start and stop
// routine pair) already started through another module is not started again: it is counted and
// does its stop work only at the last stop. A failing start routine stops the units this call
// started, in reverse, and raises EPackageError. Starting a table that is already started does
// nothing.
KORHOST_EXPORT void InitializePackage(const TLibModule &Module, const PackageInfoTable &Table);
// The package-unload routine: runs the stop routines of Table in reverse order (see above).
// Stopping a table that is not started does nothing. A failing stop routine does not keep the
// others from running; the first failure is raised as EPackageError afterwards.
KORHOST_EXPORT void FinalizePackage(const TLibModule &Module, const PackageInfoTable &Table);
// How many started tables share this unit (0: not started).
KORHOST_EXPORT int UnitStartCount(const PackageUnitEntry &Unit);

// Exported entry points of a module.
inline constexpr const char *InitializeProcName = "Initialize";
inline constexpr const char *FinalizeProcName = "Finalize";
inline constexpr const char *GetPackageInfoTableProcName = "GetPackageInfoTable";
inline constexpr const char *GetPackageUnitNamesProcName = "GetPackageUnitNames";
using TGetPackageInfoTableProc = const PackageInfoTable *(*)();
using TGetPackageUnitNamesProc = const char *const *(*)();
// The symbol of a unit's Register procedure: "<Unit>_Register".
KORHOST_EXPORT QByteArray RegisterProcName(const QString &Unit);

// ---- Loader -------------------------------------------------------------------------------

// What the host knows about a loaded package.
struct KORHOST_EXPORT TLoadedPackage {
    QString Name;     // from the manifest
    QString FileName; // absolute path of the module
    QString Description;
    TPackageManifest Manifest;
    TPackageVersionInfo Version;
    QStringList RequiredFiles;   // what each required package resolved to (the host: its own file)
    QStringList RegisteredUnits; // units whose Register procedure ran, in call order
    int RefCount = 0;            // 1 + number of loaded packages that require it
};

// Folders searched for modules and required packages: KOR_PACKAGE_DIR (a list separated like
// PATH) when set; then the host library's own folder and its module sub-folder (the folder the
// host was built in when its own file cannot be found).
KORHOST_EXPORT QStringList PackageSearchPath();
// The module file for FileName: FileName itself when it exists, else FileName, its base name
// with ".so" or with "lib" and ".so" (a ".bpl" suffix is replaced) in each search folder.
// Empty when not found.
KORHOST_EXPORT QString FindPackageFile(const QString &FileName);

// Loads, starts and registers a package module and answers its package name.
KORHOST_EXPORT QString LoadPackage(const QString &FileName);
// Stops and unloads a package loaded by LoadPackage; a package still required by another loaded
// package raises EPackageError.
KORHOST_EXPORT void UnloadPackage(const QString &PackageName);
KORHOST_EXPORT bool IsPackageLoaded(const QString &PackageName);
// Loaded packages in load order (required packages before the packages that need them).
KORHOST_EXPORT QList<TLoadedPackage> LoadedPackages();

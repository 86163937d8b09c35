#pragma once
// TPackageRegistry: the state of the package loader and of the unit tables, kept in one object
// per process (the host's own, not part of the packages.h contract): which units are started and
// how many tables share each, which tables are started, the registered module list, the loaded
// packages and the packages being loaded right now.

#include <QList>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "packages.h"

class TPackageRegistry {
public:
    // The one registry of the process.
    static TPackageRegistry &Instance();

    // A unit, known by its start and stop routines.
    using TUnitKey = std::pair<std::uintptr_t, std::uintptr_t>;

    // What the loader keeps about a loaded package.
    struct TPackageRecord {
        TLoadedPackage Info;
        bool Explicit = false;        // loaded by LoadPackage, not only as a requirement
        void *Handle = nullptr;       // the module while it is loaded
        bool Started = false;         // Initialize ran
        QList<void *> Libraries;      // required plain libraries
        QStringList RequiredPackages; // required packages loaded as packages
    };

    // Started units and how many started tables share each.
    std::map<TUnitKey, int> UnitCounts;
    // Tables whose units are started, by their first entry.
    std::set<const PackageUnitEntry *> StartedTables;
    // The module list, in registration order.
    std::vector<TLibModule *> Modules;
    // Loaded packages in load order.
    std::vector<std::unique_ptr<TPackageRecord>> Packages;
    // Packages being loaded right now, to refuse requirement cycles.
    QStringList Loading;
};

// The message of the exception being handled (inside a catch block).
QString DescribeCurrentException();

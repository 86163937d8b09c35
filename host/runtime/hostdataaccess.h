#pragma once
// The host's own data-access components, as every host of the package offers them: the
// workbench and the Qt Designer plugin register them through this one function.

#include <QString>

#include "korruntime_export.h"

// The palette page the host's data-access components are on.
KORRUNTIME_EXPORT QString HostDataAccessPage();

// Registers, as the host and not a package, TDataSource, TSQLConnection and TSQLDataSet on the
// "Data Access" page, the factory that reads a data set's persistent fields from form files, and
// the fields editor as the component editor of data sets. Registers once: a second call while
// the first one's registrations are in force changes nothing. Leaves the registering module set
// to the host's, so what the caller registers next is the host's too.
KORRUNTIME_EXPORT void RegisterHostDataAccess();

#pragma once
// The host's own palette entries: the data-access components every form designer offers,
// and a small sample database to connect them to.

#include <QString>

// Registers the data-access components on the "Data Access" page (as the host, not a package).
void RegisterHostComponents();
// Creates (once) and answers the path of the sample SQLite database of the workbench.
QString SampleDatabasePath();

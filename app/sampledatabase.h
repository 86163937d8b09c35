#pragma once
// The workbench's sample database: a small sales schema in SQLite (customers, products, orders
// and their lines, some eight hundred rows) that data set components can show at design time.
// Its content comes from a fixed pseudo-random sequence, so every machine gets the same rows.

#include <QString>

// The folder of the workbench's own data: $KOR_DATA_DIR when set (tests use it), else the
// user's application data folder.
QString WorkbenchDataDirectory();

// Creates (once) and answers the sample database in WorkbenchDataDirectory(). Raises EHostError
// when it cannot be created; a half-written file is never left under the final name.
QString SampleDatabasePath();

// Writes the sample database to FileName, replacing what is there. Raises EHostError.
void CreateSampleDatabase(const QString &FileName);

#pragma once
// The test scripts' private PostgreSQL server (scripts/postgres.sh), as the KOR_PG_* variables
// of the run name it.

#include <QtGlobal>

// Points a connection (a TSQLConnection, or a QSqlDatabase of the QPSQL driver) at the server.
template <class Connection> void UsePrivatePostgres(Connection &C)
{
    C.setHostName(qEnvironmentVariable("KOR_PG_HOST"));
    C.setPort(qEnvironmentVariableIntValue("KOR_PG_PORT"));
    C.setUserName(qEnvironmentVariable("KOR_PG_USER"));
    C.setPassword(qEnvironmentVariable("KOR_PG_PASSWORD"));
    C.setDatabaseName(qEnvironmentVariable("KOR_PG_DATABASE"));
}

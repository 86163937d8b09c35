#include "hostpalette.h"

#include "databasefileproperty.h"
#include "hostdataaccess.h"
#include "registration.h"
#include "sqldata.h"

void RegisterHostComponents()
{
    RegisterHostDataAccess();
    // The workbench's own file picker for a connection's database.
    RegisterPropertyEditor(TPropertyType::Named(QStringLiteral("string")),
                           &TSQLConnection::staticMetaObject, QStringLiteral("DatabaseName"),
                           &TDatabaseFileProperty::staticMetaObject);
}

#include "hostpalette.h"

#include "databasefileproperty.h"
#include "db.h"
#include "registration.h"
#include "sqldata.h"

void RegisterHostComponents()
{
    SetRegisteringModule(QString());
    RegisterComponents(QStringLiteral("Data Access"),
                       {&TDataSource::staticMetaObject, &TSQLConnection::staticMetaObject,
                        &TSQLDataSet::staticMetaObject});
    RegisterPropertyEditor(TPropertyType::Named(QStringLiteral("string")),
                           &TSQLConnection::staticMetaObject, QStringLiteral("DatabaseName"),
                           &TDatabaseFileProperty::staticMetaObject);
}

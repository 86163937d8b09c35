#include "hostpalette.h"

#include "databasefileproperty.h"
#include "db.h"
#include "fieldseditor.h"
#include "formdesigner.h"
#include "registration.h"
#include "sqldata.h"

void RegisterHostComponents()
{
    SetRegisteringModule(QString());
    RegisterComponents(QStringLiteral("Data Access"),
                       {&TDataSource::staticMetaObject, &TSQLConnection::staticMetaObject,
                        &TSQLDataSet::staticMetaObject});
    // A data set's persistent fields are read from form files, though no palette offers them.
    TFormDesigner::RegisterComponentFactory(&TField::staticMetaObject, [] { return new TField; });
    // The host's editor of a data set's fields, its double-click and "Fields Editor..." verb.
    RegisterComponentEditor(&TDataSet::staticMetaObject, &TDataSetFieldsEditor::staticMetaObject);
    RegisterPropertyEditor(TPropertyType::Named(QStringLiteral("string")),
                           &TSQLConnection::staticMetaObject, QStringLiteral("DatabaseName"),
                           &TDatabaseFileProperty::staticMetaObject);
}

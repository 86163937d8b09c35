#include "hostdataaccess.h"

#include "db.h"
#include "fieldseditor.h"
#include "formdesigner.h"
#include "registration.h"
#include "sqldata.h"

QString HostDataAccessPage()
{
    return QStringLiteral("Data Access");
}

void RegisterHostDataAccess()
{
    SetRegisteringModule(QString());
    const QList<const QMetaObject *> classes = {&TDataSource::staticMetaObject,
                                                &TSQLConnection::staticMetaObject,
                                                &TSQLDataSet::staticMetaObject};
    if (GetPaletteClasses(HostDataAccessPage()).contains(classes.first()))
        return;
    RegisterComponents(HostDataAccessPage(), classes);
    // A data set's persistent fields are read from form files, though no palette offers them.
    TFormDesigner::RegisterComponentFactory(&TField::staticMetaObject, [] { return new TField; });
    // The host's editor of a data set's fields, its double-click and "Fields Editor..." verb.
    RegisterComponentEditor(&TDataSet::staticMetaObject, &TDataSetFieldsEditor::staticMetaObject);
}

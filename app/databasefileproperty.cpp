#include "databasefileproperty.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>

#include "designintf.h"
#include "hostdialogs.h"
#include "persistent.h"
#include "sampledatabase.h"
#include "sqldata.h"

namespace {

// The open data sets of the form that read through Connection.
QList<QPointer<TSQLDataSet>> openDataSetsOf(IDesigner *Designer, TSQLConnection *Connection)
{
    QList<QPointer<TSQLDataSet>> sets;
    TComponent *root = Designer ? Designer->GetRoot() : nullptr;
    for (int i = 0; root && i < root->ComponentCount(); ++i)
        if (auto *set = dynamic_cast<TSQLDataSet *>(root->Components(i)))
            if (set->SQLConnection() == Connection && set->Active())
                sets << set;
    return sets;
}

} // namespace

TDatabaseFileProperty::TDatabaseFileProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TDatabaseFileProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() | paDialog | paValueList;
}

void TDatabaseFileProperty::GetValues(const TGetStrProc &Proc)
{
    try {
        Proc(SampleDatabasePath());
    } catch (const EHostError &) {
        // No sample database: nothing to offer.
    }
}

void TDatabaseFileProperty::SetValue(const QString &Value)
{
    struct TReopen {
        QPointer<TSQLConnection> Connection;
        QList<QPointer<TSQLDataSet>> DataSets;
    };
    QList<TReopen> reopen;
    for (int i = 0; i < PropCount(); ++i) {
        auto *connection = qobject_cast<TSQLConnection *>(GetComponent(i));
        if (connection && connection->Connected() && connection->DatabaseName() != Value) {
            reopen.append({connection, openDataSetsOf(Designer(), connection)});
            connection->Close();
        }
    }
    TStringProperty::SetValue(Value);
    for (const TReopen &r : reopen) {
        if (!r.Connection)
            continue;
        r.Connection->Open();
        for (const QPointer<TSQLDataSet> &set : r.DataSets)
            if (set)
                set->Open();
    }
    if (!reopen.isEmpty())
        Modified();
}

void TDatabaseFileProperty::Edit()
{
    const QString current = GetStrValue();
    const QString chosen = HostDialogs().GetOpenFileName(
        QApplication::activeWindow(), QStringLiteral("Database File"),
        current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
        QStringLiteral("SQLite databases (*.sqlite *.sqlite3 *.db *.db3);;All files (*)"));
    if (!chosen.isEmpty())
        SetValue(chosen);
}

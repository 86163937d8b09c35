#include "databasefileproperty.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

#include "designintf.h"
#include "persistent.h"
#include "sampledatabase.h"
#include "sqldata.h"

namespace {

// Nobody could answer a dialog on a headless platform.
bool canShowDialogs()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

QString defaultFileDialog(const QString &Current)
{
    if (!canShowDialogs())
        return {};
    return QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QStringLiteral("Database File"),
        Current.isEmpty() ? QString() : QFileInfo(Current).absolutePath(),
        QStringLiteral("SQLite databases (*.sqlite *.sqlite3 *.db *.db3);;All files (*)"));
}

TDatabaseFileProperty::TFileDialogHandler &fileDialogHandler()
{
    static TDatabaseFileProperty::TFileDialogHandler handler;
    return handler;
}

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

TDatabaseFileProperty::TFileDialogHandler
TDatabaseFileProperty::SetFileDialogHandler(TFileDialogHandler Handler)
{
    return std::exchange(fileDialogHandler(), std::move(Handler));
}

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
    const QString chosen =
        fileDialogHandler() ? fileDialogHandler()(current) : defaultFileDialog(current);
    if (!chosen.isEmpty())
        SetValue(chosen);
}

#pragma once
// SQL data access through Qt SQL: a connection to a database (SQLite by default) and a data set
// over a query or a table of that connection. Every connection registers its own uniquely named
// Qt connection, so any number of them, in any number of tests, can coexist.

#include <QObject>
#include <QPointer>
#include <QString>

#include "db.h"

class QSqlDatabase;

class KORRUNTIME_EXPORT TSQLConnection : public QObject, public TComponent {
    Q_OBJECT
    KOR_STRING(DatabaseName)
    KOR_STRING(DriverName)
    Q_PROPERTY(bool Connected READ Connected WRITE setConnected)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Connected, "false")

public:
    Q_INVOKABLE explicit TSQLConnection(QObject *AOwner = nullptr);
    ~TSQLConnection() override;

    bool Connected() const { return m_connected; }
    void setConnected(bool Value);
    // Opens the database; raises EDatabaseError with the driver's message when it cannot.
    void Open();
    // Closes the data sets that use this connection, then the database.
    void Close();
    // Runs a statement that returns no rows; answers the number of rows affected.
    int ExecuteDirect(const QString &SQL);
    // The Qt connection name this connection registered.
    QString ConnectionName() const { return m_connectionName; }
    QSqlDatabase Database() const;

    // Declared type of a column of a table ("INTEGER", "VARCHAR(20)"); empty when unknown.
    QString DeclaredType(const QString &Table, const QString &Column);

signals:
    // Sent before the database closes and when the connection goes.
    void closing();

private:
    void Changed();

    QString m_connectionName;
    bool m_connected = false;
};

class KORRUNTIME_EXPORT TSQLDataSet : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(TSQLConnection *SQLConnection READ SQLConnection WRITE setSQLConnection)
    KOR_PUBLISHED(tkClass, "TSQLConnection", SQLConnection, "")
    KOR_STRING(CommandText)
    KOR_ENUM(Db::TSQLCommandType, CommandType, Db::ctQuery)

public:
    Q_INVOKABLE explicit TSQLDataSet(QObject *AOwner = nullptr);
    ~TSQLDataSet() override;

    TSQLConnection *SQLConnection() const { return m_connection.data(); }
    void setSQLConnection(TSQLConnection *Value);
    // The statement the data set runs: CommandText, or a select of the whole table.
    QString SelectStatement() const;

    // The field type a declared SQL column type stands for ("SMALLINT" -> ftSmallint, ...).
    static Db::TFieldType FieldTypeOf(const QString &DeclaredType, int *Size = nullptr);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &Rows,
                      bool DefsOnly) override;

private:
    void Changed();

    QPointer<TSQLConnection> m_connection;
    QMetaObject::Connection m_closing;
};

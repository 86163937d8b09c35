#pragma once
// SQL data access through Qt SQL: a connection to a database through any Qt SQL driver (SQLite
// by default) and a data set over a query or a table of that connection. Every connection
// registers its own uniquely named Qt connection, so any number of them, in any number of tests,
// can coexist.
//
// A data set reads its result a block at a time, and can read any block again, so it holds only a
// window of them. With SQLite it reads the statement forward and, to start elsewhere, the same
// statement from an offset (LIMIT ... OFFSET). Drivers that stream a result over the server
// connection itself (every one but SQLite) cannot run a second statement there while a result is
// half read, so each such data set reads through a server connection of its own, opened with the
// same settings, while it is open: there the statement is a scrollable cursor of a transaction,
// fetched a block at a time and moved to any row, so the server keeps the result and not the
// driver. A statement that cannot be a cursor (or a subquery, with SQLite) is read forward once.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "db.h"

class QSqlDatabase;
class QSqlError;
class QSqlField;
class QSqlQuery;

class KORRUNTIME_EXPORT TSQLConnection : public QObject, public TComponent {
    Q_OBJECT
    KOR_STRING(DatabaseName)
    KOR_STRING(DriverName)
    KOR_STRING(HostName)
    KOR_INTEGER(Port, 0)
    KOR_STRING(UserName)
    // Never written into a form, and never part of a message.
    KOR_STRING(Password)
    KOR_STORED(Password, false)
    Q_PROPERTY(bool Connected READ Connected WRITE setConnected)
    KOR_PUBLISHED(tkEnumeration, "Boolean", Connected, "false")

public:
    Q_INVOKABLE explicit TSQLConnection(QObject *AOwner = nullptr);
    ~TSQLConnection() override;

    bool Connected() const { return m_connected; }
    void setConnected(bool Value);
    // Opens the database with the driver DriverName names (QSQLITE, QPSQL, QMYSQL, QODBC, ...);
    // raises EDatabaseError naming the database, with the driver's own message, when it cannot.
    // Port 0 is the driver's default port. A SQLite database file must exist: it is never made
    // here (the message then says the file does not exist).
    void Open();
    // Closes the data sets that use this connection, then the database.
    void Close();
    // Runs a statement that returns no rows; answers the number of rows affected.
    int ExecuteDirect(const QString &SQL);
    // The Qt connection name this connection registered.
    QString ConnectionName() const { return m_connectionName; }
    QSqlDatabase Database() const;
    // True when a result can be read while other statements run on the same server connection.
    bool SharesConnectionForReading() const;
    // Opens another server connection with this connection's settings, under the Qt connection
    // name given; raises EDatabaseError like Open.
    void OpenCopy(const QString &CopyName);

    // Declared type of a column of a table ("INTEGER", "VARCHAR(20)"); empty when unknown.
    QString DeclaredType(const QString &Table, const QString &Column);
    // The declared types of a table's columns by lower-case column name, where the driver tells
    // them (SQLite); empty elsewhere, where the result's own column types are used.
    QHash<QString, QString> DeclaredTypes(const QString &Table);

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
    // The field type of a result column as its driver describes it (the server's type where the
    // driver gives it, else the value type Qt reads it as).
    static Db::TFieldType FieldTypeOf(const QString &DriverName, const QSqlField &Field,
                                      int *Size = nullptr);

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &Rows,
                      bool DefsOnly) override;
    int InternalFetch(TRowBuffer &Rows, int Count) override;
    int InternalRecordCount() override;
    bool InternalCanSeek() const override { return m_seekable; }
    bool InternalSeek(int Row) override;
    void InternalClose() override;

private:
    void Changed();
    // The data set's name, then what the driver reported.
    QString error(const QSqlError &Error) const;

    QPointer<TSQLConnection> m_connection;
    QMetaObject::Connection m_closing;
    // While rows are left to read: the result, the Qt connection it reads through when that is
    // one of its own, and the field type of each column.
    std::unique_ptr<QSqlQuery> m_cursor;
    QString m_cursorConnection;
    std::vector<Db::TFieldType> m_columnTypes;
    // The rows can be read again from any row: through the server cursor when there is one, else
    // by running the statement from an offset.
    bool m_seekable = false;
    bool m_serverCursor = false;
};

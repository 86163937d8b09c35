#include "sqldata.h"

#include <QAtomicInt>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>
#include <climits>

#include "componentlink.h"

namespace {

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("kor.sqlconnection.%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QString quotedIdentifier(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The table a simple query reads from, for the declared types of its columns.
QString queryTable(const QString &statement)
{
    static const QRegularExpression from(
        QStringLiteral("\\bFROM\\s+[\"`\\[]?([A-Za-z_][A-Za-z0-9_]*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = from.match(statement);
    return match.hasMatch() ? match.captured(1) : QString();
}

Db::TFieldType typeOfValue(const QMetaType &type)
{
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
        return Db::ftInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Db::ftLargeint;
    case QMetaType::Double:
        return Db::ftFloat;
    case QMetaType::Bool:
        return Db::ftBoolean;
    case QMetaType::QByteArray:
        return Db::ftBlob;
    case QMetaType::QDate:
        return Db::ftDate;
    case QMetaType::QTime:
        return Db::ftTime;
    case QMetaType::QDateTime:
        return Db::ftDateTime;
    default:
        return Db::ftString;
    }
}

QDateTime parseDateTime(const QString &text)
{
    QString iso = text.trimmed();
    if (iso.size() > 10 && iso.at(10) == QLatin1Char(' '))
        iso[10] = QLatin1Char('T');
    return QDateTime::fromString(iso, Qt::ISODateWithMs);
}

// The stored value as the field type reads it; values that do not convert stay as they are.
QVariant convertValue(const QVariant &raw, Db::TFieldType type)
{
    if (raw.isNull())
        return {};
    const bool isText = raw.typeId() == QMetaType::QString;
    switch (type) {
    case Db::ftSmallint:
    case Db::ftInteger:
    case Db::ftWord:
    case Db::ftAutoInc: {
        bool ok = false;
        const int value = raw.toInt(&ok);
        return ok ? QVariant(value) : raw;
    }
    case Db::ftLargeint: {
        bool ok = false;
        const qlonglong value = raw.toLongLong(&ok);
        return ok ? QVariant(value) : raw;
    }
    case Db::ftFloat:
    case Db::ftCurrency:
    case Db::ftBCD:
    case Db::ftFMTBcd: {
        bool ok = false;
        const double value = raw.toDouble(&ok);
        return ok ? QVariant(value) : raw;
    }
    case Db::ftBoolean: {
        if (!isText)
            return raw.toBool();
        const QString text = raw.toString().trimmed().toLower();
        return text == QLatin1String("1") || text == QLatin1String("true") ||
               text == QLatin1String("t") || text == QLatin1String("yes") ||
               text == QLatin1String("y");
    }
    case Db::ftDate: {
        const QDate date = QDate::fromString(raw.toString().left(10), Qt::ISODate);
        return date.isValid() ? QVariant(date) : raw;
    }
    case Db::ftTime: {
        const QTime time = QTime::fromString(raw.toString().trimmed(), Qt::ISODateWithMs);
        return time.isValid() ? QVariant(time) : raw;
    }
    case Db::ftDateTime:
    case Db::ftTimeStamp: {
        const QDateTime dateTime = parseDateTime(raw.toString());
        return dateTime.isValid() ? QVariant(dateTime) : raw;
    }
    case Db::ftBlob:
    case Db::ftGraphic:
        return raw.toByteArray();
    default:
        return isText ? raw : QVariant(raw.toString());
    }
}

struct TypeRule {
    const char *word;
    Db::TFieldType type;
};

// First match wins, so longer names come before the names they contain.
constexpr TypeRule kTypeRules[] = {
    {"BIGINT", Db::ftLargeint},   {"INT64", Db::ftLargeint},      {"LARGEINT", Db::ftLargeint},
    {"SMALLINT", Db::ftSmallint}, {"TINYINT", Db::ftSmallint},    {"WORD", Db::ftWord},
    {"AUTOINC", Db::ftAutoInc},   {"INT", Db::ftInteger},         {"BOOL", Db::ftBoolean},
    {"BIT", Db::ftBoolean},       {"CURRENCY", Db::ftCurrency},   {"MONEY", Db::ftCurrency},
    {"NUMERIC", Db::ftBCD},       {"DECIMAL", Db::ftBCD},         {"REAL", Db::ftFloat},
    {"FLOA", Db::ftFloat},        {"DOUB", Db::ftFloat},          {"TIMESTAMP", Db::ftTimeStamp},
    {"DATETIME", Db::ftDateTime}, {"DATE", Db::ftDate},           {"TIME", Db::ftTime},
    {"NCHAR", Db::ftWideString},  {"NVARCHAR", Db::ftWideString}, {"WIDE", Db::ftWideString},
    {"NTEXT", Db::ftWideString},  {"CHAR", Db::ftString},         {"STRING", Db::ftString},
    {"MEMO", Db::ftMemo},         {"TEXT", Db::ftMemo},           {"CLOB", Db::ftMemo},
    {"GRAPHIC", Db::ftGraphic},   {"IMAGE", Db::ftGraphic},       {"BLOB", Db::ftBlob},
    {"BINARY", Db::ftBlob},       {"GUID", Db::ftGuid},           {"UUID", Db::ftGuid},
};

// PostgreSQL's built-in type numbers and the SQL type each stands for.
struct ServerType {
    int oid;
    const char *declared;
};

constexpr ServerType kPostgresTypes[] = {
    {16, "BOOLEAN"},   {17, "BLOB"},    {18, "CHAR"},        {19, "VARCHAR"},     {20, "BIGINT"},
    {21, "SMALLINT"},  {23, "INTEGER"}, {25, "TEXT"},        {26, "BIGINT"},      {114, "TEXT"},
    {700, "REAL"},     {701, "DOUBLE"}, {790, "MONEY"},      {1042, "CHAR"},      {1043, "VARCHAR"},
    {1082, "DATE"},    {1083, "TIME"},  {1114, "TIMESTAMP"}, {1184, "TIMESTAMP"}, {1266, "TIME"},
    {1700, "NUMERIC"}, {2950, "UUID"},  {3802, "TEXT"},
};

QString serverTypeName(const QString &driver, int typeId)
{
    if (driver == QLatin1String("QPSQL"))
        for (const ServerType &type : kPostgresTypes)
            if (type.oid == typeId)
                return QString::fromLatin1(type.declared);
    return {};
}

// What a Qt SQL call reports: Qt's own words first, then the database's.
QString errorText(const QSqlError &error)
{
    return JoinSentences(error.driverText(), error.databaseText());
}

// The message of a database that cannot be opened, naming it.
QString openFailure(const QString &database, const QString &why)
{
    return JoinSentences(QStringLiteral("Cannot open database '%1'").arg(database), why);
}

// SQLite makes a database file that does not exist; a mistyped name would then be an empty
// database that looks connected. Answers why the name cannot be opened, or nothing. Names that
// are no file (an in-memory database, a URI) are left to the driver.
QString missingDatabaseFile(const QString &driver, const QString &database)
{
    if (driver.compare(QLatin1String("QSQLITE"), Qt::CaseInsensitive) != 0 || database.isEmpty() ||
        database == QLatin1String(":memory:") ||
        database.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return {};
    const QFileInfo file(database);
    if (!file.exists())
        return QStringLiteral("The file does not exist");
    if (file.isDir())
        return QStringLiteral("It is a folder, not a database file");
    return {};
}

// The statement without the trailing semicolon, to wrap in another.
QString innerStatement(const QString &statement)
{
    QString inner = statement.trimmed();
    while (inner.endsWith(QLatin1Char(';')))
        inner.chop(1);
    return inner;
}

// Whether the statement gives rows that another statement can read from (a subquery, a cursor).
bool isQuery(const QString &statement)
{
    static const QRegularExpression query(QStringLiteral("^\\s*\\(*\\s*(SELECT|WITH|VALUES)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(statement).hasMatch();
}

// The name of the data set's cursor on its own server connection.
const QString kCursorName = QStringLiteral("kor_rows");

} // namespace

// ---- TSQLConnection -----------------------------------------------------------------------

TSQLConnection::TSQLConnection(QObject *AOwner)
    : QObject(), TComponent(AsComponent(AOwner)), m_connectionName(uniqueConnectionName())
{
    m_DriverName = QStringLiteral("QSQLITE");
}

TSQLConnection::~TSQLConnection()
{
    Close();
}

void TSQLConnection::setConnected(bool Value)
{
    if (Value)
        Open();
    else
        Close();
}

void TSQLConnection::Open()
{
    if (m_connected)
        return;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                              ? QSqlDatabase::database(m_connectionName, false)
                              : QSqlDatabase::addDatabase(DriverName(), m_connectionName);
        if (!db.isValid()) {
            error = QStringLiteral("Database driver %1 is not available").arg(DriverName());
        } else if (const QString missing = missingDatabaseFile(DriverName(), DatabaseName());
                   !missing.isEmpty()) {
            error = missing;
        } else {
            db.setDatabaseName(DatabaseName());
            db.setHostName(HostName());
            db.setPort(Port() > 0 ? Port() : -1);
            db.setUserName(UserName());
            db.setPassword(Password());
            if (!db.open())
                error = errorText(db.lastError());
        }
    }
    if (!error.isEmpty()) {
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EDatabaseError(openFailure(DatabaseName(), error));
    }
    m_connected = true;
}

void TSQLConnection::Close()
{
    if (!m_connected)
        return;
    emit closing();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connected = false;
}

QSqlDatabase TSQLConnection::Database() const
{
    return m_connected ? QSqlDatabase::database(m_connectionName, false) : QSqlDatabase();
}

bool TSQLConnection::SharesConnectionForReading() const
{
    return DriverName().compare(QLatin1String("QSQLITE"), Qt::CaseInsensitive) == 0;
}

void TSQLConnection::OpenCopy(const QString &CopyName)
{
    Open();
    QString error;
    {
        QSqlDatabase copy = QSqlDatabase::cloneDatabase(m_connectionName, CopyName);
        if (!copy.open())
            error = errorText(copy.lastError());
    }
    if (!error.isEmpty()) {
        QSqlDatabase::removeDatabase(CopyName);
        throw EDatabaseError(openFailure(DatabaseName(), error));
    }
}

int TSQLConnection::ExecuteDirect(const QString &SQL)
{
    Open();
    QSqlQuery query(Database());
    if (!query.exec(SQL))
        throw EDatabaseError(errorText(query.lastError()));
    return query.numRowsAffected();
}

QString TSQLConnection::DeclaredType(const QString &Table, const QString &Column)
{
    return DeclaredTypes(Table).value(Column.toLower());
}

QHash<QString, QString> TSQLConnection::DeclaredTypes(const QString &Table)
{
    QHash<QString, QString> declared;
    if (Table.isEmpty() || !m_connected || !SharesConnectionForReading())
        return declared;
    QSqlQuery query(Database());
    if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(Table))))
        while (query.next())
            declared.insert(query.value(1).toString().toLower(), query.value(2).toString());
    return declared;
}

void TSQLConnection::Changed()
{
    // A connection keeps the database it opened; new settings apply from the next Open.
    Close();
}

// ---- TSQLDataSet --------------------------------------------------------------------------

TSQLDataSet::TSQLDataSet(QObject *AOwner) : TDataSet(AOwner) {}

TSQLDataSet::~TSQLDataSet()
{
    disconnect(m_closing);
    InternalClose();
}

void TSQLDataSet::setSQLConnection(TSQLConnection *Value)
{
    if (m_connection == Value)
        return;
    Close();
    disconnect(m_closing);
    m_connection = Value;
    if (Value) {
        FreeNotification(Value);
        m_closing = connect(Value, &TSQLConnection::closing, this, &TDataSet::Close);
    }
}

void TSQLDataSet::Notification(TComponent *AComponent, TOperation Operation)
{
    TDataSet::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && DropLink(m_connection, AComponent)) {
        disconnect(m_closing);
        Close();
    }
}

QString TSQLDataSet::SelectStatement() const
{
    if (CommandType() == Db::ctTable)
        return CommandText().trimmed().isEmpty()
                   ? QString()
                   : QStringLiteral("SELECT * FROM %1")
                         .arg(quotedIdentifier(CommandText().trimmed()));
    return CommandText();
}

Db::TFieldType TSQLDataSet::FieldTypeOf(const QString &DeclaredType, int *Size)
{
    const QString declared = DeclaredType.trimmed().toUpper();
    if (Size) {
        static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
        const QRegularExpressionMatch match = size.match(declared);
        *Size = match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    if (declared.isEmpty())
        return Db::ftUnknown;
    const QString base = declared.section(QLatin1Char('('), 0, 0);
    for (const TypeRule &rule : kTypeRules)
        if (base.contains(QLatin1String(rule.word)))
            return rule.type;
    return Db::ftString;
}

Db::TFieldType TSQLDataSet::FieldTypeOf(const QString &DriverName, const QSqlField &Field,
                                        int *Size)
{
    const QString declared = serverTypeName(DriverName, Field.typeID());
    if (declared.isEmpty()) {
        if (Size)
            *Size = Field.metaType().id() == QMetaType::QString ? qMax(0, Field.length()) : 0;
        return typeOfValue(Field.metaType());
    }
    const Db::TFieldType type = FieldTypeOf(declared);
    if (Size)
        *Size = (type == Db::ftString || type == Db::ftBCD) ? qMax(0, Field.length()) : 0;
    return type;
}

QString TSQLDataSet::error(const QSqlError &Error) const
{
    return QStringLiteral("%1: %2").arg(Name(), errorText(Error));
}

void TSQLDataSet::InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &,
                               bool DefsOnly)
{
    InternalClose();
    TSQLConnection *connection = SQLConnection();
    if (!connection)
        throw EDatabaseError(QStringLiteral("%1: Missing SQLConnection property").arg(Name()));
    const QString statement = SelectStatement();
    if (statement.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: No SQL statement available").arg(Name()));
    connection->Open();

    const QString table =
        CommandType() == Db::ctTable ? CommandText().trimmed() : queryTable(statement);
    const QHash<QString, QString> declared = connection->DeclaredTypes(table);

    // The rows are read through a server connection of the data set's own unless the driver
    // reads results alongside other statements.
    QString cursorConnection = connection->ConnectionName();
    const bool server = !connection->SharesConnectionForReading();
    if (!DefsOnly && server) {
        static QAtomicInt counter;
        cursorConnection = QStringLiteral("%1.reader.%2")
                               .arg(connection->ConnectionName())
                               .arg(counter.fetchAndAddRelaxed(1) + 1);
        connection->OpenCopy(cursorConnection);
        m_cursorConnection = cursorConnection;
    }
    auto query = std::make_unique<QSqlQuery>(QSqlDatabase::database(cursorConnection, false));
    query->setForwardOnly(true);
    const QString inner = innerStatement(statement);
    bool executed = false;
    if (DefsOnly) {
        // The columns alone come from the statement asked for no rows.
        executed =
            query->exec(QStringLiteral("SELECT * FROM (%1\n) kor_columns LIMIT 0").arg(inner));
    } else if (server && isQuery(inner)) {
        // A scrollable cursor in a transaction of the data set's own connection; fetching none
        // of its rows tells the columns.
        if (query->exec(QStringLiteral("BEGIN")) &&
            query->exec(
                QStringLiteral("DECLARE %1 SCROLL CURSOR FOR %2").arg(kCursorName, inner)) &&
            query->exec(QStringLiteral("FETCH FORWARD 0 FROM %1").arg(kCursorName)) &&
            query->record().count() > 0) {
            executed = true;
            m_serverCursor = true;
        } else {
            query->exec(QStringLiteral("ROLLBACK"));
        }
    }
    executed = executed || query->exec(statement);
    if (!executed) {
        const QString message = error(query->lastError());
        query.reset();
        InternalClose();
        throw EDatabaseError(message);
    }
    const QSqlRecord record = query->record();
    const QString driver = connection->DriverName().toUpper();
    for (int i = 0; i < record.count(); ++i) {
        FieldDesc column;
        column.Name = record.fieldName(i);
        column.DataType = FieldTypeOf(declared.value(column.Name.toLower()), &column.Size);
        if (column.DataType == Db::ftUnknown)
            column.DataType = FieldTypeOf(driver, record.field(i), &column.Size);
        Columns.push_back(column);
    }
    if (DefsOnly)
        return;
    m_columnTypes.clear();
    for (const FieldDesc &column : Columns)
        m_columnTypes.push_back(column.DataType);
    m_seekable = m_serverCursor || (!server && isQuery(inner));
    m_cursor = std::move(query);
}

bool TSQLDataSet::InternalSeek(int Row)
{
    TSQLConnection *connection = SQLConnection();
    if (!m_seekable || !m_cursor || !connection || !connection->Connected())
        return false;
    if (m_serverCursor) {
        // Onto the row before, so that the next fetch starts with the row.
        if (!m_cursor->exec(QStringLiteral("MOVE ABSOLUTE %1 IN %2").arg(Row).arg(kCursorName)))
            throw EDatabaseError(error(m_cursor->lastError()));
        return true;
    }
    auto query = std::make_unique<QSqlQuery>(connection->Database());
    query->setForwardOnly(true);
    const QString inner = innerStatement(SelectStatement());
    const bool executed =
        Row == 0 ? query->exec(SelectStatement())
                 : query->exec(QStringLiteral("SELECT * FROM (%1\n) kor_rows LIMIT -1 OFFSET %2")
                                   .arg(inner)
                                   .arg(Row));
    if (!executed)
        throw EDatabaseError(error(query->lastError()));
    m_cursor = std::move(query);
    return true;
}

int TSQLDataSet::InternalFetch(TRowBuffer &Rows, int Count)
{
    if (!m_cursor)
        return 0;
    if (m_serverCursor &&
        !m_cursor->exec(QStringLiteral("FETCH FORWARD %1 FROM %2").arg(Count).arg(kCursorName)))
        throw EDatabaseError(error(m_cursor->lastError()));
    const int columns = std::min(Rows.ColumnCount(), int(m_columnTypes.size()));
    int read = 0;
    while (read < Count && m_cursor->next()) {
        QVariant *row = Rows.AppendRow();
        for (int i = 0; i < columns; ++i)
            row[i] = convertValue(m_cursor->value(i), m_columnTypes[std::size_t(i)]);
        ++read;
    }
    if (read < Count && m_cursor->lastError().type() != QSqlError::NoError)
        throw EDatabaseError(error(m_cursor->lastError()));
    // At the end of a result read by offset, the statement lets go of the database until the
    // rows are wanted again.
    if (read < Count && !m_serverCursor)
        m_cursor->finish();
    return read;
}

int TSQLDataSet::InternalRecordCount()
{
    TSQLConnection *connection = SQLConnection();
    if (!connection || !connection->Connected())
        return -1;
    const QString statement = CommandType() == Db::ctTable
                                  ? QStringLiteral("SELECT COUNT(*) FROM %1")
                                        .arg(quotedIdentifier(CommandText().trimmed()))
                                  : QStringLiteral("SELECT COUNT(*) FROM (%1\n) kor_count")
                                        .arg(innerStatement(SelectStatement()));
    QSqlQuery query(connection->Database());
    query.setForwardOnly(true);
    if (!query.exec(statement) || !query.next())
        return -1;
    bool ok = false;
    const qlonglong count = query.value(0).toLongLong(&ok);
    return ok && count >= 0 && count < INT_MAX ? int(count) : -1;
}

void TSQLDataSet::InternalClose()
{
    m_cursor.reset();
    m_columnTypes.clear();
    m_seekable = false;
    m_serverCursor = false;
    if (!m_cursorConnection.isEmpty()) {
        {
            QSqlDatabase reader = QSqlDatabase::database(m_cursorConnection, false);
            reader.close();
        }
        QSqlDatabase::removeDatabase(m_cursorConnection);
        m_cursorConnection.clear();
    }
}

void TSQLDataSet::Changed()
{
    // A new statement applies from the next Open.
    Close();
}

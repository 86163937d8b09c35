#include "sqldata.h"

#include <QAtomicInt>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

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
        } else {
            db.setDatabaseName(DatabaseName());
            if (!db.open())
                error = db.lastError().text();
        }
    }
    if (!error.isEmpty()) {
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EDatabaseError(
            QStringLiteral("Cannot open database '%1': %2").arg(DatabaseName(), error));
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

int TSQLConnection::ExecuteDirect(const QString &SQL)
{
    Open();
    QSqlQuery query(Database());
    if (!query.exec(SQL))
        throw EDatabaseError(query.lastError().text());
    return query.numRowsAffected();
}

QString TSQLConnection::DeclaredType(const QString &Table, const QString &Column)
{
    if (Table.isEmpty() || !m_connected)
        return {};
    QSqlQuery query(Database());
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(Table))))
        return {};
    while (query.next())
        if (query.value(1).toString().compare(Column, Qt::CaseInsensitive) == 0)
            return query.value(2).toString();
    return {};
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

void TSQLDataSet::InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &Rows,
                               bool DefsOnly)
{
    TSQLConnection *connection = SQLConnection();
    if (!connection)
        throw EDatabaseError(QStringLiteral("%1: Missing SQLConnection property").arg(Name()));
    const QString statement = SelectStatement();
    if (statement.trimmed().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: No SQL statement available").arg(Name()));
    connection->Open();

    const QString table =
        CommandType() == Db::ctTable ? CommandText().trimmed() : queryTable(statement);
    QHash<QString, QString> declared; // lower-case column name -> declared type
    if (!table.isEmpty()) {
        QSqlQuery info(connection->Database());
        if (info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(table))))
            while (info.next())
                declared.insert(info.value(1).toString().toLower(), info.value(2).toString());
    }

    QSqlQuery query(connection->Database());
    query.setForwardOnly(true);
    if (!query.exec(statement))
        throw EDatabaseError(QStringLiteral("%1: %2").arg(Name(), query.lastError().text()));
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        FieldDesc column;
        column.Name = record.fieldName(i);
        const QString type = declared.value(column.Name.toLower());
        column.DataType = FieldTypeOf(type, &column.Size);
        if (column.DataType == Db::ftUnknown)
            column.DataType = typeOfValue(record.field(i).metaType());
        Columns.push_back(column);
    }
    if (DefsOnly)
        return;
    while (query.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(convertValue(query.value(i), Columns[std::size_t(i)].DataType));
        Rows.push_back(std::move(row));
    }
}

void TSQLDataSet::Changed()
{
    // A new statement applies from the next Open.
    Close();
}

#include "variants.h"

#include <QLocale>
#include <cmath>

#include "hosterrors.h"

// ---- Currency -------------------------------------------------------------------------------

Currency Currency::FromDouble(double Value)
{
    const double scaled = std::round(Value * 10000.0);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        throw EConvertError(QStringLiteral("%1 is not a valid currency value").arg(Value));
    return Currency{qint64(scaled)};
}

QString Currency::ToString() const
{
    const bool negative = Scaled < 0;
    // The magnitude as unsigned, so the most negative amount does not overflow.
    const quint64 magnitude = negative ? quint64(0) - quint64(Scaled) : quint64(Scaled);
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + text : text;
}

// ---- TSQLTimeStamp --------------------------------------------------------------------------

TSQLTimeStamp TSQLTimeStamp::FromDateTime(const QDateTime &Value)
{
    TSQLTimeStamp stamp;
    if (!Value.isValid())
        return stamp;
    const QDate date = Value.date();
    const QTime time = Value.time();
    stamp.Year = qint16(date.year());
    stamp.Month = quint16(date.month());
    stamp.Day = quint16(date.day());
    stamp.Hour = quint16(time.hour());
    stamp.Minute = quint16(time.minute());
    stamp.Second = quint16(time.second());
    stamp.Fractions = quint32(time.msec());
    return stamp;
}

QDateTime TSQLTimeStamp::ToDateTime() const
{
    const QDate date(Year, Month, Day);
    const QTime time(Hour, Minute, Second, int(Fractions));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QString TSQLTimeStamp::ToString() const
{
    return QStringLiteral("%1-%2-%3 %4:%5:%6.%7")
        .arg(Year, 4, 10, QLatin1Char('0'))
        .arg(Month, 2, 10, QLatin1Char('0'))
        .arg(Day, 2, 10, QLatin1Char('0'))
        .arg(Hour, 2, 10, QLatin1Char('0'))
        .arg(Minute, 2, 10, QLatin1Char('0'))
        .arg(Second, 2, 10, QLatin1Char('0'))
        .arg(Fractions, 3, 10, QLatin1Char('0'));
}

bool operator==(const TSQLTimeStamp &a, const TSQLTimeStamp &b)
{
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
           a.Minute == b.Minute && a.Second == b.Second && a.Fractions == b.Fractions;
}

// ---- TBcd -----------------------------------------------------------------------------------

bool TBcd::TryFromString(const QString &Text, TBcd &Value)
{
    const QString text = Text.trimmed();
    TBcd result;
    qsizetype pos = 0;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+')))
        result.Negative = text[pos++] == QLatin1Char('-');
    int count = 0;
    int scale = 0;
    bool point = false;
    bool anyDigit = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        anyDigit = true;
        if (count == 0 && c == QLatin1Char('0') && !point)
            continue; // leading zeros of the integer part
        if (count == MaxDigits)
            return false;
        result.Digits[count++] = quint8(c.unicode() - '0');
        if (point)
            ++scale;
    }
    if (!anyDigit)
        return false;
    if (count == 0) { // the value zero
        result.Digits[0] = 0;
        count = 1;
    }
    result.Precision = quint8(count);
    result.Scale = quint8(scale);
    Value = result;
    return true;
}

TBcd TBcd::FromString(const QString &Text)
{
    TBcd value;
    if (!TryFromString(Text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid BCD value").arg(Text));
    return value;
}

TBcd TBcd::FromDouble(double Value)
{
    if (!std::isfinite(Value))
        throw EConvertError(QStringLiteral("%1 is not a valid BCD value").arg(Value));
    // 'f' with the shortest round-trip precision never uses an exponent.
    return FromString(QString::number(Value, 'f', QLocale::FloatingPointShortest));
}

QString TBcd::ToString() const
{
    const int precision = qBound(1, int(Precision), MaxDigits);
    const int scale = qMin(int(Scale), precision);
    QString integer;
    for (int i = 0; i < precision - scale; ++i)
        if (!integer.isEmpty() || Digits[i] != 0)
            integer += QChar(u'0' + Digits[i]);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    QString fraction;
    for (int i = precision - scale; i < precision; ++i)
        fraction += QChar(u'0' + Digits[i]);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = fraction.isEmpty() ? integer : integer + QLatin1Char('.') + fraction;
    if (Negative && text != QLatin1String("0"))
        text.prepend(QLatin1Char('-'));
    return text;
}

double TBcd::ToDouble() const
{
    return ToString().toDouble();
}

// ---- Classification -------------------------------------------------------------------------

TVarType VarType(const QVariant &Value)
{
    if (!Value.isValid())
        return varEmpty;
    const QMetaType type = Value.metaType();
    switch (type.id()) {
    case QMetaType::Nullptr:
        return varNull;
    case QMetaType::Bool:
        return varBoolean;
    case QMetaType::SChar:
    case QMetaType::Char:
        return varShortInt;
    case QMetaType::UChar:
        return varByte;
    case QMetaType::Short:
        return varSmallint;
    case QMetaType::UShort:
        return varWord;
    case QMetaType::Int:
    case QMetaType::Long:
        return varInteger;
    case QMetaType::UInt:
    case QMetaType::ULong:
        return varLongWord;
    case QMetaType::LongLong:
        return varInt64;
    case QMetaType::ULongLong:
        return varUInt64;
    case QMetaType::Float:
        return varSingle;
    case QMetaType::Double:
        return varDouble;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return varString;
    case QMetaType::QChar:
        return varOleStr;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime:
        return varDate;
    default:
        break;
    }
    if (type == QMetaType::fromType<Currency>())
        return varCurrency;
    if (type == QMetaType::fromType<TSQLTimeStamp>())
        return varSQLTimeStamp;
    if (type == QMetaType::fromType<TBcd>())
        return varFMTBcd;
    return varUnknown;
}

bool VarIsType(const QVariant &Value, TVarType AVarType)
{
    return VarType(Value) == AVarType;
}

bool VarIsEmpty(const QVariant &Value)
{
    return VarType(Value) == varEmpty;
}

bool VarIsNull(const QVariant &Value)
{
    return VarType(Value) == varNull;
}

bool VarIsOrdinal(const QVariant &Value)
{
    switch (VarType(Value)) {
    case varBoolean:
    case varShortInt:
    case varByte:
    case varSmallint:
    case varWord:
    case varInteger:
    case varLongWord:
    case varInt64:
    case varUInt64:
        return true;
    default:
        return false;
    }
}

bool VarIsFloat(const QVariant &Value)
{
    const TVarType type = VarType(Value);
    return type == varSingle || type == varDouble || type == varCurrency;
}

bool VarIsNumeric(const QVariant &Value)
{
    return VarIsOrdinal(Value) || VarIsFloat(Value);
}

bool VarIsStr(const QVariant &Value)
{
    const TVarType type = VarType(Value);
    return type == varString || type == varOleStr;
}

bool VarIsSQLTimeStamp(const QVariant &Value)
{
    return VarType(Value) == varSQLTimeStamp;
}

bool VarIsFMTBcd(const QVariant &Value)
{
    return VarType(Value) == varFMTBcd;
}

// ---- Registration ---------------------------------------------------------------------------

namespace {

void registerVariantTypes()
{
    QMetaType::registerConverter<Currency, double>(&Currency::ToDouble);
    QMetaType::registerConverter<Currency, QString>(&Currency::ToString);
    QMetaType::registerConverter<TBcd, double>(&TBcd::ToDouble);
    QMetaType::registerConverter<TBcd, QString>(&TBcd::ToString);
    QMetaType::registerConverter<TSQLTimeStamp, QDateTime>(&TSQLTimeStamp::ToDateTime);
    QMetaType::registerConverter<TSQLTimeStamp, QString>(&TSQLTimeStamp::ToString);
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(registerVariantTypes)

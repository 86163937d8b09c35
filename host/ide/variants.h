#pragma once
// Value types that data-aware components keep in variants beside Qt's own: Currency (a fixed
// four-decimal amount), TSQLTimeStamp (a database time stamp) and TBcd (a packed decimal of up to
// 64 digits). All three are registered with QMetaType, so they travel in a QVariant and convert
// to double and QString (and the time stamp to QDateTime) through QVariant::convert.
//
// VarType classifies a QVariant the way the run-time library classifies its variants (varEmpty,
// varInteger, varDate, ...), so code can ask "is this an ordinal, a float, a string?" without
// listing Qt's type ids every time.

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <array>

#include "korhost_export.h"

// A currency amount: a 64-bit integer holding the value times 10000.
struct KORHOST_EXPORT Currency {
    qint64 Scaled = 0;

    static Currency FromScaled(qint64 Value) { return Currency{Value}; }
    // Rounds to four decimals, halves away from zero; raises EConvertError outside the range.
    static Currency FromDouble(double Value);
    double ToDouble() const { return double(Scaled) / 10000.0; }
    // The plain decimal text, "-12.5" or "1000", with a full stop and no grouping.
    QString ToString() const;

    friend bool operator==(Currency a, Currency b) { return a.Scaled == b.Scaled; }
    friend bool operator!=(Currency a, Currency b) { return a.Scaled != b.Scaled; }
    friend bool operator<(Currency a, Currency b) { return a.Scaled < b.Scaled; }
};
Q_DECLARE_METATYPE(Currency)

// A database time stamp as data-access layers hand it over; Fractions are milliseconds.
struct KORHOST_EXPORT TSQLTimeStamp {
    qint16 Year = 0;
    quint16 Month = 0;
    quint16 Day = 0;
    quint16 Hour = 0;
    quint16 Minute = 0;
    quint16 Second = 0;
    quint32 Fractions = 0;

    static TSQLTimeStamp FromDateTime(const QDateTime &Value);
    // An invalid QDateTime when the fields do not form a valid moment.
    QDateTime ToDateTime() const;
    // ISO form "yyyy-MM-dd hh:mm:ss.zzz".
    QString ToString() const;

    friend bool operator==(const TSQLTimeStamp &a, const TSQLTimeStamp &b);
    friend bool operator!=(const TSQLTimeStamp &a, const TSQLTimeStamp &b) { return !(a == b); }
};
Q_DECLARE_METATYPE(TSQLTimeStamp)

// A binary-coded decimal: Precision digits, the last Scale of them after the decimal point.
struct KORHOST_EXPORT TBcd {
    static constexpr int MaxDigits = 64;

    quint8 Precision = 1;
    quint8 Scale = 0;
    bool Negative = false;
    std::array<quint8, MaxDigits> Digits{}; // the first Precision are used, most significant first

    // "-123.45", "0.5", "42"; raises EConvertError for anything else or too many digits.
    static TBcd FromString(const QString &Text);
    static bool TryFromString(const QString &Text, TBcd &Value);
    // Up to 17 significant digits of the shortest text that reads back as Value.
    static TBcd FromDouble(double Value);
    QString ToString() const;
    double ToDouble() const;

    // Equal in value (1.50 equals 1.5, -0 equals 0).
    friend bool operator==(const TBcd &a, const TBcd &b) { return a.ToString() == b.ToString(); }
    friend bool operator!=(const TBcd &a, const TBcd &b) { return !(a == b); }
};
Q_DECLARE_METATYPE(TBcd)

using TVarType = quint16;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varUInt64 = 0x0015;
constexpr TVarType varString = 0x0100;
// The custom variant types of the data-access layer.
constexpr TVarType varSQLTimeStamp = 0x0110;
constexpr TVarType varFMTBcd = 0x0111;

// The variant type of Value. Invalid -> varEmpty, nullptr -> varNull, QString and QByteArray ->
// varString, QChar -> varOleStr, QDateTime/QDate/QTime -> varDate; every type without a
// counterpart (objects, lists, ...) -> varUnknown.
KORHOST_EXPORT TVarType VarType(const QVariant &Value);
KORHOST_EXPORT bool VarIsType(const QVariant &Value, TVarType AVarType);
KORHOST_EXPORT bool VarIsEmpty(const QVariant &Value);
KORHOST_EXPORT bool VarIsNull(const QVariant &Value);
// Booleans and every integer type.
KORHOST_EXPORT bool VarIsOrdinal(const QVariant &Value);
// Single, double and currency.
KORHOST_EXPORT bool VarIsFloat(const QVariant &Value);
KORHOST_EXPORT bool VarIsNumeric(const QVariant &Value);
KORHOST_EXPORT bool VarIsStr(const QVariant &Value);
KORHOST_EXPORT bool VarIsSQLTimeStamp(const QVariant &Value);
KORHOST_EXPORT bool VarIsFMTBcd(const QVariant &Value);

// The variant constants of the run-time library.
inline QVariant Unassigned()
{
    return QVariant();
}
inline QVariant Null()
{
    return QVariant::fromValue(nullptr);
}

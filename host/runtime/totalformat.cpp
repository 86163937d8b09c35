// Formatting of total values by the display formats the grid's totals use.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include "columntotal.h"
#include "hosterrors.h"
#include "sysformat.h"
#include "variants.h"

namespace {

QString plainText(const QVariant &value, bool isCurrency)
{
    const QLocale locale;
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return isCurrency ? locale.toString(value.toDouble(), 'f', 2)
                          : locale.toString(value.toDouble(), 'g', 15);
    if (VarIsOrdinal(value))
        return locale.toString(value.toLongLong());
    if (value.typeId() == QMetaType::QDate)
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    if (value.typeId() == QMetaType::QDateTime)
        return locale.toString(value.toDateTime(), QLocale::ShortFormat);
    return value.toString();
}

bool isDateTime(const QVariant &value)
{
    const int type = value.typeId();
    return type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime;
}

QDateTime toDateTime(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    if (value.typeId() == QMetaType::QTime)
        return QDateTime(QDate(1899, 12, 30), value.toTime());
    return value.toDateTime();
}

// The argument the format's conversion asks for: integers for d, u and x (rounded when the
// value is fractional or AsFloat is set), floating values for e, f, g, n and m, text for s.
QVariant argumentFor(const QVariant &value, QChar conversion, bool asFloat, bool isCurrency)
{
    switch (conversion.unicode()) {
    case 'd':
    case 'u':
    case 'x':
        if (asFloat || value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
            return QVariant(qlonglong(qRound64(value.toDouble())));
        return QVariant(value.toLongLong());
    case 's':
        return plainText(value, isCurrency);
    default:
        return QVariant(value.toDouble());
    }
}

} // namespace

QString FormatTotalValue(const QVariant &Value, const QString &Format, bool AsFloat,
                         bool IsCurrency)
{
    if (Format.isEmpty())
        return plainText(Value, IsCurrency);
    if (Value.isNull() || !Value.isValid())
        return {};

    // "%True;False%" and the date and time patterns are wrapped in percent signs.
    if (Format.size() > 2 && Format.startsWith(QLatin1Char('%')) &&
        Format.endsWith(QLatin1Char('%'))) {
        const QString inner = Format.mid(1, Format.size() - 2);
        if (inner.contains(QLatin1Char(';'))) {
            const QStringList parts = inner.split(QLatin1Char(';'));
            const bool truth =
                Value.typeId() == QMetaType::QString
                    ? !Value.toString().isEmpty() && Value.toString() != QLatin1String("0")
                    : Value.toBool();
            return truth ? parts.value(0) : parts.value(1);
        }
        if (isDateTime(Value) && !inner.contains(QLatin1Char('%')))
            return FormatDateTime(inner, toDateTime(Value));
    }

    // Any other format takes the value as its one argument.
    static const QRegularExpression conversion(
        QStringLiteral("%(?:\\d+:)?-?\\d*(?:\\.\\d+)?([dufnmegxs])"));
    const QRegularExpressionMatch match = conversion.match(Format);
    if (!match.hasMatch())
        return plainText(Value, IsCurrency);
    try {
        return ::Format(Format, {argumentFor(Value, match.captured(1).at(0), AsFloat, IsCurrency)});
    } catch (const EHostError &) {
        return plainText(Value, IsCurrency); // a format the developer mistyped shows the value
    }
}

// Formatting of total values by the display formats the grid's totals use.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cmath>

#include "columntotal.h"

namespace {

bool isNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

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
    if (isNumeric(value))
        return locale.toString(value.toLongLong());
    if (value.typeId() == QMetaType::QDate)
        return locale.toString(value.toDate(), QLocale::ShortFormat);
    if (value.typeId() == QMetaType::QDateTime)
        return locale.toString(value.toDateTime(), QLocale::ShortFormat);
    return value.toString();
}

struct DatePattern {
    const char *delphi;
    const char *qt; // nullptr: a locale format
};

constexpr DatePattern kDatePatterns[] = {
    {"c", nullptr},   {"ddddd", nullptr}, {"dddddd", nullptr}, {"t", nullptr},
    {"tt", nullptr},  {"ddd", "ddd"},     {"dddd", "dddd"},    {"mmm", "MMM"},
    {"mmmm", "MMMM"}, {"dd", "dd"},       {"mm", "MM"},        {"yyyy", "yyyy"},
    {"hh", "hh"},     {"nn", "mm"},       {"ss", "ss"},        {"zzz", "zzz"},
};

bool formatDate(const QVariant &value, const QString &pattern, QString &result)
{
    for (const DatePattern &entry : kDatePatterns) {
        if (pattern != QLatin1String(entry.delphi))
            continue;
        const QDateTime dateTime = value.typeId() == QMetaType::QDate
                                       ? QDateTime(value.toDate(), QTime(0, 0))
                                       : value.toDateTime();
        if (!dateTime.isValid()) {
            result = plainText(value, false);
            return true;
        }
        const QLocale locale;
        if (entry.qt) {
            result = locale.toString(dateTime, QLatin1String(entry.qt));
        } else if (pattern == QLatin1String("c")) {
            result = locale.toString(dateTime, QLocale::ShortFormat);
        } else if (pattern == QLatin1String("ddddd")) {
            result = locale.toString(dateTime.date(), QLocale::ShortFormat);
        } else if (pattern == QLatin1String("dddddd")) {
            result = locale.toString(dateTime.date(), QLocale::LongFormat);
        } else if (pattern == QLatin1String("t")) {
            result = locale.toString(dateTime.time(), QLocale::ShortFormat);
        } else {
            result = locale.toString(dateTime.time(), QLocale::LongFormat);
        }
        return true;
    }
    return false;
}

QString formatNumber(const QVariant &value, QChar kind, int precision, bool asFloat)
{
    const QLocale locale;
    const double number = value.toDouble();
    switch (kind.unicode()) {
    case 'd':
    case 'u': {
        const qlonglong integer =
            asFloat || value.typeId() == QMetaType::Double ? qRound64(number) : value.toLongLong();
        QString digits = QString::number(qAbs(integer));
        if (precision > digits.size())
            digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
        return integer < 0 && kind == QLatin1Char('d') ? QLatin1Char('-') + digits : digits;
    }
    case 'x': {
        QString digits = QString::number(qRound64(number), 16).toUpper();
        if (precision > digits.size())
            digits = QString(precision - digits.size(), QLatin1Char('0')) + digits;
        return digits;
    }
    case 'f':
        return QString::number(number, 'f', precision < 0 ? 2 : precision);
    case 'n': {
        QLocale grouped = locale;
        grouped.setNumberOptions(QLocale::DefaultNumberOptions);
        return grouped.toString(number, 'f', precision < 0 ? 2 : precision);
    }
    case 'm': {
        const int digits = precision < 0 ? 2 : precision;
        return locale.toCurrencyString(number, QString(), digits);
    }
    case 'e':
        return QString::number(number, 'E', precision < 0 ? 15 : precision);
    case 'g':
        return QString::number(number, 'g', precision < 0 ? 15 : precision);
    default:
        return plainText(value, false);
    }
}

} // namespace

QString FormatTotalValue(const QVariant &Value, const QString &Format, bool AsFloat,
                         bool IsCurrency)
{
    if (Format.isEmpty())
        return plainText(Value, IsCurrency);

    // "%True;False%" and the date and time patterns are wrapped in percent signs.
    if (Format.size() > 2 && Format.startsWith(QLatin1Char('%')) &&
        Format.endsWith(QLatin1Char('%'))) {
        const QString inner = Format.mid(1, Format.size() - 2);
        if (inner.contains(QLatin1Char(';'))) {
            const QStringList parts = inner.split(QLatin1Char(';'));
            if (Value.isNull())
                return {};
            const bool truth =
                Value.typeId() == QMetaType::QString
                    ? !Value.toString().isEmpty() && Value.toString() != QLatin1String("0")
                    : Value.toBool();
            return truth ? parts.value(0) : parts.value(1);
        }
        QString result;
        if (formatDate(Value, inner, result))
            return result;
    }

    static const QRegularExpression spec(QStringLiteral("%(-)?(\\d+)?(?:\\.(\\d+))?([dufnmegxs])"));
    const QRegularExpressionMatch match = spec.match(Format);
    if (!match.hasMatch() || Value.isNull())
        return Value.isNull() ? QString() : plainText(Value, IsCurrency);

    const bool leftAlign = !match.captured(1).isEmpty();
    const int width = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    const int precision = match.captured(3).isEmpty() ? -1 : match.captured(3).toInt();
    const QChar kind = match.captured(4).at(0);
    QString text = kind == QLatin1Char('s') ? plainText(Value, IsCurrency)
                                            : formatNumber(Value, kind, precision, AsFloat);
    if (kind == QLatin1Char('s') && precision >= 0)
        text = text.left(precision);
    if (text.size() < width)
        text = leftAlign ? text.leftJustified(width) : text.rightJustified(width);

    QString prefix = Format.left(match.capturedStart());
    QString suffix = Format.mid(match.capturedEnd());
    prefix.replace(QLatin1String("%%"), QLatin1String("%"));
    suffix.replace(QLatin1String("%%"), QLatin1String("%"));
    return prefix + text + suffix;
}

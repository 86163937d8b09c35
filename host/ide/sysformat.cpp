#include "sysformat.h"

#include <QLocale>
#include <cmath>

#include "hosterrors.h"
#include "variants.h"

namespace {

// ---- Decimal digits of a double ---------------------------------------------------------------

// |value| = 0.Digits * 10^Exponent; no digits for zero.
struct Decimal {
    QString Digits;
    int Exponent = 0;
};

constexpr int kMaxDigits = 17; // a double carries no more significant decimal digits

Decimal parseScientific(const QString &Text)
{
    Decimal d;
    const qsizetype e = Text.indexOf(QLatin1Char('e'));
    d.Digits = Text.left(e).remove(QLatin1Char('.'));
    d.Exponent = Text.mid(e + 1).toInt() + 1;
    while (d.Digits.endsWith(QLatin1Char('0')))
        d.Digits.chop(1);
    return d;
}

// |Value| rounded to Precision significant digits. A value whose shortest exact text has no more
// digits keeps that text, so 0.1 stays 0.1 however many decimals are asked for.
Decimal roundSignificant(double Value, int Precision)
{
    if (Value == 0)
        return {};
    const double magnitude = std::fabs(Value);
    const Decimal shortest =
        parseScientific(QString::number(magnitude, 'e', QLocale::FloatingPointShortest));
    if (shortest.Digits.size() <= Precision)
        return shortest;
    return parseScientific(QString::number(magnitude, 'e', qBound(1, Precision, kMaxDigits) - 1));
}

// |Value| rounded to Precision significant digits and to Decimals decimals, whichever is coarser.
Decimal roundFixed(double Value, int Precision, int Decimals)
{
    const Decimal exact = roundSignificant(Value, kMaxDigits);
    if (exact.Digits.isEmpty())
        return exact;
    const int wanted = qMin(qMin(Precision, kMaxDigits), exact.Exponent + Decimals);
    if (wanted > 0)
        return roundSignificant(Value, wanted);
    Decimal d;
    if (wanted == 0 && exact.Digits.at(0) >= QLatin1Char('5')) { // rounds up to one unit
        d.Digits = QStringLiteral("1");
        d.Exponent = 1 - Decimals;
    }
    return d;
}

QChar digitAt(const Decimal &d, int Index)
{
    return Index >= 0 && Index < d.Digits.size() ? d.Digits.at(Index) : QLatin1Char('0');
}

QString groupThousands(const QString &Integer, const QString &Separator)
{
    if (Separator.isEmpty())
        return Integer;
    QString result;
    for (qsizetype i = 0; i < Integer.size(); ++i) {
        if (i > 0 && (Integer.size() - i) % 3 == 0)
            result += Separator;
        result += Integer.at(i);
    }
    return result;
}

QString decimalPoint()
{
    return QLocale().decimalPoint();
}

QString thousandSeparator()
{
    const QLocale locale;
    return (locale.numberOptions() & QLocale::OmitGroupSeparator) ? QString()
                                                                  : locale.groupSeparator();
}

QString fixedText(const Decimal &d, int Decimals, bool Grouped)
{
    QString integer;
    for (int i = 0; i < d.Exponent; ++i)
        integer += digitAt(d, i);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    if (Grouped)
        integer = groupThousands(integer, thousandSeparator());
    if (Decimals <= 0)
        return integer;
    QString fraction;
    for (int i = d.Exponent; i < d.Exponent + Decimals; ++i)
        fraction += digitAt(d, i);
    return integer + decimalPoint() + fraction;
}

QString exponentText(int Exponent, int MinDigits, bool ForceSign)
{
    QString sign = Exponent < 0 ? QStringLiteral("-") : ForceSign ? QStringLiteral("+") : QString();
    return QLatin1Char('E') + sign +
           QStringLiteral("%1").arg(std::abs(Exponent), qBound(0, MinDigits, 4), 10,
                                    QLatin1Char('0'));
}

QString scientificText(const Decimal &d, int MantissaDigits, int MinExpDigits, bool ForceSign)
{
    QString text = digitAt(d, 0);
    if (MantissaDigits > 1) {
        text += decimalPoint();
        for (int i = 1; i < MantissaDigits; ++i)
            text += digitAt(d, i);
    }
    const int exponent = d.Digits.isEmpty() ? 0 : d.Exponent - 1;
    return text + exponentText(exponent, MinExpDigits, ForceSign);
}

QString generalText(double Value, int Precision, int MinExpDigits)
{
    const Decimal d = roundSignificant(Value, Precision);
    if (d.Digits.isEmpty())
        return QStringLiteral("0");
    if (d.Exponent > Precision || d.Exponent < -3)
        return scientificText(d, int(d.Digits.size()), MinExpDigits, false);
    const int decimals = qMax(0, int(d.Digits.size()) - d.Exponent);
    return fixedText(d, decimals, false);
}

// ---- Format arguments -------------------------------------------------------------------------

[[noreturn]] void invalidFormat(const QString &Specifier)
{
    throw EConvertError(
        QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Specifier));
}

struct IntegerArg {
    bool Negative = false;
    quint64 Magnitude = 0;
    quint64 Bits = 0; // the value read as unsigned, in the width of its type
};

bool integerArg(const QVariant &Value, IntegerArg &Arg)
{
    switch (Value.metaType().id()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qint64 value = Value.toLongLong();
        Arg.Negative = value < 0;
        Arg.Magnitude = Arg.Negative ? quint64(0) - quint64(value) : quint64(value);
        Arg.Bits = Value.metaType().sizeOf() <= 4 ? quint64(quint32(value)) : quint64(value);
        return true;
    }
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        Arg.Magnitude = Arg.Bits = Value.toULongLong();
        return true;
    default:
        return false;
    }
}

bool floatArg(const QVariant &Value, double &Arg)
{
    switch (VarType(Value)) {
    case varSingle:
    case varDouble:
        Arg = Value.toDouble();
        return true;
    case varCurrency:
        Arg = Value.value<Currency>().ToDouble();
        return true;
    case varFMTBcd:
        Arg = Value.value<TBcd>().ToDouble();
        return true;
    default:
        return false;
    }
}

QString zeroPadded(QString Digits, int Precision)
{
    if (Precision > Digits.size())
        Digits.prepend(QString(Precision - Digits.size(), QLatin1Char('0')));
    return Digits;
}

QString formatArgument(QChar Type, int Precision, const QVariant &Arg, const QString &Specifier)
{
    IntegerArg integer;
    double number = 0;
    switch (Type.unicode()) {
    case 'D':
        if (!integerArg(Arg, integer))
            invalidFormat(Specifier);
        return (integer.Negative ? QStringLiteral("-") : QString()) +
               zeroPadded(QString::number(integer.Magnitude), Precision);
    case 'U':
        if (!integerArg(Arg, integer))
            invalidFormat(Specifier);
        return zeroPadded(QString::number(integer.Bits), Precision);
    case 'X':
        if (!integerArg(Arg, integer))
            invalidFormat(Specifier);
        return zeroPadded(QString::number(integer.Bits, 16).toUpper(), Precision);
    case 'S':
        if (!VarIsStr(Arg))
            invalidFormat(Specifier);
        return Precision >= 0 ? Arg.toString().left(Precision) : Arg.toString();
    case 'E':
    case 'F':
    case 'G':
    case 'N':
    case 'M':
        break;
    default:
        invalidFormat(Specifier);
    }
    if (!floatArg(Arg, number))
        invalidFormat(Specifier);
    switch (Type.unicode()) {
    case 'E':
        return FloatToStrF(number, TFloatFormat::ffExponent, Precision < 0 ? 15 : Precision, 3);
    case 'F':
        return FloatToStrF(number, TFloatFormat::ffFixed, 18, Precision < 0 ? 2 : Precision);
    case 'G':
        return FloatToStrF(number, TFloatFormat::ffGeneral, Precision < 0 ? 15 : Precision, 3);
    case 'N':
        return FloatToStrF(number, TFloatFormat::ffNumber, 18, Precision < 0 ? 2 : Precision);
    default:
        return FloatToStrF(number, TFloatFormat::ffCurrency, 18, Precision);
    }
}

// Reads a decimal number at Pos; -1 when there is none. Numbers too large for a sane width or
// precision make the format invalid.
int readNumber(const QString &Fmt, qsizetype &Pos, const QString &Specifier)
{
    int value = -1;
    while (Pos < Fmt.size() && Fmt.at(Pos).isDigit() && Fmt.at(Pos).unicode() < 128) {
        value = qMax(value, 0) * 10 + (Fmt.at(Pos).unicode() - '0');
        if (value > 100000)
            invalidFormat(Specifier);
        ++Pos;
    }
    return value;
}

// ---- FormatDateTime ---------------------------------------------------------------------------

// The first separator character of a locale pattern after its first letter of Kind.
QString separatorOf(const QString &Pattern, QStringView Kinds, const QString &Fallback)
{
    bool seen = false;
    for (const QChar c : Pattern) {
        if (Kinds.contains(c)) {
            seen = true;
        } else if (seen && !c.isLetter() && !c.isSpace() && c != QLatin1Char('\'')) {
            return QString(c);
        }
    }
    return Fallback;
}

// The locale's long time pattern without its time-zone field.
QString longTimePattern()
{
    const QString pattern = QLocale().timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    return result.trimmed();
}

bool startsWithAt(const QString &Text, qsizetype Pos, QLatin1String What)
{
    return QStringView(Text).mid(Pos).startsWith(What, Qt::CaseInsensitive);
}

// Whether an am/pm marker follows Pos outside quoted text.
bool twelveHourFrom(const QString &Pattern, qsizetype Pos)
{
    QChar quote;
    for (qsizetype i = Pos; i < Pattern.size(); ++i) {
        const QChar c = Pattern.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (startsWithAt(Pattern, i, QLatin1String("am/pm")) ||
                   startsWithAt(Pattern, i, QLatin1String("a/p")) ||
                   startsWithAt(Pattern, i, QLatin1String("ampm"))) {
            return true;
        }
    }
    return false;
}

QString number(int Value, int Width)
{
    return QStringLiteral("%1").arg(Value, Width, 10, QLatin1Char('0'));
}

class DateTimeFormatter {
public:
    explicit DateTimeFormatter(const QDateTime &Value) : m_date(Value.date()), m_time(Value.time())
    {
    }

    QString Apply(const QString &Pattern)
    {
        QString out;
        QChar lastToken;
        qsizetype i = 0;
        while (i < Pattern.size()) {
            const QChar c = Pattern.at(i);
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                qsizetype end = Pattern.indexOf(c, i + 1);
                if (end < 0)
                    end = Pattern.size();
                out += Pattern.mid(i + 1, end - i - 1);
                i = end + 1;
                continue;
            }
            const QChar upper = c.toUpper();
            if (upper < QLatin1Char('A') || upper > QLatin1Char('Z')) {
                out +=
                    c == QLatin1Char('/')   ? separatorOf(m_locale.dateFormat(QLocale::ShortFormat),
                                                          u"dMy", QStringLiteral("/"))
                    : c == QLatin1Char(':') ? separatorOf(m_locale.timeFormat(QLocale::ShortFormat),
                                                          u"hH", QStringLiteral(":"))
                                            : QString(c);
                ++i;
                continue;
            }
            if (upper == QLatin1Char('A')) {
                i += appendMarker(Pattern, i, out);
                lastToken = upper;
                continue;
            }
            int count = 1;
            while (i + count < Pattern.size() && Pattern.at(i + count).toUpper() == upper)
                ++count;
            QChar token = upper;
            if (token == QLatin1Char('M') && lastToken == QLatin1Char('H'))
                token = QLatin1Char('N');
            lastToken = token;
            if (!appendToken(token, count, Pattern, i, out)) {
                out += c; // not a pattern letter: literal
                count = 1;
            }
            i += count;
        }
        return out;
    }

private:
    // Appends an am/pm marker at Pos and answers its length; a lone "a" is literal.
    int appendMarker(const QString &Pattern, qsizetype Pos, QString &Out)
    {
        const bool pm = m_time.hour() >= 12;
        if (startsWithAt(Pattern, Pos, QLatin1String("am/pm"))) {
            Out += Pattern.mid(pm ? Pos + 3 : Pos, 2);
            return 5;
        }
        if (startsWithAt(Pattern, Pos, QLatin1String("a/p"))) {
            Out += Pattern.at(pm ? Pos + 2 : Pos);
            return 3;
        }
        if (startsWithAt(Pattern, Pos, QLatin1String("ampm"))) {
            Out += pm ? m_locale.pmText() : m_locale.amText();
            return 4;
        }
        Out += Pattern.at(Pos);
        return 1;
    }

    bool appendToken(QChar Token, int Count, const QString &Pattern, qsizetype Pos, QString &Out)
    {
        switch (Token.unicode()) {
        case 'Y':
            Out += Count <= 2 ? number(m_date.year() % 100, 2) : number(m_date.year(), 4);
            return true;
        case 'M':
            Out += Count <= 2   ? number(m_date.month(), Count)
                   : Count == 3 ? m_locale.standaloneMonthName(m_date.month(), QLocale::ShortFormat)
                                : m_locale.standaloneMonthName(m_date.month(), QLocale::LongFormat);
            return true;
        case 'D':
            Out +=
                Count <= 2   ? number(m_date.day(), Count)
                : Count == 3 ? m_locale.standaloneDayName(m_date.dayOfWeek(), QLocale::ShortFormat)
                : Count == 4 ? m_locale.standaloneDayName(m_date.dayOfWeek(), QLocale::LongFormat)
                : Count == 5 ? m_locale.toString(m_date, QLocale::ShortFormat)
                             : m_locale.toString(m_date, QLocale::LongFormat);
            return true;
        case 'H': {
            int hour = m_time.hour();
            if (twelveHourFrom(Pattern, Pos + Count)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            Out += number(hour, qMin(Count, 2));
            return true;
        }
        case 'N':
            Out += number(m_time.minute(), qMin(Count, 2));
            return true;
        case 'S':
            Out += number(m_time.second(), qMin(Count, 2));
            return true;
        case 'Z':
            Out += number(m_time.msec(), Count == 1 ? 1 : 3);
            return true;
        case 'T':
            Out += Count == 1 ? m_locale.toString(m_time, QLocale::ShortFormat)
                              : m_locale.toString(m_time, longTimePattern());
            return true;
        case 'C':
            Out += m_locale.toString(m_date, QLocale::ShortFormat);
            if (m_time != QTime(0, 0))
                Out += QLatin1Char(' ') + m_locale.toString(m_time, longTimePattern());
            return true;
        default:
            return false;
        }
    }

    QLocale m_locale;
    QDate m_date;
    QTime m_time;
};

} // namespace

QString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Precision = qBound(1, Precision, 18);
    if (Format == TFloatFormat::ffCurrency)
        return QLocale().toCurrencyString(Value, QString(), Digits < 0 ? -1 : qMin(Digits, 18));
    Digits = qBound(0, Digits, 18);
    QString text;
    bool zero = false;
    switch (Format) {
    case TFloatFormat::ffGeneral:
        text = generalText(Value, Precision, Digits);
        zero = text == QLatin1String("0");
        break;
    case TFloatFormat::ffExponent: {
        const Decimal d = roundSignificant(Value, Precision);
        text = scientificText(d, qMin(Precision, kMaxDigits), Digits, true);
        zero = d.Digits.isEmpty();
        break;
    }
    default: {
        const Decimal d = roundFixed(Value, Precision, Digits);
        if (d.Exponent > Precision) // more integer digits than the precision holds
            return FloatToStrF(Value, TFloatFormat::ffExponent, Precision, 3);
        text = fixedText(d, Digits, Format == TFloatFormat::ffNumber);
        zero = d.Digits.isEmpty();
        break;
    }
    }
    return Value < 0 && !zero ? QLatin1Char('-') + text : text;
}

QString Format(const QString &Fmt, const QVariantList &Args)
{
    QString result;
    int nextArg = 0;
    qsizetype i = 0;
    while (i < Fmt.size()) {
        const qsizetype percent = Fmt.indexOf(QLatin1Char('%'), i);
        if (percent < 0) {
            result += QStringView(Fmt).mid(i);
            break;
        }
        result += QStringView(Fmt).mid(i, percent - i);
        i = percent + 1;
        if (i < Fmt.size() && Fmt.at(i) == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        // The whole specifier, for messages: up to and including its type letter.
        qsizetype end = i;
        while (end < Fmt.size() && !Fmt.at(end).isLetter())
            ++end;
        const QString specifier = Fmt.mid(percent, end - percent + 1);

        int index = -1;
        int width = readNumber(Fmt, i, specifier);
        if (width >= 0 && i < Fmt.size() && Fmt.at(i) == QLatin1Char(':')) {
            index = width;
            width = -1;
            ++i;
        }
        bool leftJustify = false;
        if (width < 0) {
            if (i < Fmt.size() && Fmt.at(i) == QLatin1Char('-')) {
                leftJustify = true;
                ++i;
            }
            width = readNumber(Fmt, i, specifier);
        }
        int precision = -1;
        if (i < Fmt.size() && Fmt.at(i) == QLatin1Char('.')) {
            ++i;
            precision = qMax(0, readNumber(Fmt, i, specifier));
        }
        if (i >= Fmt.size())
            invalidFormat(specifier);
        const QChar type = Fmt.at(i++).toUpper();
        const int argIndex = index >= 0 ? index : nextArg;
        if (argIndex >= Args.size())
            throw EConvertError(QStringLiteral("No argument for format '%1'").arg(specifier));
        nextArg = argIndex + 1;
        const QString text = formatArgument(type, precision, Args.at(argIndex), specifier);
        result += leftJustify ? text.leftJustified(width) : text.rightJustified(width);
    }
    return result;
}

QString FormatDateTime(const QString &Pattern, const QDateTime &DateTime)
{
    // An invalid moment formats as the run-time library's zero date.
    const QDateTime value =
        DateTime.isValid() ? DateTime : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    return DateTimeFormatter(value).Apply(Pattern.isEmpty() ? QStringLiteral("c") : Pattern);
}

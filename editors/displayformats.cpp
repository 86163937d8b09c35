#include "displayformats.h"

#include <QObject>

#include "sysformat.h"
#include "typinfo.h"
#include "variants.h"

namespace {

// One row of the total-format catalogue: a format entry, or (Format nullptr) a group separator.
// Label is the fixed label (Boolean), the label prefix (DateTime, with Pattern) or the label
// template formatted with the group's sample argument.
struct TotalFormatRow {
    TFormatGroup Group;
    const char *Format;
    int Spaces;
    const char *Label;
    const char *Pattern;
};

constexpr TotalFormatRow kTotalFormats[] = {
    {TFormatGroup::Boolean, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Boolean, "%True;False%", 1, "Boolean  (True)", nullptr},
    {TFormatGroup::Boolean, "%Yes;No%", 6, "Boolean  (Yes)", nullptr},
    {TFormatGroup::Boolean, "%On;Off%", 8, "Boolean (On)", nullptr},
    {TFormatGroup::Boolean, "%1;0%", 13, "Boolean (1)", nullptr},
    {TFormatGroup::DateTime, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::DateTime, "%c%", 11, "Date&Time   (", "c"},
    {TFormatGroup::DateTime, "%ddddd%", 3, "ShortDate    (", "ddddd"},
    {TFormatGroup::DateTime, "%dddddd%", 1, "LongDate    (", "dddddd"},
    {TFormatGroup::DateTime, "%t%", 12, "ShortTime    (", "t"},
    {TFormatGroup::DateTime, "%tt%", 11, "LongTime    (", "tt"},
    {TFormatGroup::DateTime, "%ddd%", 7, "ShortDay     (", "ddd"},
    {TFormatGroup::DateTime, "%dddd%", 5, "LongDay     (", "dddd"},
    {TFormatGroup::DateTime, "%mmm%", 5, "ShortMonth (", "mmm"},
    {TFormatGroup::DateTime, "%mmmm%", 2, "LongMonth  (", "mmmm"},
    {TFormatGroup::DateTime, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::DateTime, "%dd%", 9, "Day            (", "dd"},
    {TFormatGroup::DateTime, "%mm%", 8, "Month        (", "mm"},
    {TFormatGroup::DateTime, "%yyyy%", 6, "Year           (", "yyyy"},
    {TFormatGroup::DateTime, "%hh%", 9, "Hour          (", "hh"},
    {TFormatGroup::DateTime, "%nn%", 9, "Minute       (", "nn"},
    {TFormatGroup::DateTime, "%ss%", 10, "Second     (", "ss"},
    {TFormatGroup::DateTime, "%zzz%", 8, "Milisecond (", "zzz"},
    {TFormatGroup::Ordinal, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Ordinal, "%d", 4, "Decimal   (%d)", nullptr},
    {TFormatGroup::Ordinal, "%u", 4, "Unsigned (%u)", nullptr},
    {TFormatGroup::Ordinal, "%x", 4, "Hexadec. (%x)", nullptr},
    {TFormatGroup::Ordinal, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Ordinal, "%8d", 2, "Decimal   (%8d)", nullptr},
    {TFormatGroup::Ordinal, "%8u", 2, "Unsigned (%8u)", nullptr},
    {TFormatGroup::Ordinal, "%8x", 2, "Hexadec. (%8x)", nullptr},
    {TFormatGroup::Ordinal, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Ordinal, "%.8d", 1, "Decimal   (%.8d)", nullptr},
    {TFormatGroup::Ordinal, "%.8u", 1, "Unsigned (%.8u)", nullptr},
    {TFormatGroup::Ordinal, "%.8x", 1, "Hexadec. (%.8x)", nullptr},
    {TFormatGroup::Float, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Float, "%.0f", 4, "Fixed     (%.0f)", nullptr},
    {TFormatGroup::Float, "%.0n", 3, "Number (%.0n)", nullptr},
    {TFormatGroup::Float, "%.0m", 2, "Money   (%.0m)", nullptr},
    {TFormatGroup::Float, "%.0n%%", 1, "Percent (%.0n%%)", nullptr},
    {TFormatGroup::Float, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Float, "%f", 7, "Fixed     (%f)", nullptr},
    {TFormatGroup::Float, "%g", 6, "General (%g)", nullptr},
    {TFormatGroup::Float, "%n", 6, "Number (%n)", nullptr},
    {TFormatGroup::Float, "%m", 5, "Money   (%m)", nullptr},
    {TFormatGroup::Float, "%e", 6, "Scient.  (%e)", nullptr},
    {TFormatGroup::Float, "%n%%", 1, "Percent (%n%%)", nullptr},
    {TFormatGroup::Float, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Float, "%.4f", 4, "Fixed     (%.4f)", nullptr},
    {TFormatGroup::Float, "%.4n", 3, "Number (%.4n)", nullptr},
    {TFormatGroup::Float, "%.4m", 2, "Money   (%.4m)", nullptr},
    {TFormatGroup::Float, "%.4e", 3, "Scient.  (%.4e)", nullptr},
    {TFormatGroup::Float, "%.4n%%", 1, "Percent (%.4n%%)", nullptr},
    {TFormatGroup::Float, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::Float, "%12f", 3, "Fixed     (%12f)", nullptr},
    {TFormatGroup::Float, "%12g", 2, "General (%12g)", nullptr},
    {TFormatGroup::Float, "%12n", 2, "Number (%12n)", nullptr},
    {TFormatGroup::Float, "%12m", 1, "Money   (%12m)", nullptr},
    {TFormatGroup::Float, "%11n%%", 1, "Percent (%12n%%)", nullptr},
    {TFormatGroup::String, nullptr, 0, nullptr, nullptr},
    {TFormatGroup::String, "%s", 3, "String (%s)", nullptr},
    {TFormatGroup::String, "%8s", 1, "String (%8s)", nullptr},
};

struct PickTextRow {
    const char *Format;
    int Spaces;
    const char *Label; // formatted with "Kansas", "KA", 18
};

constexpr PickTextRow kPickTextFormats[] = {
    {"%0:s - %1:s", 4, " e.g.   %0:s - %1:s"},
    {"%0:s (%1:s)", 4, " e.g.   %0:s (%1:s)"},
    {"%0:s (%2:d)", 4, " e.g.   %0:s (%2:d)"},
    {"%1:s - %0:s", 4, " e.g.   %1:s - %0:s"},
    {"%1:s (%0:s)", 4, " e.g.   %1:s (%0:s)"},
    {"%2:2d. %0:s", 3, " e.g.   %2:2d. %0:s"},
    {"%2:2d. %0:s (%1:s)", 1, " e.g.   %2:2d. %0:s (%1:s)"},
    {"%2:2d. %1:s (%0:s)", 1, " e.g.   %2:2d. %1:s (%0:s)"},
};

struct GroupTexts {
    const char *Name;
    const char *DesignerSeparator;
};

constexpr GroupTexts kGroups[] = {
    {"Boolean", "------ Boolean ------"},  {"DateTime", "----- DateTime -----"},
    {"Ordinal", "------- Ordinal ------"}, {"Float", "-------- Float -------"},
    {"String", "------- String -------"},
};

const GroupTexts &groupTexts(TFormatGroup Group)
{
    return kGroups[int(Group)];
}

QString entry(const char *Format, int Spaces, const QString &Label)
{
    return NBSP + QString::fromLatin1(Format) + QString(Spaces, QLatin1Char(' ')) + NBSP + Label;
}

QString separatorEntry(TFormatGroup Group)
{
    return NBSP + QStringLiteral("----- ") + NBSP + QString::fromLatin1(groupTexts(Group).Name) +
           NBSP + QStringLiteral(" -----");
}

QString label(const TotalFormatRow &Row, const QDateTime &Now)
{
    const QString text = QString::fromLatin1(Row.Label);
    switch (Row.Group) {
    case TFormatGroup::Boolean:
        return text;
    case TFormatGroup::DateTime:
        return text + FormatDateTime(QString::fromLatin1(Row.Pattern), Now) + QLatin1Char(')');
    case TFormatGroup::Ordinal:
        return Format(text, {1000});
    case TFormatGroup::Float:
        return Format(text, {1000.1});
    case TFormatGroup::String:
        return Format(text, {QStringLiteral("Text")});
    }
    return text;
}

// The run-time library's Trim: drops characters up to and including the space at both ends.
QString trimBlanks(const QString &Text)
{
    qsizetype first = 0, last = Text.size();
    while (first < last && Text.at(first).unicode() <= ' ')
        ++first;
    while (last > first && Text.at(last - 1).unicode() <= ' ')
        --last;
    return Text.mid(first, last - first);
}

QVariant readProperty(const QObject *Object, const char *Name)
{
    PPropInfo info = GetPropInfo(Object, QString::fromLatin1(Name));
    if (info && info->Meta.isValid())
        return info->Meta.read(Object);
    return Object->property(Name);
}

// Compares class names without their namespace, so the test is independent of how the
// run-time package qualifies its classes.
bool inheritsByName(const QObject *Object, const char *ClassName)
{
    for (const QMetaObject *mo = Object->metaObject(); mo; mo = mo->superClass()) {
        QByteArray name(mo->className());
        const qsizetype colons = name.lastIndexOf("::");
        if (colons >= 0)
            name = name.mid(colons + 2);
        if (name == ClassName)
            return true;
    }
    return false;
}

TTotalValueReader &reader()
{
    static TTotalValueReader current;
    return current;
}

} // namespace

bool IsFormatGroupOffered(TFormatGroup Group, const QVariant &SampleValue, TFormatListUse Use)
{
    if (VarIsEmpty(SampleValue))
        return true;
    const TVarType type = VarType(SampleValue);
    switch (Group) {
    case TFormatGroup::Boolean:
        return type == varBoolean;
    case TFormatGroup::DateTime:
        return type == varDate ||
               (Use == TFormatListUse::ObjectInspector && type == varSQLTimeStamp);
    case TFormatGroup::Ordinal:
        return VarIsOrdinal(SampleValue) && type != varBoolean;
    case TFormatGroup::Float:
        return VarIsFloat(SampleValue) || type == varFMTBcd;
    case TFormatGroup::String:
        return VarIsStr(SampleValue);
    }
    return false;
}

QStringList TotalFormatEntries(const QVariant &SampleValue, const QDateTime &Now)
{
    QStringList result;
    for (const TotalFormatRow &row : kTotalFormats) {
        if (!IsFormatGroupOffered(row.Group, SampleValue, TFormatListUse::ObjectInspector))
            continue;
        result.append(row.Format ? entry(row.Format, row.Spaces, label(row, Now))
                                 : separatorEntry(row.Group));
    }
    return result;
}

QStringList TotalFormatPlainValues(const QVariant &SampleValue)
{
    QStringList result;
    for (const TotalFormatRow &row : kTotalFormats) {
        if (!IsFormatGroupOffered(row.Group, SampleValue, TFormatListUse::Designer))
            continue;
        result.append(
            QString::fromLatin1(row.Format ? row.Format : groupTexts(row.Group).DesignerSeparator));
    }
    return result;
}

QStringList PickTextFormatEntries()
{
    const QVariantList samples{QStringLiteral("Kansas"), QStringLiteral("KA"), 18};
    QStringList result;
    for (const PickTextRow &row : kPickTextFormats)
        result.append(
            entry(row.Format, row.Spaces, Format(QString::fromLatin1(row.Label), samples)));
    return result;
}

QStringList PickTextFormatPlainValues()
{
    QStringList result;
    for (const PickTextRow &row : kPickTextFormats)
        result.append(QString::fromLatin1(row.Format));
    return result;
}

QString ExtractStoredFormat(const QString &Value)
{
    const qsizetype marker = Value.indexOf(NBSP);
    if (marker < 0)
        return Value; // typed text
    const QString text = marker == 0 ? Value.mid(1) : Value;
    const qsizetype end = text.indexOf(QString(QLatin1Char(' ')) + NBSP);
    const QString format = trimBlanks(end < 0 ? QString() : text.left(end));
    return format == QLatin1String("-----") ? QString() : format;
}

std::optional<QString> DesignerFormatToStore(const QString &Text)
{
    if (Text.startsWith(QLatin1String("-----")))
        return std::nullopt;
    return Text;
}

TTotalValueSample ReadTotalValueByName(const QObject *Object)
{
    TTotalValueSample sample;
    if (!Object || !inheritsByName(Object, TotalValueClassName))
        return sample;
    sample.IsTotalValue = true;
    sample.Currency = readProperty(Object, TotalValueCurrencyProp).toBool();
    sample.Value = readProperty(Object, TotalValueValueProp);
    return sample;
}

void SetTotalValueReader(TTotalValueReader Reader)
{
    reader() = std::move(Reader);
}

QVariant TotalFormatSampleValue(const QObject *EditedObject)
{
    const TTotalValueSample sample =
        reader() ? reader()(EditedObject) : ReadTotalValueByName(EditedObject);
    if (!sample.IsTotalValue)
        return {};
    if (sample.Currency)
        return QVariant::fromValue(Currency::FromScaled(10000));
    return sample.Value;
}

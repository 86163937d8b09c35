#include "formfilevalues.h"

#include <QJsonDocument>
#include <cmath>

#include "collection.h"
#include "graphics.h"
#include "hosterrors.h"
#include "persistent.h"
#include "stringlist.h"

namespace FormFileValues {

namespace {

bool isBoolean(PPropInfo Info)
{
    return Info->TypeName == QLatin1String("Boolean");
}

} // namespace

Shape shapeOf(const QObject *Instance, PPropInfo Info)
{
    if (!Info->Meta.isValid()) // a component's Name: the text keeps it beside the properties
        return Shape::Skip;
    switch (Info->Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet:
    case TTypeKind::tkFloat:
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
    case TTypeKind::tkMethod:
        return Info->HasWrite() ? Shape::Scalar : Shape::Skip;
    case TTypeKind::tkClass: {
        QObject *value = GetObjectProp(Instance, Info->Name);
        if (!value || AsComponent(value))
            return Info->HasWrite() ? Shape::Reference : Shape::Skip;
        if (qobject_cast<TStrings *>(value))
            return Shape::Strings;
        if (qobject_cast<TCollection *>(value))
            return Shape::Collection;
        return AsPersistent(value) ? Shape::Object : Shape::Skip;
    }
    default:
        return Shape::Skip;
    }
}

bool hasStoredMethod(PPropInfo Info)
{
    return !Info->StoredMethod.isEmpty() && Info->StoredMethod != QLatin1String("true") &&
           Info->StoredMethod != QLatin1String("false");
}

bool isActivation(PPropInfo Info)
{
    return Info->Kind == TTypeKind::tkEnumeration && Info->TypeName == QLatin1String("Boolean") &&
           (Info->Name == QLatin1String("Active") || Info->Name == QLatin1String("Connected"));
}

QJsonValue valueNoCase(const QJsonObject &Object, const QString &Key)
{
    for (auto it = Object.constBegin(); it != Object.constEnd(); ++it)
        if (it.key().compare(Key, Qt::CaseInsensitive) == 0)
            return it.value();
    return QJsonValue(QJsonValue::Undefined);
}

QJsonValue encodeOrdinal(PPropInfo Info, qint32 Value)
{
    if (isBoolean(Info))
        return Value != 0;
    switch (Info->Kind) {
    case TTypeKind::tkEnumeration: {
        const QString name = Info->EnumName(Value);
        return name.isEmpty() ? QJsonValue(Value) : QJsonValue(name);
    }
    case TTypeKind::tkSet: {
        QJsonArray elements;
        for (int bit = 0; bit < 32; ++bit)
            if (quint32(Value) & (1u << bit)) {
                const QString name = Info->EnumName(bit);
                elements.append(name.isEmpty() ? QJsonValue(bit) : QJsonValue(name));
            }
        return elements;
    }
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
        return QString(QChar(char16_t(Value)));
    default:
        break;
    }
    if (Info->TypeName == QLatin1String("TColor"))
        return ColorToString(Value);
    QString ident;
    if (Info->TypeName == QLatin1String("TCursor") && CursorToIdent(Value, ident))
        return ident;
    return Value;
}

std::optional<qint32> wholeNumber(const QJsonValue &Value)
{
    if (!Value.isDouble())
        return std::nullopt;
    const double number = Value.toDouble();
    if (std::floor(number) != number || number < -2147483648.0 || number > 4294967295.0)
        return std::nullopt;
    return qint32(quint32(qint64(number)));
}

std::optional<qint32> decodeOrdinal(PPropInfo Info, const QJsonValue &Value, QString &Why)
{
    if (isBoolean(Info)) {
        if (Value.isBool())
            return Value.toBool() ? 1 : 0;
        Why = QStringLiteral("expected true or false");
        return std::nullopt;
    }
    switch (Info->Kind) {
    case TTypeKind::tkEnumeration: {
        if (Value.isString()) {
            const int ordinal = Info->EnumValue(Value.toString());
            if (ordinal >= 0)
                return ordinal;
            Why = QStringLiteral("%1 is not a value of %2").arg(Value.toString(), Info->TypeName);
            return std::nullopt;
        }
        if (const auto number = wholeNumber(Value))
            return number;
        Why = QStringLiteral("expected a value of %1").arg(Info->TypeName);
        return std::nullopt;
    }
    case TTypeKind::tkSet: {
        if (!Value.isArray()) {
            Why = QStringLiteral("expected a list of %1 elements").arg(Info->TypeName);
            return std::nullopt;
        }
        quint32 bits = 0;
        for (const QJsonValue element : Value.toArray()) {
            int bit = element.isString() ? Info->EnumValue(element.toString()) : -1;
            if (const auto number = wholeNumber(element); !element.isString() && number)
                bit = *number;
            if (bit < 0 || bit > 31) {
                Why = QStringLiteral("%1 is not an element of %2")
                          .arg(element.isString()
                                   ? element.toString()
                                   : QString::fromUtf8(QJsonDocument(QJsonArray{element})
                                                           .toJson(QJsonDocument::Compact)),
                               Info->TypeName);
                return std::nullopt;
            }
            bits |= 1u << bit;
        }
        return qint32(bits);
    }
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
        if (Value.isString() && Value.toString().size() == 1)
            return Value.toString().at(0).unicode();
        Why = QStringLiteral("expected one character");
        return std::nullopt;
    default:
        break;
    }
    if (Value.isString() && Info->TypeName == QLatin1String("TColor")) {
        try {
            return StringToColor(Value.toString());
        } catch (const EHostError &) {
            Why = QStringLiteral("%1 is not a colour").arg(Value.toString());
            return std::nullopt;
        }
    }
    TCursor cursor = 0;
    if (Value.isString() && Info->TypeName == QLatin1String("TCursor")) {
        if (IdentToCursor(Value.toString(), cursor))
            return cursor;
        Why = QStringLiteral("%1 is not a cursor").arg(Value.toString());
        return std::nullopt;
    }
    if (const auto number = wholeNumber(Value))
        return number;
    Why = QStringLiteral("expected a whole number");
    return std::nullopt;
}

QJsonValue encodeScalar(const QObject *Instance, PPropInfo Info)
{
    switch (Info->Kind) {
    case TTypeKind::tkFloat:
        return GetFloatProp(Instance, Info->Name);
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        return GetStrProp(Instance, Info);
    case TTypeKind::tkMethod:
        return GetMethodProp(Instance, Info->Name).Name;
    default:
        return encodeOrdinal(Info, GetOrdProp(Instance, Info));
    }
}

QString checkScalar(PPropInfo Info, const QJsonValue &Value)
{
    QString why;
    switch (Info->Kind) {
    case TTypeKind::tkFloat:
        return Value.isDouble() ? QString() : QStringLiteral("expected a number");
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
    case TTypeKind::tkMethod:
        return Value.isString() ? QString() : QStringLiteral("expected a string");
    default:
        decodeOrdinal(Info, Value, why);
        return why;
    }
}

void setScalar(QObject *Instance, PPropInfo Info, const QJsonValue &Value)
{
    switch (Info->Kind) {
    case TTypeKind::tkFloat:
        SetFloatProp(Instance, Info->Name, Value.toDouble());
        return;
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        SetStrProp(Instance, Info, Value.toString());
        return;
    case TTypeKind::tkMethod:
        SetMethodProp(Instance, Info->Name, TMethod{Value.toString()});
        return;
    default:
        break;
    }
    QString why;
    const auto ordinal = decodeOrdinal(Info, Value, why);
    if (!ordinal)
        throw EConvertError(why);
    SetOrdProp(Instance, Info, *ordinal);
}

QJsonArray encodeLines(const TStrings *Strings)
{
    QJsonArray lines;
    for (const QString &line : Strings->Lines())
        lines.append(line);
    return lines;
}

} // namespace FormFileValues

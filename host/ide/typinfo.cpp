#include "typinfo.h"

#include <QHash>
#include <QMetaClassInfo>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics.h"
#include "hosterrors.h"
#include "persistent.h"

namespace {

constexpr struct {
    TTypeKind kind;
    const char *name;
} kKindNames[] = {
    {TTypeKind::tkUnknown, "tkUnknown"}, {TTypeKind::tkInteger, "tkInteger"},
    {TTypeKind::tkChar, "tkChar"},       {TTypeKind::tkEnumeration, "tkEnumeration"},
    {TTypeKind::tkFloat, "tkFloat"},     {TTypeKind::tkString, "tkString"},
    {TTypeKind::tkSet, "tkSet"},         {TTypeKind::tkClass, "tkClass"},
    {TTypeKind::tkMethod, "tkMethod"},   {TTypeKind::tkWChar, "tkWChar"},
    {TTypeKind::tkLString, "tkLString"}, {TTypeKind::tkWString, "tkWString"},
    {TTypeKind::tkVariant, "tkVariant"},
};

TTypeKind kindFromName(QStringView name)
{
    for (const auto &entry : kKindNames)
        if (name == QLatin1String(entry.name))
            return entry.kind;
    return TTypeKind::tkUnknown;
}

// "Vcl::TAlignment" -> "TAlignment"
QString unqualified(const QString &name)
{
    const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
    return colons < 0 ? name : name.mid(colons + 2);
}

qint32 parseDefault(const TPropInfo &info, QString text)
{
    text = text.trimmed();
    if (text.isEmpty() || info.IsString() || info.Kind == TTypeKind::tkClass ||
        info.Kind == TTypeKind::tkMethod || info.Kind == TTypeKind::tkFloat ||
        text == QLatin1String("NoDefault"))
        return NoDefault;
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')')))
        text = text.mid(1, text.size() - 2).trimmed();
    if (text.isEmpty())
        return 0;
    if (text == QLatin1String("true"))
        return 1;
    if (text == QLatin1String("false"))
        return 0;
    if (text.size() == 3 && text.front() == QLatin1Char('\'') && text.back() == QLatin1Char('\''))
        return text.at(1).unicode();
    qint32 value = 0;
    bool ok = false;
    const qint64 number = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                              ? text.mid(2).toLongLong(&ok, 16)
                              : text.toLongLong(&ok, 10);
    if (ok)
        return qint32(quint32(number));
    // Identifiers: set elements joined by '|', enumeration values, colours and cursors.
    const QStringList parts = text.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    qint32 result = 0;
    for (const QString &rawPart : parts) {
        const QString part = unqualified(rawPart.trimmed());
        if (info.Enum.isValid()) {
            bool found = false;
            const int enumValue = info.Enum.keyToValue(part.toLatin1().constData(), &found);
            if (found) {
                result |= enumValue;
                continue;
            }
        }
        if (IdentToColor(part, value) || IdentToCursor(part, value)) {
            result |= value;
            continue;
        }
        qWarning("type information: cannot read the default '%s' of %s", qPrintable(text),
                 qPrintable(info.Name));
        return NoDefault;
    }
    return result;
}

TTypeKind kindFromMetaType(const QMetaProperty &meta, QString &typeName)
{
    const QMetaType type = meta.metaType();
    if (meta.isFlagType()) {
        typeName = QString::fromLatin1(meta.enumerator().name());
        return TTypeKind::tkSet;
    }
    if (meta.isEnumType()) {
        typeName = QString::fromLatin1(meta.enumerator().name());
        return TTypeKind::tkEnumeration;
    }
    switch (type.id()) {
    case QMetaType::Bool:
        typeName = QStringLiteral("Boolean");
        return TTypeKind::tkEnumeration;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UInt:
        typeName = QStringLiteral("Integer");
        return TTypeKind::tkInteger;
    case QMetaType::Double:
        typeName = QStringLiteral("Double");
        return TTypeKind::tkFloat;
    case QMetaType::QChar:
        typeName = QStringLiteral("WideChar");
        return TTypeKind::tkWChar;
    case QMetaType::QString:
        typeName = QStringLiteral("string");
        return TTypeKind::tkLString;
    default:
        break;
    }
    if (type.flags() & QMetaType::PointerToQObject) {
        typeName = QString::fromLatin1(type.metaObject()->className());
        return TTypeKind::tkClass;
    }
    if (type == QMetaType::fromType<TMethod>()) {
        typeName = QStringLiteral("TMethod");
        return TTypeKind::tkMethod;
    }
    typeName = QString::fromLatin1(type.name());
    return TTypeKind::tkUnknown;
}

struct ClassInfo {
    std::vector<std::unique_ptr<TPropInfo>> props;
    QHash<QString, const TPropInfo *> byName; // lower-case names
    QString refusal; // why the class's type information cannot be used; empty when it can
};

bool isIntegral(const QMetaType &type)
{
    if (type.flags() & QMetaType::IsEnumeration)
        return true;
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
        return type.sizeOf() <= int(sizeof(qint32));
    default:
        return false;
    }
}

// Whether a property recorded with Kind can be read and written as that kind through its C++
// type. Ordinal access copies the value's bits; string, float, class and event access convert
// through QVariant: a kind that does not fit would read or write memory as the wrong type.
bool kindFits(TTypeKind kind, const QMetaProperty &meta)
{
    const QMetaType type = meta.metaType();
    switch (kind) {
    case TTypeKind::tkInteger:
        return isIntegral(type) && !meta.isFlagType();
    case TTypeKind::tkEnumeration:
        return type.id() == QMetaType::Bool || (isIntegral(type) && !meta.isFlagType());
    case TTypeKind::tkSet:
        return meta.isFlagType() || (isIntegral(type) && !meta.isEnumType());
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
        return type.id() == QMetaType::QChar || type.id() == QMetaType::Char ||
               type.id() == QMetaType::UShort;
    case TTypeKind::tkFloat:
        return type.id() == QMetaType::Double || type.id() == QMetaType::Float;
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        return type.id() == QMetaType::QString;
    case TTypeKind::tkClass:
        return (type.flags() & QMetaType::PointerToQObject) != 0;
    case TTypeKind::tkMethod:
        return type == QMetaType::fromType<TMethod>();
    case TTypeKind::tkVariant:
        return true;
    case TTypeKind::tkUnknown:
        return false;
    }
    return false;
}

QHash<const QMetaObject *, ClassInfo *> &cache()
{
    static QHash<const QMetaObject *, ClassInfo *> classes;
    static struct Cleanup {
        ~Cleanup()
        {
            qDeleteAll(cache());
            cache().clear();
        }
    } cleanup;
    return classes;
}

QString classInfoValue(const QMetaObject *mo, const QByteArray &key)
{
    const int index = mo->indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromUtf8(mo->classInfo(index).value());
}

const ClassInfo &readClassInfo(const QObject *instance);

// The class's type information, read on first use. A class whose recorded kinds do not fit its
// properties is refused, each time it is asked for, with the first property that does not fit.
const ClassInfo &classInfoFor(const QObject *instance)
{
    const ClassInfo &info = readClassInfo(instance);
    if (!info.refusal.isEmpty())
        throw EPropertyError(info.refusal);
    return info;
}

const ClassInfo &readClassInfo(const QObject *instance)
{
    const QMetaObject *mo = instance->metaObject();
    ClassInfo *&entry = cache()[mo];
    if (entry)
        return *entry;
    entry = new ClassInfo;
    const bool isComponent = dynamic_cast<const TComponent *>(instance) != nullptr;
    if (isComponent) {
        auto name = std::make_unique<TPropInfo>();
        name->Name = QStringLiteral("Name");
        name->Kind = TTypeKind::tkLString;
        name->TypeName = QStringLiteral("TComponentName");
        entry->byName.insert(QStringLiteral("name"), name.get());
        entry->props.push_back(std::move(name));
    }
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty meta = mo->property(i);
        const QByteArray name(meta.name());
        const QString declared = classInfoValue(mo, "prop:" + name);
        if (declared.isEmpty())
            continue; // not published to the host
        auto info = std::make_unique<TPropInfo>();
        info->Name = QString::fromLatin1(name);
        info->Meta = meta;
        if (meta.isEnumType() || meta.isFlagType())
            info->Enum = meta.enumerator();
        const QStringList fields = declared.split(QLatin1Char('|'));
        QString derivedName;
        const TTypeKind derivedKind = kindFromMetaType(meta, derivedName);
        info->Kind = kindFromName(fields.value(0));
        if (info->Kind == TTypeKind::tkUnknown)
            info->Kind = derivedKind;
        if (!kindFits(info->Kind, meta) && entry->refusal.isEmpty())
            entry->refusal =
                QStringLiteral("Type information of %1 is wrong: property %2 is recorded as %3 "
                               "(\"%4\"), which its type %5 cannot hold")
                    .arg(QString::fromLatin1(mo->className()), info->Name,
                         QLatin1String(TypeKindName(info->Kind)), fields.value(0),
                         QString::fromLatin1(meta.typeName()));
        info->TypeName = unqualified(fields.value(1));
        if (info->TypeName.isEmpty())
            info->TypeName = derivedName;
        if (info->Kind == TTypeKind::tkClass &&
            (meta.metaType().flags() & QMetaType::PointerToQObject))
            info->ObjectClass = meta.metaType().metaObject();
        info->Default = parseDefault(*info, fields.mid(2).join(QLatin1Char('|')));
        info->StoredMethod = classInfoValue(mo, "stored:" + name);
        // A class that publishes an inherited property again (with another default) replaces
        // it in place, so the property is listed once, where the ancestor put it.
        const QString key = info->Name.toLower();
        const TPropInfo *inherited = entry->byName.value(key);
        entry->byName.insert(key, info.get());
        if (!inherited) {
            entry->props.push_back(std::move(info));
            continue;
        }
        for (auto &existing : entry->props)
            if (existing.get() == inherited) {
                existing = std::move(info);
                break;
            }
    }
    return *entry;
}

[[noreturn]] void raiseKind(const QObject *instance, PPropInfo info, const char *wanted)
{
    throw EPropertyError(QStringLiteral("Property %1 of %2 is of type %3, not %4")
                             .arg(info->Name,
                                  QString::fromLatin1(instance->metaObject()->className()),
                                  info->TypeName, QString::fromLatin1(wanted)));
}

QVariant readValue(const QObject *instance, PPropInfo info)
{
    if (!instance)
        throw EPropertyError(QStringLiteral("Cannot read property %1 of nil").arg(info->Name));
    if (!info->Meta.isValid())
        return instance->objectName();
    return info->Meta.read(instance);
}

void writeValue(QObject *instance, PPropInfo info, const QVariant &value)
{
    if (!instance)
        throw EPropertyError(QStringLiteral("Cannot write property %1 of nil").arg(info->Name));
    if (!info->Meta.isValid()) { // a component's Name
        if (TComponent *component = AsComponent(instance))
            component->SetName(value.toString());
        return;
    }
    if (!info->Meta.isWritable())
        throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(info->Name));
    if (!info->Meta.write(instance, value))
        throw EPropertyError(QStringLiteral("Invalid value for property %1").arg(info->Name));
}

} // namespace

const char *TypeKindName(TTypeKind Kind)
{
    for (const auto &entry : kKindNames)
        if (entry.kind == Kind)
            return entry.name;
    return "tkUnknown";
}

bool TPropInfo::HasWrite() const
{
    return !Meta.isValid() || Meta.isWritable();
}

bool TPropInfo::IsOrdinal() const
{
    switch (Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
    case TTypeKind::tkEnumeration:
    case TTypeKind::tkSet:
        return true;
    default:
        return false;
    }
}

bool TPropInfo::IsString() const
{
    return Kind == TTypeKind::tkString || Kind == TTypeKind::tkLString ||
           Kind == TTypeKind::tkWString;
}

QString TPropInfo::EnumName(int Value) const
{
    if (TypeName == QLatin1String("Boolean"))
        return Value == 0   ? QStringLiteral("False")
               : Value == 1 ? QStringLiteral("True")
                            : QString();
    if (!Enum.isValid())
        return {};
    const int wanted =
        Kind == TTypeKind::tkSet ? (Value >= 0 && Value < 32 ? 1 << Value : -1) : Value;
    const char *key = Enum.valueToKey(wanted);
    return key ? QString::fromLatin1(key) : QString();
}

int TPropInfo::EnumValue(const QString &Ident) const
{
    if (TypeName == QLatin1String("Boolean")) {
        if (Ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0;
        if (Ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return 1;
        return -1;
    }
    if (!Enum.isValid())
        return -1;
    for (int i = 0; i < Enum.keyCount(); ++i)
        if (Ident.compare(QLatin1String(Enum.key(i)), Qt::CaseInsensitive) == 0) {
            const int value = Enum.value(i);
            if (Kind != TTypeKind::tkSet)
                return value;
            for (int bit = 0; bit < 32; ++bit)
                if (value == (1 << bit))
                    return bit;
            return -1;
        }
    return -1;
}

int TPropInfo::EnumCount() const
{
    if (TypeName == QLatin1String("Boolean"))
        return 2;
    return Enum.isValid() ? Enum.keyCount() : 0;
}

PPropInfo GetPropInfo(const QObject *Instance, const QString &PropName)
{
    if (!Instance)
        return nullptr;
    return classInfoFor(Instance).byName.value(PropName.toLower(), nullptr);
}

QList<PPropInfo> GetPropList(const QObject *Instance)
{
    QList<PPropInfo> result;
    if (!Instance)
        return result;
    for (const auto &info : classInfoFor(Instance).props)
        result.append(info.get());
    return result;
}

PPropInfo FindPropInfo(const QObject *Instance, const QString &PropName)
{
    if (!Instance)
        throw EPropertyError(QStringLiteral("Cannot find property %1 of nil").arg(PropName));
    PPropInfo info = GetPropInfo(Instance, PropName);
    if (!info)
        throw EPropertyError(
            QStringLiteral("Property %1 does not exist in %2")
                .arg(PropName, QString::fromLatin1(Instance->metaObject()->className())));
    return info;
}

TTypeKind PropType(const QObject *Instance, const QString &PropName)
{
    return FindPropInfo(Instance, PropName)->Kind;
}

bool IsPublishedProp(const QObject *Instance, const QString &PropName)
{
    return GetPropInfo(Instance, PropName) != nullptr;
}

qint32 GetOrdProp(const QObject *Instance, PPropInfo PropInfo)
{
    if (!PropInfo->IsOrdinal())
        raiseKind(Instance, PropInfo, "an ordinal type");
    const QVariant value = readValue(Instance, PropInfo);
    const QMetaType type = value.metaType();
    if (type.id() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (type.id() == QMetaType::QChar)
        return value.toChar().unicode();
    // Integers, enumerations and flags: the raw bits of the stored value.
    qint32 result = 0;
    std::memcpy(&result, value.constData(), qMin<std::size_t>(sizeof(result), type.sizeOf()));
    return result;
}

qint32 GetOrdProp(const QObject *Instance, const QString &PropName)
{
    return GetOrdProp(Instance, FindPropInfo(Instance, PropName));
}

void SetOrdProp(QObject *Instance, PPropInfo PropInfo, qint32 Value)
{
    if (!PropInfo->IsOrdinal())
        raiseKind(Instance, PropInfo, "an ordinal type");
    const QMetaType type = PropInfo->Meta.metaType();
    if (type.id() == QMetaType::Bool) {
        writeValue(Instance, PropInfo, QVariant(Value != 0));
        return;
    }
    if (type.id() == QMetaType::QChar) {
        writeValue(Instance, PropInfo, QVariant(QChar(char16_t(Value))));
        return;
    }
    if (type.sizeOf() < int(sizeof(Value)) && type.sizeOf() > 0) {
        QVariant raw(type);
        std::memcpy(raw.data(), &Value, type.sizeOf());
        writeValue(Instance, PropInfo, raw);
        return;
    }
    writeValue(Instance, PropInfo, QVariant(type, &Value));
}

void SetOrdProp(QObject *Instance, const QString &PropName, qint32 Value)
{
    SetOrdProp(Instance, FindPropInfo(Instance, PropName), Value);
}

QString GetEnumProp(const QObject *Instance, const QString &PropName)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkEnumeration)
        raiseKind(Instance, info, "an enumeration");
    return info->EnumName(GetOrdProp(Instance, info));
}

void SetEnumProp(QObject *Instance, const QString &PropName, const QString &Value)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkEnumeration)
        raiseKind(Instance, info, "an enumeration");
    const int ordinal = info->EnumValue(Value);
    if (ordinal < 0)
        throw EConvertError(
            QStringLiteral("Invalid property value %1 for %2").arg(Value, info->TypeName));
    SetOrdProp(Instance, info, ordinal);
}

QString GetStrProp(const QObject *Instance, PPropInfo PropInfo)
{
    if (PropInfo->Kind == TTypeKind::tkChar || PropInfo->Kind == TTypeKind::tkWChar)
        return QString(QChar(char16_t(GetOrdProp(Instance, PropInfo))));
    if (!PropInfo->IsString())
        raiseKind(Instance, PropInfo, "a string");
    return readValue(Instance, PropInfo).toString();
}

QString GetStrProp(const QObject *Instance, const QString &PropName)
{
    return GetStrProp(Instance, FindPropInfo(Instance, PropName));
}

void SetStrProp(QObject *Instance, PPropInfo PropInfo, const QString &Value)
{
    if (PropInfo->Kind == TTypeKind::tkChar || PropInfo->Kind == TTypeKind::tkWChar) {
        SetOrdProp(Instance, PropInfo, Value.isEmpty() ? 0 : Value.at(0).unicode());
        return;
    }
    if (!PropInfo->IsString())
        raiseKind(Instance, PropInfo, "a string");
    writeValue(Instance, PropInfo, QVariant(Value));
}

void SetStrProp(QObject *Instance, const QString &PropName, const QString &Value)
{
    SetStrProp(Instance, FindPropInfo(Instance, PropName), Value);
}

double GetFloatProp(const QObject *Instance, const QString &PropName)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkFloat)
        raiseKind(Instance, info, "a floating-point type");
    return readValue(Instance, info).toDouble();
}

void SetFloatProp(QObject *Instance, const QString &PropName, double Value)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkFloat)
        raiseKind(Instance, info, "a floating-point type");
    writeValue(Instance, info, QVariant(Value));
}

QObject *GetObjectProp(const QObject *Instance, const QString &PropName,
                       const QMetaObject *MinClass)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkClass)
        raiseKind(Instance, info, "a class");
    QObject *object = readValue(Instance, info).value<QObject *>();
    if (object && MinClass && !object->metaObject()->inherits(MinClass))
        return nullptr;
    return object;
}

void SetObjectProp(QObject *Instance, const QString &PropName, QObject *Value)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkClass)
        raiseKind(Instance, info, "a class");
    if (Value && info->ObjectClass && !Value->metaObject()->inherits(info->ObjectClass))
        throw EPropertyError(
            QStringLiteral("Invalid property value: %1 is not a %2")
                .arg(QString::fromLatin1(Value->metaObject()->className()), info->TypeName));
    // Every class of the model lists QObject first, so the object's address is the address of
    // the declared class too.
    void *pointer = Value;
    writeValue(Instance, info, QVariant(info->Meta.metaType(), &pointer));
}

const QMetaObject *GetObjectPropClass(const QObject *Instance, const QString &PropName)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkClass)
        raiseKind(Instance, info, "a class");
    return info->ObjectClass;
}

TMethod GetMethodProp(const QObject *Instance, const QString &PropName)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkMethod)
        raiseKind(Instance, info, "an event");
    return readValue(Instance, info).value<TMethod>();
}

void SetMethodProp(QObject *Instance, const QString &PropName, const TMethod &Value)
{
    PPropInfo info = FindPropInfo(Instance, PropName);
    if (info->Kind != TTypeKind::tkMethod)
        raiseKind(Instance, info, "an event");
    writeValue(Instance, info, QVariant::fromValue(Value));
}

bool IsStoredProp(const QObject *Instance, PPropInfo PropInfo)
{
    if (PropInfo->StoredMethod.isEmpty() || !Instance)
        return true;
    if (PropInfo->StoredMethod == QLatin1String("false"))
        return false;
    if (PropInfo->StoredMethod == QLatin1String("true"))
        return true;
    bool stored = true;
    const bool called = QMetaObject::invokeMethod(const_cast<QObject *>(Instance),
                                                  PropInfo->StoredMethod.toLatin1().constData(),
                                                  Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
    if (!called)
        throw EPropertyError(QStringLiteral("Stored method %1 of property %2 cannot be called")
                                 .arg(PropInfo->StoredMethod, PropInfo->Name));
    return stored;
}

bool IsStoredProp(const QObject *Instance, const QString &PropName)
{
    return IsStoredProp(Instance, FindPropInfo(Instance, PropName));
}

void ForgetTypeInfo(const QMetaObject *Class)
{
    delete cache().take(Class);
}

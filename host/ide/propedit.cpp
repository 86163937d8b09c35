#include "propedit.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <cstdlib>

#include "collection.h"
#include "colordialog.h"
#include "designintf.h"
#include "hosterrors.h"
#include "persistent.h"
#include "registration.h"
#include "sysformat.h"

namespace {

TColorProperty::TDefaultColorFunc &defaultColorFunc()
{
    static TColorProperty::TDefaultColorFunc func = nullptr;
    return func;
}

TCollectionProperty::TShowCollectionEditorFunc &collectionEditor()
{
    static TCollectionProperty::TShowCollectionEditorFunc func;
    return func;
}

QFontMetrics metricsOf(QPainter *Canvas)
{
    return Canvas ? Canvas->fontMetrics() : QFontMetrics(QFont());
}

} // namespace

// ---- TPropertyEditor --------------------------------------------------------------------------

TPropertyEditor::TPropertyEditor(const TPropertyEditorArgs &Args)
    : m_designer(Args.Designer), m_propInfo(Args.PropInfo)
{
    if (!m_propInfo)
        throw EPropertyError(QStringLiteral("A property editor needs a property"));
    for (QObject *instance : Args.Instances)
        m_instances.append(instance);
}

TPropertyEditor::~TPropertyEditor() = default;

TPropertyAttributes TPropertyEditor::GetAttributes()
{
    return paRevertable;
}

void TPropertyEditor::GetValues(const TGetStrProc &) {}

QString TPropertyEditor::GetValue()
{
    return QStringLiteral("(unknown)");
}

void TPropertyEditor::SetValue(const QString &) {}

void TPropertyEditor::Edit()
{
    if (!(GetAttributes() & paValueList))
        return;
    QStringList values;
    GetValues([&values](const QString &Value) { values.append(Value); });
    if (values.isEmpty())
        return;
    const qsizetype current = values.indexOf(GetValue());
    SetValue(values.at((current + 1) % values.size()));
}

bool TPropertyEditor::AllEqual()
{
    return PropCount() == 1;
}

void TPropertyEditor::GetProperties(const TGetPropProc &) {}

void TPropertyEditor::ListMeasureWidth(const QString &, QPainter *, int &) {}

void TPropertyEditor::ListMeasureHeight(const QString &, QPainter *, int &) {}

void TPropertyEditor::ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                                    bool ASelected)
{
    DefaultPropertyListDrawValue(Value, Canvas, ARect, ASelected);
}

void TPropertyEditor::PropDrawName(QPainter *Canvas, const QRect &ARect, bool)
{
    DefaultPropertyDrawName(this, Canvas, ARect);
}

void TPropertyEditor::PropDrawValue(QPainter *Canvas, const QRect &ARect, bool)
{
    DefaultPropertyDrawValue(this, Canvas, ARect);
}

QRect TPropertyEditor::PropDrawNameRect(const QRect &ARect)
{
    return ARect;
}

QRect TPropertyEditor::PropDrawValueRect(const QRect &ARect)
{
    return ARect;
}

QString TPropertyEditor::GetName() const
{
    return m_propInfo->Name;
}

QObject *TPropertyEditor::GetComponent(int Index) const
{
    if (Index < 0 || Index >= m_instances.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_instances.at(Index).data();
}

QObject *TPropertyEditor::liveInstance(int Index, PPropInfo &Info) const
{
    QObject *instance = GetComponent(Index);
    if (!instance)
        throw EPropertyError(
            QStringLiteral("The object whose %1 is edited no longer exists").arg(GetName()));
    // Instances of different classes each have their own information of the same name.
    Info = ::GetPropInfo(instance, m_propInfo->Name);
    if (!Info)
        throw EPropertyError(
            QStringLiteral("Property %1 does not exist in %2")
                .arg(m_propInfo->Name, QString::fromLatin1(instance->metaObject()->className())));
    return instance;
}

void TPropertyEditor::SetValues(const std::function<void(QObject *, PPropInfo)> &Write)
{
    bool written = false;
    try {
        for (int i = 0; i < PropCount(); ++i) {
            if (!m_instances.at(i))
                continue; // deleted meanwhile: nothing to write
            PPropInfo info = nullptr;
            QObject *instance = liveInstance(i, info);
            Write(instance, info);
            written = true;
        }
    } catch (...) {
        if (written)
            Modified();
        throw;
    }
    if (written)
        Modified();
}

qint32 TPropertyEditor::GetOrdValueAt(int Index) const
{
    PPropInfo info = nullptr;
    QObject *instance = liveInstance(Index, info);
    return GetOrdProp(instance, info);
}

void TPropertyEditor::SetOrdValue(qint32 Value)
{
    SetValues([Value](QObject *Instance, PPropInfo Info) { SetOrdProp(Instance, Info, Value); });
}

QString TPropertyEditor::GetStrValueAt(int Index) const
{
    PPropInfo info = nullptr;
    QObject *instance = liveInstance(Index, info);
    return GetStrProp(instance, info);
}

void TPropertyEditor::SetStrValue(const QString &Value)
{
    SetValues([&Value](QObject *Instance, PPropInfo Info) { SetStrProp(Instance, Info, Value); });
}

double TPropertyEditor::GetFloatValueAt(int Index) const
{
    PPropInfo info = nullptr;
    QObject *instance = liveInstance(Index, info);
    return GetFloatProp(instance, info->Name);
}

void TPropertyEditor::SetFloatValue(double Value)
{
    SetValues(
        [Value](QObject *Instance, PPropInfo Info) { SetFloatProp(Instance, Info->Name, Value); });
}

QObject *TPropertyEditor::GetObjectValueAt(int Index) const
{
    PPropInfo info = nullptr;
    QObject *instance = liveInstance(Index, info);
    return GetObjectProp(instance, info->Name);
}

void TPropertyEditor::SetObjectValue(QObject *Value)
{
    SetValues(
        [Value](QObject *Instance, PPropInfo Info) { SetObjectProp(Instance, Info->Name, Value); });
}

QString TPropertyEditor::GetVisualValue()
{
    return AllEqual() ? GetValue() : QString();
}

void TPropertyEditor::Modified()
{
    if (!m_designer)
        return;
    // The change is named by what it was written to, so the host need look at nothing else.
    QList<QObject *> instances;
    for (const QPointer<QObject> &instance : std::as_const(m_instances))
        if (instance)
            instances.append(instance.data());
    m_designer->ObjectsModified(instances);
}

// ---- TStringProperty --------------------------------------------------------------------------

TStringProperty::TStringProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TStringProperty::GetAttributes()
{
    return paMultiSelect | paRevertable;
}

QString TStringProperty::GetValue()
{
    return GetStrValue();
}

void TStringProperty::SetValue(const QString &Value)
{
    SetStrValue(Value);
}

bool TStringProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetStrValueAt(i) != GetStrValue())
            return false;
    return true;
}

// ---- TIntegerProperty -------------------------------------------------------------------------

TIntegerProperty::TIntegerProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TIntegerProperty::GetAttributes()
{
    return paMultiSelect | paRevertable;
}

QString TIntegerProperty::GetValue()
{
    return QString::number(GetOrdValue());
}

void TIntegerProperty::SetValue(const QString &Value)
{
    const QString text = Value.trimmed();
    bool ok = false;
    const bool hex = text.startsWith(QLatin1Char('$')) ||
                     text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const qsizetype prefix = text.startsWith(QLatin1Char('$')) ? 1 : 2;
    const qint64 number = hex ? text.mid(prefix).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Value));
    // Hexadecimal text may give the unsigned bits of a negative value ($FF000005).
    if (number < qint64(INT32_MIN) || number > (hex ? qint64(UINT32_MAX) : qint64(INT32_MAX)))
        throw EPropertyError(
            QStringLiteral("Value must be between %1 and %2").arg(INT32_MIN).arg(INT32_MAX));
    SetOrdValue(qint32(quint32(number)));
}

bool TIntegerProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != GetOrdValue())
            return false;
    return true;
}

// ---- TEnumProperty ----------------------------------------------------------------------------

TEnumProperty::TEnumProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TEnumProperty::GetAttributes()
{
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

void TEnumProperty::GetValues(const TGetStrProc &Proc)
{
    PPropInfo info = GetPropInfo();
    if (info->TypeName == QLatin1String("Boolean")) {
        Proc(info->EnumName(0));
        Proc(info->EnumName(1));
        return;
    }
    for (int i = 0; i < info->Enum.keyCount(); ++i)
        Proc(QString::fromLatin1(info->Enum.key(i)));
}

QString TEnumProperty::GetValue()
{
    const qint32 value = GetOrdValue();
    const QString name = GetPropInfo()->EnumName(value);
    return name.isEmpty() ? QString::number(value) : name;
}

void TEnumProperty::SetValue(const QString &Value)
{
    const int value = GetPropInfo()->EnumValue(Value.trimmed());
    if (value < 0)
        throw EConvertError(QStringLiteral("Invalid property value %1").arg(Value));
    SetOrdValue(value);
}

bool TEnumProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != GetOrdValue())
            return false;
    return true;
}

// ---- TFloatProperty ---------------------------------------------------------------------------

TFloatProperty::TFloatProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TFloatProperty::GetAttributes()
{
    return paMultiSelect | paRevertable;
}

QString TFloatProperty::GetValue()
{
    return FloatToStrF(GetFloatValue(), TFloatFormat::ffGeneral, 15, 0);
}

void TFloatProperty::SetValue(const QString &Value)
{
    bool ok = false;
    const double number = QLocale().toDouble(Value.trimmed(), &ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Value));
    SetFloatValue(number);
}

bool TFloatProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetFloatValueAt(i) != GetFloatValue())
            return false;
    return true;
}

// ---- TColorProperty ---------------------------------------------------------------------------

TColorProperty::TColorProperty(const TPropertyEditorArgs &Args) : TIntegerProperty(Args) {}

void TColorProperty::SetDefaultColorFunc(TDefaultColorFunc Func)
{
    defaultColorFunc() = Func;
}

TColor TColorProperty::GetDefaultColor()
{
    const QObject *component = GetComponent(0);
    if (!defaultColorFunc() || !component)
        return clDefault;
    return defaultColorFunc()(component, GetName());
}

TPropertyAttributes TColorProperty::GetAttributes()
{
    return paMultiSelect | paDialog | paValueList | paRevertable;
}

void TColorProperty::GetValues(const TGetStrProc &Proc)
{
    GetColorValues(Proc);
}

QString TColorProperty::GetValue()
{
    return ColorToString(GetOrdValue());
}

void TColorProperty::SetValue(const QString &Value)
{
    SetOrdValue(StringToColor(Value.trimmed()));
}

void TColorProperty::Edit()
{
    TColor color = GetOrdValue();
    if (TColorDialog::Execute(color))
        SetOrdValue(color);
}

void TColorProperty::ListMeasureWidth(const QString &, QPainter *Canvas, int &AWidth)
{
    AWidth += metricsOf(Canvas).height(); // room for the swatch
}

void TColorProperty::ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                                   bool ASelected)
{
    // Host rectangles exclude the right and bottom edges: right = left + width.
    const int left = ARect.left(), top = ARect.top();
    const int right = ARect.left() + ARect.width(), bottom = ARect.top() + ARect.height();
    const int swatchRight = left + (bottom - top);
    TColor color = clBlack;
    bool known = true;
    try {
        color = StringToColor(Value);
    } catch (const EHostError &) {
        known = false; // a text that names no colour gets no swatch
    }
    if (known) {
        Canvas->save();
        Canvas->setPen(Canvas->brush().color());
        CanvasRectangle(Canvas, left, top, swatchRight, bottom);
        DrawSwatch(Canvas, color, left + 1, top + 1, swatchRight - 1, bottom - 1, ASelected);
        Canvas->restore();
    }
    DefaultPropertyListDrawValue(
        Value, Canvas, QRect(swatchRight, top, right - swatchRight, bottom - top), ASelected);
}

QColor TColorProperty::SwatchFrameColor(qint32 Rgb, bool Selected)
{
    const int red = Rgb & 0xFF, green = (Rgb >> 8) & 0xFF, blue = (Rgb >> 16) & 0xFF;
    if (red > 192 || green > 192 || blue > 192)
        return Qt::black;
    if (Selected)
        return Qt::white;
    return QColor(red, green, blue);
}

void TColorProperty::DrawSwatch(QPainter *Canvas, TColor Color, int Left, int Top, int Right,
                                int Bottom, bool ASelected)
{
    const QColor fill = ColorToQColor(Color);
    Canvas->setBrush(fill.isValid() ? fill : Canvas->brush().color());
    Canvas->setPen(SwatchFrameColor(ColorToRGB(Color), ASelected));
    CanvasRectangle(Canvas, Left, Top, Right, Bottom);
}

void TColorProperty::PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected)
{
    const QString value = GetVisualValue();
    if (value.isEmpty())
        TIntegerProperty::PropDrawValue(Canvas, ARect, ASelected);
    else
        ListDrawValue(value, Canvas, ARect, true);
}

// ---- TCursorProperty --------------------------------------------------------------------------

TCursorProperty::TCursorProperty(const TPropertyEditorArgs &Args) : TIntegerProperty(Args) {}

TPropertyAttributes TCursorProperty::GetAttributes()
{
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

void TCursorProperty::GetValues(const TGetStrProc &Proc)
{
    GetCursorValues(Proc);
}

QString TCursorProperty::GetValue()
{
    return CursorToString(GetOrdValue());
}

void TCursorProperty::SetValue(const QString &Value)
{
    SetOrdValue(StringToCursor(Value.trimmed()));
}

// ---- TComponentNameProperty -------------------------------------------------------------------

TComponentNameProperty::TComponentNameProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TComponentNameProperty::GetAttributes()
{
    return TStringProperty::GetAttributes() & ~TPropertyAttributes(paMultiSelect);
}

// ---- TSetProperty -----------------------------------------------------------------------------

TSetProperty::TSetProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TSetProperty::GetAttributes()
{
    return paMultiSelect | paSubProperties | paReadOnly | paRevertable;
}

QString TSetProperty::GetValue()
{
    const qint32 bits = GetOrdValue();
    QStringList names;
    for (int i = 0; i < GetPropInfo()->EnumCount() && i < 32; ++i)
        if (bits & (qint32(1) << i))
            names.append(GetPropInfo()->EnumName(i));
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

void TSetProperty::SetValue(const QString &Value)
{
    QString text = Value.trimmed();
    if (text.startsWith(QLatin1Char('[')))
        text.remove(0, 1);
    if (text.endsWith(QLatin1Char(']')))
        text.chop(1);
    qint32 bits = 0;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int element = GetPropInfo()->EnumValue(part.trimmed());
        if (element < 0 || element >= 32)
            throw EConvertError(QStringLiteral("Invalid property value %1").arg(Value));
        bits |= qint32(1) << element;
    }
    SetOrdValue(bits);
}

bool TSetProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != GetOrdValue())
            return false;
    return true;
}

void TSetProperty::GetProperties(const TGetPropProc &Proc)
{
    QList<QObject *> instances;
    for (int i = 0; i < PropCount(); ++i)
        instances.append(GetComponent(i));
    const TPropertyEditorArgs args{Designer(), instances, GetPropInfo()};
    for (int i = 0; i < GetPropInfo()->EnumCount() && i < 32; ++i)
        Proc(std::make_unique<TSetElementProperty>(args, i));
}

// ---- TSetElementProperty ----------------------------------------------------------------------

TSetElementProperty::TSetElementProperty(const TPropertyEditorArgs &Args, int Element)
    : TPropertyEditor(Args), m_element(Element)
{
}

QString TSetElementProperty::GetName() const
{
    return GetPropInfo()->EnumName(m_element);
}

TPropertyAttributes TSetElementProperty::GetAttributes()
{
    return paMultiSelect | paValueList | paSortList;
}

void TSetElementProperty::GetValues(const TGetStrProc &Proc)
{
    Proc(QStringLiteral("False"));
    Proc(QStringLiteral("True"));
}

QString TSetElementProperty::GetValue()
{
    return (GetOrdValue() & (qint32(1) << m_element)) ? QStringLiteral("True")
                                                      : QStringLiteral("False");
}

void TSetElementProperty::SetValue(const QString &Value)
{
    const QString text = Value.trimmed();
    bool on = false;
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        on = true;
    else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0)
        throw EConvertError(QStringLiteral("Invalid property value %1").arg(Value));
    const qint32 bit = qint32(1) << m_element;
    SetValues([bit, on](QObject *Instance, PPropInfo Info) {
        const qint32 bits = GetOrdProp(Instance, Info);
        SetOrdProp(Instance, Info, on ? (bits | bit) : (bits & ~bit));
    });
}

bool TSetElementProperty::AllEqual()
{
    const qint32 bit = qint32(1) << m_element;
    for (int i = 1; i < PropCount(); ++i)
        if ((GetOrdValueAt(i) & bit) != (GetOrdValue() & bit))
            return false;
    return true;
}

// ---- TMethodProperty --------------------------------------------------------------------------

TMethodProperty::TMethodProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TMethodProperty::GetAttributes()
{
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

QString TMethodProperty::GetValue()
{
    PPropInfo info = nullptr;
    return GetMethodProp(liveInstance(0, info), GetName()).Name;
}

void TMethodProperty::SetValue(const QString &Value)
{
    const QString name = Value.trimmed();
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!name.isEmpty() && !identifier.match(name).hasMatch())
        throw EPropertyError(QStringLiteral("'%1' is not a valid method name").arg(Value));
    SetValues([&name](QObject *Instance, PPropInfo Info) {
        SetMethodProp(Instance, Info->Name, TMethod{name});
    });
}

void TMethodProperty::Edit()
{
    if (!GetValue().isEmpty())
        return;
    QObject *instance = GetComponent(0);
    QString owner;
    if (TComponent *component = instance ? AsComponent(instance) : nullptr)
        owner = Designer() ? Designer()->GetComponentName(component) : component->Name();
    QString event = GetName();
    if (event.startsWith(QLatin1String("On"), Qt::CaseInsensitive))
        event.remove(0, 2);
    SetValue(owner + event);
}

bool TMethodProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i) {
        PPropInfo a = nullptr, b = nullptr;
        if (GetMethodProp(liveInstance(i, a), GetName()) !=
            GetMethodProp(liveInstance(0, b), GetName()))
            return false;
    }
    return true;
}

// ---- TComponentProperty -----------------------------------------------------------------------

TComponentProperty::TComponentProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TComponentProperty::GetAttributes()
{
    return paMultiSelect | paValueList | paSortList | paRevertable;
}

void TComponentProperty::GetValues(const TGetStrProc &Proc)
{
    if (Designer())
        Designer()->GetComponentNames(GetPropInfo()->ObjectClass, Proc);
}

QString TComponentProperty::GetValue()
{
    QObject *value = GetObjectValue();
    if (!value)
        return {};
    if (TComponent *component = AsComponent(value))
        return Designer() ? Designer()->GetComponentName(component) : component->Name();
    return value->objectName();
}

void TComponentProperty::SetValue(const QString &Value)
{
    const QString name = Value.trimmed();
    if (name.isEmpty()) {
        SetObjectValue(nullptr);
        return;
    }
    TComponent *component = Designer() ? Designer()->GetComponent(name) : nullptr;
    QObject *object = component ? component->Object() : nullptr;
    const QMetaObject *wanted = GetPropInfo()->ObjectClass;
    if (!object || (wanted && !object->metaObject()->inherits(wanted)))
        throw EPropertyError(QStringLiteral("Invalid property value %1").arg(Value));
    SetObjectValue(object);
}

bool TComponentProperty::AllEqual()
{
    for (int i = 1; i < PropCount(); ++i)
        if (GetObjectValueAt(i) != GetObjectValue())
            return false;
    return true;
}

// ---- TClassProperty ---------------------------------------------------------------------------

TClassProperty::TClassProperty(const TPropertyEditorArgs &Args) : TPropertyEditor(Args) {}

TPropertyAttributes TClassProperty::GetAttributes()
{
    return paMultiSelect | paSubProperties | paReadOnly;
}

QString TClassProperty::GetValue()
{
    return QLatin1Char('(') + GetPropInfo()->TypeName + QLatin1Char(')');
}

void TClassProperty::GetProperties(const TGetPropProc &Proc)
{
    QList<QObject *> objects;
    for (int i = 0; i < PropCount(); ++i) {
        QObject *object = GetComponent(i) ? GetObjectValueAt(i) : nullptr;
        if (!object)
            return; // nothing to nest under an empty reference
        objects.append(object);
    }
    GetComponentProperties(Designer(), objects, Proc);
}

// ---- TCollectionProperty ----------------------------------------------------------------------

TCollectionProperty::TCollectionProperty(const TPropertyEditorArgs &Args) : TClassProperty(Args) {}

void TCollectionProperty::SetShowCollectionEditor(TShowCollectionEditorFunc Func)
{
    collectionEditor() = std::move(Func);
}

TPropertyAttributes TCollectionProperty::GetAttributes()
{
    return paDialog | paReadOnly | paVCL;
}

TCollection *TCollectionProperty::GetCollection() const
{
    return qobject_cast<TCollection *>(GetObjectValue());
}

void TCollectionProperty::Edit()
{
    if (!collectionEditor())
        throw EInvalidOperation(QStringLiteral("No collection editor is available"));
    TCollection *collection = GetCollection();
    if (!collection)
        throw EPropertyError(QStringLiteral("Property %1 holds no collection").arg(GetName()));
    collectionEditor()(Designer(), GetEditorClass(), GetComponent(0), collection, GetName());
}

// ---- Creation and lookup ----------------------------------------------------------------------

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const QMetaObject *EditorClass,
                                                      IDesigner *Designer,
                                                      const QList<QObject *> &Instances,
                                                      PPropInfo PropInfo)
{
    if (!EditorClass || !EditorClass->inherits(&TPropertyEditor::staticMetaObject))
        throw EInvalidOperation(QStringLiteral("%1 is not a property editor class")
                                    .arg(EditorClass ? QString::fromLatin1(EditorClass->className())
                                                     : QStringLiteral("nil")));
    const TPropertyEditorArgs args{Designer, Instances, PropInfo};
    QObject *object = EditorClass->newInstance(Q_ARG(TPropertyEditorArgs, args));
    if (!object)
        throw EInvalidOperation(
            QStringLiteral(
                "Property editor class %1 has no constructor (const TPropertyEditorArgs &)")
                .arg(QString::fromLatin1(EditorClass->className())));
    return std::unique_ptr<TPropertyEditor>(static_cast<TPropertyEditor *>(object));
}

const QMetaObject *GetDefaultPropertyEditorClass(PPropInfo PropInfo, const QObject *Instance)
{
    switch (PropInfo->Kind) {
    case TTypeKind::tkInteger:
        if (PropInfo->TypeName == QLatin1String("TColor"))
            return &TColorProperty::staticMetaObject;
        if (PropInfo->TypeName == QLatin1String("TCursor"))
            return &TCursorProperty::staticMetaObject;
        return &TIntegerProperty::staticMetaObject;
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar:
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        // A component's own name (the one property without a Qt property behind it).
        if (!PropInfo->Meta.isValid() && PropInfo->Name == QLatin1String("Name"))
            return &TComponentNameProperty::staticMetaObject;
        return &TStringProperty::staticMetaObject;
    case TTypeKind::tkEnumeration:
        return &TEnumProperty::staticMetaObject;
    case TTypeKind::tkFloat:
        return &TFloatProperty::staticMetaObject;
    case TTypeKind::tkSet:
        return &TSetProperty::staticMetaObject;
    case TTypeKind::tkMethod:
        return &TMethodProperty::staticMetaObject;
    case TTypeKind::tkClass: {
        // Owned sub-objects always exist and are not components of the form; a reference to
        // another component may be empty.
        QObject *value = Instance ? GetObjectProp(Instance, PropInfo->Name) : nullptr;
        if (qobject_cast<TCollection *>(value))
            return &TCollectionProperty::staticMetaObject;
        if (!value || AsComponent(value))
            return &TComponentProperty::staticMetaObject;
        return &TClassProperty::staticMetaObject;
    }
    default:
        return &TPropertyEditor::staticMetaObject;
    }
}

const QMetaObject *FindPropertyEditorClass(PPropInfo PropInfo, const QObject *Instance)
{
    if (Instance)
        if (const QMetaObject *registered =
                GetPropertyEditorClass(PropInfo, Instance->metaObject()))
            return registered;
    return GetDefaultPropertyEditorClass(PropInfo, Instance);
}

void GetComponentProperties(IDesigner *Designer, const QList<QObject *> &Instances,
                            const TGetPropProc &Proc, const std::function<bool(PPropInfo)> &Filter)
{
    if (Instances.isEmpty() || !Instances.first())
        return;
    QObject *first = Instances.first();
    for (PPropInfo info : GetPropList(first)) {
        if (Filter && !Filter(info))
            continue;
        bool common = true;
        for (QObject *other : Instances) {
            PPropInfo otherInfo = ::GetPropInfo(other, info->Name);
            common = common && otherInfo && otherInfo->Kind == info->Kind;
        }
        if (!common)
            continue;
        auto editor =
            CreatePropertyEditor(FindPropertyEditorClass(info, first), Designer, Instances, info);
        if (Instances.size() > 1 && !(editor->GetAttributes() & paMultiSelect))
            continue;
        Proc(std::move(editor));
    }
}

bool IsPropertyDefault(TPropertyEditor *Prop)
{
    try {
        QObject *instance = Prop->GetComponent(0);
        PPropInfo info = instance ? ::GetPropInfo(instance, Prop->GetPropInfo()->Name) : nullptr;
        if (!info)
            return true;
        const auto notStored = [&] { return !info->HasWrite() || !IsStoredProp(instance, info); };
        switch (info->Kind) {
        case TTypeKind::tkInteger:
        case TTypeKind::tkChar:
        case TTypeKind::tkWChar:
        case TTypeKind::tkEnumeration:
        case TTypeKind::tkSet: {
            const qint32 value = GetOrdProp(instance, info);
            if (auto *element = qobject_cast<TSetElementProperty *>(Prop)) {
                if (info->Default == NoDefault)
                    return notStored();
                const qint32 bit = qint32(1) << element->Element();
                return (value & bit) == (info->Default & bit);
            }
            if (value == info->Default)
                return true;
            return info->Default == NoDefault && notStored();
        }
        case TTypeKind::tkString:
        case TTypeKind::tkLString:
        case TTypeKind::tkWString:
            return GetStrProp(instance, info).isEmpty() || notStored();
        case TTypeKind::tkFloat:
            return GetFloatProp(instance, info->Name) == 0 || notStored();
        case TTypeKind::tkMethod:
            return !GetMethodProp(instance, info->Name).IsAssigned();
        case TTypeKind::tkClass: {
            // A reference to another component is a choice; an owned sub-object always exists.
            QObject *value = GetObjectProp(instance, info->Name);
            return !value || !AsComponent(value) || notStored();
        }
        default:
            return true;
        }
    } catch (const EHostError &) {
        return true;
    }
}

// ---- Drawing ----------------------------------------------------------------------------------

void CanvasRectangle(QPainter *Canvas, int Left, int Top, int Right, int Bottom)
{
    if (Right - Left < 1 || Bottom - Top < 1)
        return;
    // Filled as whole pixels, the frame covers its pixels at any device-pixel ratio (a stroke
    // one device pixel wide leaves half of them out at a ratio of 2). The host's rectangle
    // covers Right - Left pixels, the frame the outer ones.
    const QRect area(Left, Top, Right - Left, Bottom - Top);
    if (Canvas->brush().style() != Qt::NoBrush)
        Canvas->fillRect(area.adjusted(1, 1, -1, -1), Canvas->brush());
    if (Canvas->pen().style() == Qt::NoPen)
        return;
    const QColor frame = Canvas->pen().color();
    Canvas->fillRect(QRect(Left, Top, area.width(), 1), frame);
    Canvas->fillRect(QRect(Left, Bottom - 1, area.width(), 1), frame);
    Canvas->fillRect(QRect(Left, Top, 1, area.height()), frame);
    Canvas->fillRect(QRect(Right - 1, Top, 1, area.height()), frame);
}

void CanvasLine(QPainter *Canvas, int X1, int Y1, int X2, int Y2)
{
    // Bresenham, stopping before the end point as the host's line drawing does.
    const int dx = std::abs(X2 - X1), dy = -std::abs(Y2 - Y1);
    const int sx = X1 < X2 ? 1 : -1, sy = Y1 < Y2 ? 1 : -1;
    int error = dx + dy;
    int x = X1, y = Y1;
    const QColor color = Canvas->pen().color();
    while (x != X2 || y != Y2) {
        Canvas->fillRect(x, y, 1, 1, color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void DefaultPropertyListDrawValue(const QString &Value, QPainter *Canvas, const QRect &Rect, bool)
{
    if (!Canvas || Rect.isEmpty())
        return;
    Canvas->fillRect(Rect, Canvas->brush());
    Canvas->save();
    Canvas->setClipRect(Rect, Qt::IntersectClip);
    Canvas->drawText(Rect.adjusted(1, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Value);
    Canvas->restore();
}

void DefaultPropertyDrawName(TPropertyEditor *Prop, QPainter *Canvas, const QRect &Rect)
{
    DefaultPropertyListDrawValue(Prop->GetName(), Canvas, Rect, false);
}

void DefaultPropertyDrawValue(TPropertyEditor *Prop, QPainter *Canvas, const QRect &Rect)
{
    DefaultPropertyListDrawValue(Prop->GetVisualValue(), Canvas, Rect, false);
}

#include "propitem.h"

#include "controls/combobox.h"
#include "designwindow.h"
#include "proplist.h"

// Path resolution. An object property on the way that holds nil (or a list without instance)
// leaves no object to work on: the item then reads neutral values (0, an empty text, nil),
// reports the property as read-only and default, and never writes. It shows nothing and
// changes nothing until the path can be followed again.

namespace {

struct Resolved {
    QObject *object = nullptr;
    QString name;
};

Resolved resolve(const TPropList *List, const QString &Path)
{
    Resolved result{nullptr, Path};
    if (List)
        result.object = const_cast<TPropList *>(List)->PropInstance(result.name);
    return result;
}

} // namespace

TPropItem::TPropItem(const QString &PropName, QWidget *EditControl)
    : m_propName(PropName), m_editControl(EditControl)
{
}

TPropItem::~TPropItem() = default;

IDesigner *TPropItem::Designer() const
{
    return m_propList && m_propList->OwnerForm ? m_propList->OwnerForm->Designer() : nullptr;
}

bool TPropItem::HasPropInstance() const
{
    return resolve(m_propList, m_propName).object != nullptr;
}

PPropInfo TPropItem::GetPropInfo(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return ::GetPropInfo(r.object, r.name);
}

TTypeKind TPropItem::GetPropType(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::PropType(r.object, r.name) : TTypeKind::tkUnknown;
}

QString TPropItem::GetEnumProp(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::GetEnumProp(r.object, r.name) : QString();
}

void TPropItem::SetEnumProp(const QString &Path, const QString &Value)
{
    const Resolved r = resolve(m_propList, Path);
    if (r.object)
        ::SetEnumProp(r.object, r.name, Value);
}

qint32 TPropItem::GetOrdProp(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::GetOrdProp(r.object, r.name) : 0;
}

void TPropItem::SetOrdProp(const QString &Path, qint32 Value)
{
    const Resolved r = resolve(m_propList, Path);
    if (r.object)
        ::SetOrdProp(r.object, r.name, Value);
}

QString TPropItem::GetStrProp(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::GetStrProp(r.object, r.name) : QString();
}

void TPropItem::SetStrProp(const QString &Path, const QString &Value)
{
    const Resolved r = resolve(m_propList, Path);
    if (r.object)
        ::SetStrProp(r.object, r.name, Value);
}

QObject *TPropItem::GetObjectProp(const QString &Path, const QMetaObject *Class) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::GetObjectProp(r.object, r.name, Class) : nullptr;
}

void TPropItem::SetObjectProp(const QString &Path, QObject *Value)
{
    const Resolved r = resolve(m_propList, Path);
    if (r.object)
        ::SetObjectProp(r.object, r.name, Value);
}

const QMetaObject *TPropItem::GetObjectPropClass(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::GetObjectPropClass(r.object, r.name) : nullptr;
}

bool TPropItem::IsStoredProp(const QString &Path) const
{
    const Resolved r = resolve(m_propList, Path);
    return r.object ? ::IsStoredProp(r.object, r.name) : false;
}

QString TPropItem::GetPropText()
{
    return GetStrProp(m_propName);
}

void TPropItem::SetPropText(const QString &Value)
{
    if (!m_readOnly)
        SetStrProp(m_propName, Value);
}

qint32 TPropItem::GetPropValue()
{
    return GetOrdProp(m_propName);
}

void TPropItem::SetPropValue(qint32 Value)
{
    if (!m_readOnly)
        SetOrdProp(m_propName, Value);
}

QString TPropItem::GetEditHint()
{
    return {};
}

QString TPropItem::GetMainHint()
{
    QString hint = QStringLiteral(" property ");
    hint += m_propList ? m_propList->GetHintPropName(m_propName) : m_propName;
    hint += QStringLiteral(": ");
    hint += GetPropTypeName();
    if (m_readOnly)
        hint += QStringLiteral(" (ReadOnly)");
    return hint;
}

qint32 TPropItem::GetPropDefault()
{
    PPropInfo info = GetPropInfo(m_propName);
    return info ? info->Default : NoDefault;
}

bool TPropItem::GetPropReadOnly()
{
    const Resolved r = resolve(m_propList, m_propName);
    if (!r.object)
        return true; // nothing to write to
    PPropInfo info = ::GetPropInfo(r.object, r.name);
    return info && !info->HasWrite();
}

QString TPropItem::GetPropTypeName() const
{
    PPropInfo info = GetPropInfo(m_propName);
    return info ? info->TypeName : QString();
}

bool TPropItem::IsDefault()
{
    const Resolved r = resolve(m_propList, m_propName);
    if (!r.object)
        return true;
    switch (::PropType(r.object, r.name)) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkEnumeration: {
        const qint32 recorded = GetPropDefault();
        if (recorded == GetPropValue())
            return true;
        if (recorded != NoDefault)
            return false;
        return m_readOnly || !IsStoredProp(m_propName);
    }
    case TTypeKind::tkClass:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        if (GetPropText().isEmpty())
            return true;
        return m_readOnly || !IsStoredProp(m_propName);
    default:
        return true;
    }
}

QLabel *TPropItem::GetTextControl() const
{
    QWidget *control = EditControl();
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return nullptr;
    for (QObject *child : parent->children())
        if (auto *label = qobject_cast<QLabel *>(child); label && label->buddy() == control)
            return label;
    return nullptr;
}

bool TPropItem::GetAllEnabled() const
{
    return m_propList && m_propList->GetAllEnabled();
}

bool TPropItem::GetEnabled() const
{
    return ControlEnabled(EditControl());
}

bool TPropItem::GetVisible() const
{
    return ControlVisible(EditControl());
}

QString TPropItem::GetItemName() const
{
    return EditControl() ? EditControl()->objectName() : QString();
}

void TPropItem::SetEnabled(bool Value)
{
    QWidget *control = EditControl();
    if (!control)
        return;
    if (GetAllEnabled())
        Value = true;
    control->setEnabled(Value);
    if (QLabel *label = GetTextControl())
        label->setEnabled(Value);
    for (QWidget *child : ChildControls(control))
        child->setEnabled(Value);
}

void TPropItem::SetVisible(bool Value)
{
    QWidget *control = EditControl();
    if (!control)
        return;
    control->setVisible(Value);
    if (QLabel *label = GetTextControl())
        label->setVisible(Value);
    for (QWidget *child : ChildControls(control))
        child->setVisible(Value);
}

void TPropItem::InitEditControl()
{
    m_readOnly = GetPropReadOnly();
    QWidget *control = EditControl();
    if (!control)
        return;
    const QString mainHint = GetMainHint();
    SetControlHint(control, mainHint + GetEditHint());
    if (QLabel *label = GetTextControl())
        SetControlHint(label, mainHint);
}

void TPropItem::LoadEditControl() {}

void TPropItem::ReloadAfterError()
{
    try {
        LoadEditControl();
    } catch (...) {
    }
}

void TPropItem::SaveEditControl() {}

void TPropItem::SetDefault(bool IsDefault)
{
    QWidget *control = EditControl();
    if (!control || !IsPublishedProp(control, QStringLiteral("Font")))
        return;
    if (auto *font = qobject_cast<TFont *>(::GetObjectProp(control, QStringLiteral("Font"))))
        font->setStyle(IsDefault ? Vcl::TFontStyles() : Vcl::TFontStyles(Vcl::fsBold));
    if (IsDefault)
        return;
    if (auto *combo = qobject_cast<TComboBox *>(control);
        combo && combo->Style() == csDropDown && !combo->Focused())
        combo->SetSelLength(0);
}

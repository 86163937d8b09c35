#include "propitem.h"

#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "designwindow.h"
#include "proplist.h"

// Path resolution. An object property on the way that holds nil (or a list without instance)
// leaves no object to work on: the item then reads neutral values (0, an empty text, nil),
// reports the property as read-only and default, and never writes. It shows nothing and
// changes nothing until the path can be followed again.

const TPropItem::TResolvedPath &TPropItem::Resolve(const QString &Path) const
{
    // The item's own path is passed as PropName(), which shares m_propName's text.
    const bool own = Path.constData() == m_propName.constData() || Path == m_propName;
    const quint64 pass = m_propList ? m_propList->LoadPass() : 0;
    TResolvedPath &r = own ? m_resolved : m_other;
    if (own && pass != 0 && r.pass == pass)
        return r;
    r.pass = own ? pass : 0;
    r.name = Path;
    r.object = m_propList ? m_propList->PropInstance(r.name) : nullptr;
    r.infoKnown = false;
    r.info = nullptr;
    return r;
}

PPropInfo TPropItem::OwnPropInfo() const
{
    const TResolvedPath &r = Resolve(m_propName);
    if (!r.infoKnown) {
        m_resolved.info = ::GetPropInfo(r.object, r.name);
        m_resolved.infoKnown = m_resolved.pass != 0;
    }
    return r.info;
}

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
    return Resolve(m_propName).object != nullptr;
}

PPropInfo TPropItem::GetPropInfo(const QString &Path) const
{
    if (Path.constData() == m_propName.constData() || Path == m_propName)
        return OwnPropInfo();
    const TResolvedPath &r = Resolve(Path);
    return ::GetPropInfo(r.object, r.name);
}

TTypeKind TPropItem::GetPropType(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
    return r.object ? ::PropType(r.object, r.name) : TTypeKind::tkUnknown;
}

QString TPropItem::GetEnumProp(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
    return r.object ? ::GetEnumProp(r.object, r.name) : QString();
}

void TPropItem::SetEnumProp(const QString &Path, const QString &Value)
{
    const TResolvedPath &r = Resolve(Path);
    if (r.object)
        ::SetEnumProp(r.object, r.name, Value);
}

qint32 TPropItem::GetOrdProp(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
    if (!r.object)
        return 0;
    // The item's own property is read through its type information, looked up once per load.
    if (&r == &m_resolved)
        if (PPropInfo info = OwnPropInfo())
            return ::GetOrdProp(r.object, info);
    return ::GetOrdProp(r.object, r.name);
}

void TPropItem::SetOrdProp(const QString &Path, qint32 Value)
{
    const TResolvedPath &r = Resolve(Path);
    if (r.object)
        ::SetOrdProp(r.object, r.name, Value);
}

QString TPropItem::GetStrProp(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
    return r.object ? ::GetStrProp(r.object, r.name) : QString();
}

void TPropItem::SetStrProp(const QString &Path, const QString &Value)
{
    const TResolvedPath &r = Resolve(Path);
    if (r.object)
        ::SetStrProp(r.object, r.name, Value);
}

QObject *TPropItem::GetObjectProp(const QString &Path, const QMetaObject *Class) const
{
    const TResolvedPath &r = Resolve(Path);
    return r.object ? ::GetObjectProp(r.object, r.name, Class) : nullptr;
}

void TPropItem::SetObjectProp(const QString &Path, QObject *Value)
{
    const TResolvedPath &r = Resolve(Path);
    if (r.object)
        ::SetObjectProp(r.object, r.name, Value);
}

const QMetaObject *TPropItem::GetObjectPropClass(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
    return r.object ? ::GetObjectPropClass(r.object, r.name) : nullptr;
}

bool TPropItem::IsStoredProp(const QString &Path) const
{
    const TResolvedPath &r = Resolve(Path);
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
    const TResolvedPath &r = Resolve(m_propName);
    if (!r.object)
        return true; // nothing to write to
    PPropInfo info = OwnPropInfo();
    return info && !info->HasWrite();
}

QString TPropItem::GetPropTypeName() const
{
    PPropInfo info = GetPropInfo(m_propName);
    return info ? info->TypeName : QString();
}

bool TPropItem::IsDefault()
{
    const TResolvedPath &r = Resolve(m_propName);
    if (!r.object)
        return true;
    const PPropInfo info = OwnPropInfo();
    switch (info ? info->Kind : ::PropType(r.object, r.name)) {
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
    // Looked for once per parent: the label is made with its control, and moves with it.
    if (m_labelSearched && m_labelParent == parent &&
        (!m_label || (m_label->parentWidget() == parent && m_label->buddy() == control)))
        return m_label;
    m_labelSearched = true;
    m_labelParent = parent;
    m_label = nullptr;
    for (QObject *child : parent->children())
        if (auto *label = qobject_cast<QLabel *>(child); label && label->buddy() == control) {
            m_label = label;
            break;
        }
    return m_label;
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
    // Setting a hint notifies the control even when it is the same; a reload mostly finds it so.
    const QString mainHint = GetMainHint();
    const QString hint = mainHint + GetEditHint();
    if (ControlHint(control) != hint || control->statusTip() != hint)
        SetControlHint(control, hint);
    if (QLabel *label = GetTextControl();
        label && (ControlHint(label) != mainHint || label->statusTip() != mainHint))
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

#include "checkitems.h"

#include "proplist.h"

namespace {

// Inserts Tag before the first " (" of Hint, or appends it when there is none.
QString insertBeforeParen(const QString &Hint, const QString &Tag)
{
    const qsizetype at = Hint.indexOf(QLatin1String(" ("));
    return at < 0 ? Hint + Tag : QString(Hint).insert(at, Tag);
}

} // namespace

// TBoolPropItem

TBoolPropItem::TBoolPropItem(const QString &PropName, TCheckBox *CheckBox, bool Inverted)
    : TPropItem(PropName, CheckBox), m_inverted(Inverted)
{
}

TCheckBox *TBoolPropItem::GetEditControl() const
{
    return qobject_cast<TCheckBox *>(EditControl());
}

bool TBoolPropItem::GetPropBool()
{
    return (GetPropValue() != 0) != m_inverted;
}

void TBoolPropItem::SetPropBool(bool Value)
{
    SetPropValue(Value != m_inverted ? 1 : 0);
}

QString TBoolPropItem::GetMainHint()
{
    const QString hint = TPropItem::GetMainHint();
    if (!m_inverted)
        return hint;
    const QString tag = QStringLiteral(" (Inverted)");
    return ReadOnly() ? insertBeforeParen(hint, tag) : hint + tag;
}

void TBoolPropItem::AttachClick(bool Attach)
{
    if (TCheckBox *box = GetEditControl())
        box->OnClick = Attach ? TNotifyEvent(Guard([this] { CheckBoxClick(); })) : nullptr;
}

void TBoolPropItem::InitEditControl()
{
    TPropItem::InitEditControl();
    AttachClick(true);
}

void TBoolPropItem::LoadEditControl()
{
    TCheckBox *box = GetEditControl();
    if (!box)
        return;
    AttachClick(false); // setting the check mark raises the click event
    box->SetChecked(GetPropBool());
    SetDefault(IsDefault());
    AttachClick(true);
}

void TBoolPropItem::SaveEditControl()
{
    if (TCheckBox *box = GetEditControl())
        SetPropBool(box->Checked());
    PropList()->PropItemChanged(this);
}

void TBoolPropItem::CheckBoxClick()
{
    SaveEditControl();
}

// TGrayPropItem

qint32 TGrayPropItem::GetPropValue()
{
    return TPropItem::GetPropValue() ^ (Inverted() ? 1 : 0);
}

void TGrayPropItem::SetPropValue(qint32 Value)
{
    TPropItem::SetPropValue(Value ^ (Inverted() ? 1 : 0));
}

void TGrayPropItem::InitEditControl()
{
    TBoolPropItem::InitEditControl();
    if (TCheckBox *box = GetEditControl())
        box->SetAllowGrayed(true);
}

void TGrayPropItem::LoadEditControl()
{
    TCheckBox *box = GetEditControl();
    if (!box)
        return;
    AttachClick(false);
    box->SetState(GetPropValue());
    SetDefault(IsDefault());
    AttachClick(true);
}

void TGrayPropItem::SaveEditControl()
{
    if (TCheckBox *box = GetEditControl())
        SetPropValue(box->State());
    PropList()->PropItemChanged(this);
}

// TElemPropItem

TElemPropItem::TElemPropItem(const QString &PropName, TCheckBox *CheckBox, int ElemIndex,
                             bool Inverted)
    : TBoolPropItem(PropName, CheckBox, Inverted), m_elemIndex(ElemIndex)
{
}

qint32 TElemPropItem::Mask() const
{
    return qint32(1u << (quint32(m_elemIndex) & 31u));
}

QMetaEnum TElemPropItem::GetPropCompType() const
{
    PPropInfo info = GetPropInfo(PropName());
    return info ? info->Enum : QMetaEnum();
}

bool TElemPropItem::GetPropBool()
{
    return ((GetPropValue() & Mask()) != 0) != Inverted();
}

void TElemPropItem::SetPropBool(bool Value)
{
    const qint32 value = GetPropValue();
    SetPropValue(Value == Inverted() ? value & ~Mask() : value | Mask());
}

bool TElemPropItem::IsDefault()
{
    if (!HasPropInstance())
        return true;
    return (((GetPropDefault() & Mask()) != 0) != Inverted()) == GetPropBool();
}

QString TElemPropItem::GetMainHint()
{
    const QString hint = TBoolPropItem::GetMainHint();
    PPropInfo info = GetPropInfo(PropName());
    const QString tag =
        QStringLiteral(" [") + (info ? info->EnumName(m_elemIndex) : QString()) + QLatin1Char(']');
    return !ReadOnly() && !Inverted() ? hint + tag : insertBeforeParen(hint, tag);
}

// TSelectPropItem

TSelectPropItem::TSelectPropItem(const QString &PropName, TCheckBox *CheckBox, bool Checked,
                                 const QString &HintText)
    : TBoolPropItem(PropName, CheckBox, false), m_checked(Checked), m_hintText(HintText)
{
}

QString TSelectPropItem::GetMainHint()
{
    return QStringLiteral(" Hint: ") + m_hintText;
}

bool TSelectPropItem::GetPropReadOnly()
{
    return false;
}

bool TSelectPropItem::IsDefault()
{
    return true;
}

bool TSelectPropItem::GetPropBool()
{
    return m_checked;
}

void TSelectPropItem::SetPropBool(bool Value)
{
    m_checked = Value;
}

// TSwitchPropItem

TSwitchPropItem::TSwitchPropItem(const QString &PropName, TCheckBox *CheckBox, QWidget *ShowControl,
                                 QWidget *HideControl, bool Checked, const QString &HintText)
    : TSelectPropItem(PropName, CheckBox, Checked, HintText), m_showControl(ShowControl),
      m_hideControl(HideControl)
{
    SwitchControls();
}

void TSwitchPropItem::SwitchControls()
{
    if (m_showControl)
        m_showControl->setVisible(Checked());
    if (m_hideControl)
        m_hideControl->setVisible(!Checked());
}

void TSwitchPropItem::CheckBoxClick()
{
    TSelectPropItem::CheckBoxClick();
    SwitchControls();
}

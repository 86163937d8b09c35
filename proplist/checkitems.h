#pragma once
// Check-box items: a Boolean (optionally inverted), a three-state ordinal, one element of a
// set, a designer-owned switch, and a switch that shows one control and hides another.

#include <QMetaEnum>

#include "controls/checkbox.h"
#include "propitem.h"

class TBoolPropItem : public TPropItem {
public:
    TBoolPropItem(const QString &PropName, TCheckBox *CheckBox, bool Inverted);

    bool Inverted() const { return m_inverted; }
    TCheckBox *GetEditControl() const;

    QString GetMainHint() override;
    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    virtual void CheckBoxClick();
    virtual bool GetPropBool();
    virtual void SetPropBool(bool Value);

protected:
    void AttachClick(bool Attach);

private:
    bool m_inverted;
};

class TGrayPropItem : public TBoolPropItem {
public:
    using TBoolPropItem::TBoolPropItem;

    qint32 GetPropValue() override;
    void SetPropValue(qint32 Value) override;
    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;
};

class TElemPropItem : public TBoolPropItem {
public:
    TElemPropItem(const QString &PropName, TCheckBox *CheckBox, int ElemIndex, bool Inverted);

    int ElemIndex() const { return m_elemIndex; }
    // The element type of the set.
    QMetaEnum GetPropCompType() const;

    QString GetMainHint() override;
    bool IsDefault() override;
    bool GetPropBool() override;
    void SetPropBool(bool Value) override;

private:
    qint32 Mask() const;
    int m_elemIndex;
};

class TSelectPropItem : public TBoolPropItem {
public:
    TSelectPropItem(const QString &PropName, TCheckBox *CheckBox, bool Checked,
                    const QString &HintText);

    bool Checked() const { return m_checked; }
    QString HintText() const { return m_hintText; }

    QString GetMainHint() override;
    bool GetPropReadOnly() override;
    bool IsDefault() override;
    bool GetPropBool() override;
    void SetPropBool(bool Value) override;

private:
    bool m_checked;
    QString m_hintText;
};

class TSwitchPropItem : public TSelectPropItem {
public:
    TSwitchPropItem(const QString &PropName, TCheckBox *CheckBox, QWidget *ShowControl,
                    QWidget *HideControl, bool Checked, const QString &HintText);

    QWidget *ShowControl() const { return m_showControl.data(); }
    QWidget *HideControl() const { return m_hideControl.data(); }

    void CheckBoxClick() override;
    void SwitchControls();

private:
    QPointer<QWidget> m_showControl;
    QPointer<QWidget> m_hideControl;
};

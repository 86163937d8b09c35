#pragma once
// Edit-box items: a string, a character, a string list in a memo, and a whole number in an
// edit box with an up-down spinner.

#include "controls/edit.h"
#include "controls/memo.h"
#include "controls/updown.h"
#include "propitem.h"

class TStrings;

class TTextPropItem : public TPropItem {
public:
    TTextPropItem(const QString &PropName, TEdit *Edit);

    TEdit *GetEditControl() const;

    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    // Stores the text when it differs from the property.
    virtual void EditCheckChange();

    void EditExit();
    void EditKeyPress(QChar &Key);
};

// A character property, carried as its code; the edit box takes one character.
class TCharPropItem : public TTextPropItem {
public:
    TCharPropItem(const QString &PropName, TEdit *Edit);

    void LoadEditControl() override;
    void SaveEditControl() override;
    void EditCheckChange() override;
};

class TMemoPropItem : public TPropItem {
public:
    TMemoPropItem(const QString &PropName, TMemo *Memo);

    TMemo *GetEditControl() const;
    // The property's string list; nullptr when the path cannot be followed.
    TStrings *GetPropItems();
    void SetPropItems(const QStringList &Lines);

    bool IsDefault() override;
    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    void MemoCheckChange();
    void MemoKeyDown(quint16 &Key, TShiftState Shift);
};

// The spinner's position is the value. Typing stores nothing by itself: a check (Enter,
// leaving the box, a double click, a spinner click) stores a position that differs from the
// property, and otherwise takes the typed number into the spinner (clamped) or restores the
// text of the position.
class TValuePropItem : public TPropItem {
public:
    TValuePropItem(const QString &PropName, TEdit *Edit, qint16 MinValue, qint16 MaxValue);

    TEdit *GetEditControl() const;
    TUpDown *GetSpinControl() const { return qobject_cast<TUpDown *>(m_spinControl.data()); }
    qint16 MinValue() const { return m_minValue; }
    qint16 MaxValue() const { return m_maxValue; }

    void SetEnabled(bool Value) override;
    void SetVisible(bool Value) override;
    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    virtual void SetOnChange(bool On);

    void EditCheckChange();
    void EditKeyDown(quint16 &Key, TShiftState Shift);
    void EditKeyPress(QChar &Key);
    void SpinChanging(bool &AllowChange);

private:
    void CheckZeroText();
    // The first up-down control among the edit box's siblings whose buddy is the edit box;
    // kept while it still is.
    void FindSpinControl();

    QPointer<QObject> m_spinControl;
    qint16 m_minValue;
    qint16 m_maxValue;
};

// A font size from 0 to 100 whose default is 8.
class TFontSizePropItem : public TValuePropItem {
public:
    TFontSizePropItem(const QString &PropName, TEdit *Edit) : TValuePropItem(PropName, Edit, 0, 100)
    {
    }
    qint32 GetPropDefault() override { return 8; }
};

#pragma once
// Drop-down list items: a combo box that lists what the property can hold, sized to its
// entries, that writes the text when the user picks or confirms one.

#include <QStringList>

#include "controls/combobox.h"
#include "imagelist.h"
#include "propitem.h"

class TListPropItem : public TPropItem {
public:
    TListPropItem(const QString &PropName, TComboBox *ComboBox);

    TComboBox *GetEditControl() const;
    // The width the box takes while its list is dropped down; 0 leaves it alone.
    int DropWidth() const { return m_dropWidth; }
    // True while the item stores its own text.
    bool Saving() const { return m_saving; }
    bool Sorted() const { return m_sorted; }

    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    virtual int GetDropDownCount();
    virtual int GetDropDownWidth();
    // Fills Strings with the entries and answers the combo box style to use; sets Sorted.
    virtual int AddListValues(QStringList &Strings);

    // Widens the box to the left to DropWidth, or restores it.
    void SetListWidth(bool Wide);

    void ComboBoxSelect();
    void ComboBoxDropDown();
    void ComboBoxCloseUp();
    void ComboBoxKeyPress(QChar &Key);

protected:
    void SetSorted(bool Value) { m_sorted = Value; }
    void SetSaving(bool Value) { m_saving = Value; }
    // Stores the combo box's text with Store while Saving is set, and clears it again however
    // Store ends.
    template <class F> void SaveWhileSaving(F Store)
    {
        SetSaving(true);
        struct Reset {
            TListPropItem *item;
            ~Reset() { item->SetSaving(false); }
        } reset{this};
        Store();
    }

private:
    // Fills the box with Strings unless it still lists them as the last filling left it; true
    // when it did not have to.
    bool fillList(TComboBox *Box, const QStringList &Strings);
    // The drop-down width for the widest entry measured last.
    int dropDownWidth(TComboBox *Box) const;

    int m_dropWidth = 0;
    bool m_saving = false;
    bool m_sorted = false;
    // The entries of the last filling, and the box's list as it stood after it.
    QStringList m_filledWith;
    QStringList m_filledList;
    // The widest of m_measuredList's entries in m_measuredFont.
    QStringList m_measuredList;
    QFont m_measuredFont;
    int m_widestEntry = 0;
};

// A list item whose entries choose what the page edits (a collection item, a total row) rather
// than a value of the component: storing a choice modifies nothing, the window that owns the list
// reloads its page for it (UpdateOwnerPropList).
class TChooserPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    void SaveEditControl() override;
};

// Reloads the page of the designer window that owns List (the window's UpdatePropList), which
// also selects the list's object in the host again. Nothing happens when the list's window is
// not a designer window (an IPropListWindow).
void UpdateOwnerPropList(TPropList *List);

class TEnumPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    QString GetPropText() override;
    void SetPropText(const QString &Value) override;
    int AddListValues(QStringList &Strings) override;
};

class TCursPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    QString GetPropText() override;
    void SetPropText(const QString &Value) override;
    int AddListValues(QStringList &Strings) override;

private:
    QStringList *StringsTarget = nullptr; // only while AddListValues runs
};

// An object property that refers to a component, shown by the component's name.
class TLinkPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    QString GetPropText() override;
    // Never leaves the property half-set: a value the property refuses sets it to nil.
    void SetPropText(const QString &Value) override;
    int AddListValues(QStringList &Strings) override;

private:
    QStringList *StringsTarget = nullptr; // only while AddListValues runs
};

// The Name of a font object; a right click opens the font dialog on the whole font.
class TFontNamePropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    QString GetEditHint() override;
    bool IsDefault() override;
    void InitEditControl() override;
    int AddListValues(QStringList &Strings) override;

    void ComboBoxContextPopup(const QPoint &MousePos, bool &Handled);
};

// A field name of the dataset of the list instance's data source.
class TFieldNamePropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    int AddListValues(QStringList &Strings) override;

    virtual QObject *GetDataSet();
    virtual QObject *GetDataSource();
};

// An image index, listed and drawn with the images of one or two image lists. Negative
// values below -1 stand for the indicator images (-2 is indicator 0).
class TImageIndexPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    QString GetPropText() override;
    void SetPropText(const QString &Value) override;
    void InitEditControl() override;
    int AddListValues(QStringList &Strings) override;

    virtual TCustomImageList *GetImageList();
    virtual TCustomImageList *GetIndicators();

    void ComboBoxDrawItem(int Index, const QRect &Rect, QPainter &Canvas);
};

// The field names of a dataset: a run-time TDataSet's own list, or what another dataset's
// invokable GetFieldNames answers (the names, or a filled string list); empty for nil.
QStringList DataSetFieldNames(QObject *DataSet);

#pragma once
// Item kinds that take their defaults, image lists or data sources from the grid that the list
// edits (or the grid of the column it edits), the pick-text and total-format catalogues, and the
// item that chooses which total row of a column the total list shows.

#include <QPointer>

#include "coloritems.h"
#include "listitems.h"

class TCheckBox;
class TKorDBGridPropList;
class TKorColumnPropList;
class TKorColumnTotalPropList;

// ---- Colours whose default is the grid's ----

// A colour of the grid whose default is the grid's FixedColor.
class TKorDBGridFixedColorPropItem : public TColorPropItem {
public:
    TKorDBGridFixedColorPropItem(const QString &PropName, TColorBox *ColorBox);
    TKorDBGridPropList *GetPropList() const;
    qint32 GetPropDefault() override;
};

// A title colour of a column whose default is the FixedColor of the column's grid.
class TKorColumnTitleColorPropItem : public TColorPropItem {
public:
    TKorColumnTitleColorPropItem(const QString &PropName, TColorBox *ColorBox);
    TKorColumnPropList *GetPropList() const;
    qint32 GetPropDefault() override;
};

// The colour of a total row whose default is Totals.Color of the column's grid.
class TKorColumnTotalColorPropItem : public TColorPropItem {
public:
    TKorColumnTotalColorPropItem(const QString &PropName, TColorBox *ColorBox);
    TKorColumnTotalPropList *GetPropList() const;
    qint32 GetPropDefault() override;
};

// ---- Image indexes drawn with the grid's image lists ----

// An image index of the grid: TitleImages, and the indicators below -1.
class TKorDBGridImageIndexPropItem : public TImageIndexPropItem {
public:
    using TImageIndexPropItem::TImageIndexPropItem;
    TKorDBGridPropList *GetPropList() const;
    TCustomImageList *GetImageList() override;
    TCustomImageList *GetIndicators() override;
};

// The title image of a column: the TitleImages of the column's grid.
class TKorColumnTitleImageIndexPropItem : public TImageIndexPropItem {
public:
    using TImageIndexPropItem::TImageIndexPropItem;
    TKorColumnPropList *GetPropList() const;
    TCustomImageList *GetImageList() override;
};

// The image of a total row: Totals.Images of the column's grid.
class TKorColumnTotalImageIndexPropItem : public TImageIndexPropItem {
public:
    using TImageIndexPropItem::TImageIndexPropItem;
    TKorColumnTotalPropList *GetPropList() const;
    TCustomImageList *GetImageList() override;
};

// ---- Field names ----

// A field of the data set of the column's grid.
class TKorColumnFieldNamePropItem : public TFieldNamePropItem {
public:
    using TFieldNamePropItem::TFieldNamePropItem;
    TKorColumnPropList *GetPropList() const;
    QObject *GetDataSource() override;
};

// A field of the column's LookupDataSet.
class TKorColumnLookupFieldNamePropItem : public TFieldNamePropItem {
public:
    using TFieldNamePropItem::TFieldNamePropItem;
    TKorColumnPropList *GetPropList() const;
    QObject *GetDataSet() override;
};

// The field a total row reads; where the names come from depends on the row's calculation kind:
// the current field and calculated values use the grid's data source, totals records the data
// source of the grid's Totals; other kinds of a values row list nothing (the name is typed).
// The stand-alone rows always use the data source of the grid's Totals.
class TKorColumnTotalFieldNamePropItem : public TFieldNamePropItem {
public:
    using TFieldNamePropItem::TFieldNamePropItem;
    TKorColumnTotalPropList *GetPropList() const;
    QObject *GetDataSource() override;
};

// ---- Format catalogues ----

// PickTextFormat: the eight pick-text formats; any other format can be typed.
class TKorColumnFormatPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    TKorColumnPropList *GetPropList() const;
    int AddListValues(QStringList &Strings) override;
};

// The Format of a total row: the designer's total-format catalogue, its groups chosen by the
// current value of the row being edited. A group separator picked from the list is not stored.
class TKorColumnTotalFormatPropItem : public TListPropItem {
public:
    using TListPropItem::TListPropItem;
    TKorColumnTotalPropList *GetPropList() const;
    void SetPropText(const QString &Value) override;
    int AddListValues(QStringList &Strings) override;
};

// ---- The total row chosen ----

// Chooses the list's TotalName, the total row that every other item of the total list edits.
// Choosing a row changes nothing in the component: the window reloads its page instead of being
// told of a modification. ResultCheckBox switches between the result group and the colour and
// font groups; it is a plain control of the page whose state is stored nowhere.
class TKorColumnTotalNamePropItem : public TChooserPropItem {
public:
    TKorColumnTotalNamePropItem(TComboBox *ComboBox, TCheckBox *ResultCheckBox,
                                QWidget *ResultGroup, QWidget *ColorGroup, QWidget *FontGroup);

    TKorColumnTotalPropList *GetPropList() const;
    TCheckBox *ResultCheckBox() const;
    QWidget *ResultGroup() const { return m_resultGroup.data(); }
    QWidget *ColorGroup() const { return m_colorGroup.data(); }
    QWidget *FontGroup() const { return m_fontGroup.data(); }

    QString GetPropText() override;
    void SetPropText(const QString &Value) override;
    bool IsDefault() override;
    void InitEditControl() override;
    int AddListValues(QStringList &Strings) override;

    // Enables ResultCheckBox (not on "TotalFields") and shows either the result group or the
    // colour and font groups.
    void CheckBoxClick();

private:
    QPointer<QWidget> m_resultCheckBox;
    QPointer<QWidget> m_resultGroup;
    QPointer<QWidget> m_colorGroup;
    QPointer<QWidget> m_fontGroup;
};

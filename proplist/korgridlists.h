#pragma once
// Property lists whose instance is a grid, a grid column, or one total row of a column.
//
// Grid and column lists make the grid refresh before every modification notice, so that what the
// grid shows follows the change at once. The total list rewrites every property path so that it
// starts at the total row chosen in TotalName.

#include "proplist.h"

class TKorDBGrid;
class TKorCustomDBGrid;
class TKorColumn;
class TKorColumnTotalValue;

class TKorDBGridPropList : public TPropList {
    Q_OBJECT
public:
    TKorDBGridPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid);

    TKorDBGrid *Instance() const;

    void PropItemChanged(TPropItem *Item) override;

    void AddKorDBGridFixedColorProp(const QString &PropName, QWidget *ColorBox);
    void AddKorDBGridImageIndexProp(const QString &PropName, QWidget *ComboBox);
};

class TKorColumnPropList : public TPropList {
    Q_OBJECT
public:
    TKorColumnPropList(TDesignWindow *OwnerForm, TKorColumn *Column);

    TKorColumn *Instance() const;
    // The grid of the column; nullptr without a column or when the column is in no grid.
    TKorCustomDBGrid *Grid() const;

    // Refreshes the grid, reports the modification, and reports a change of FieldName to the
    // parent list too.
    void PropItemChanged(TPropItem *Item) override;
    // The column's Title on the title page ("ColumnTitleTabSheet"), the column elsewhere.
    QObject *SelectedItem() override;

    void AddKorColumnFieldNameProp(const QString &PropName, QWidget *ComboBox);
    void AddKorColumnFormatProp(const QString &PropName, QWidget *ComboBox);
    void AddKorColumnLookupFieldNameProp(const QString &PropName, QWidget *ComboBox);
    void AddKorColumnTitleColorProp(const QString &PropName, QWidget *ColorBox);
    void AddKorColumnTitleImageIndexProp(const QString &PropName, QWidget *ComboBox);
};

// One total row of a column at a time: "TotalHeader", "TotalFields", "TotalFooter", or entry i
// of the column's TotalValues, named TotalValuesName(i).
class TKorColumnTotalPropList : public TKorColumnPropList {
    Q_OBJECT
public:
    TKorColumnTotalPropList(TDesignWindow *OwnerForm, TKorColumn *Column);

    // The total row shown; survives changes of the column (clamped by InstanceChanged).
    QString TotalName = QStringLiteral("TotalHeader");

    // TotalName names an entry of TotalValues.
    bool IsTotalValues() const;
    // The index written in a values-row name; -1 when it holds no number.
    int TotalValuesIndex() const;
    static QString TotalValuesName(int Index);
    // The current total object: TotalHeader, TotalFields, TotalFooter or a TotalValues entry;
    // nullptr without a column or when the entry does not exist.
    QObject *GetTotalItem();

    QString GetHintPropName(const QString &Path) override;
    QObject *PropInstance(QString &Path) override;
    // A values row past the last entry falls back to the last entry, or to "TotalHeader".
    void InstanceChanged() override;
    void ItemDeleted(QObject *Object) override;
    QObject *SelectedItem() override;

    void AddKorColumnTotalNameProp(QWidget *ComboBox, QWidget *ResultCheckBox, QWidget *ResultGroup,
                                   QWidget *ColorGroup, QWidget *FontGroup);
    void AddKorColumnTotalColorProp(const QString &PropName, QWidget *ColorBox);
    void AddKorColumnTotalFieldNameProp(const QString &PropName, QWidget *ComboBox);
    void AddKorColumnTotalFormatProp(const QString &PropName, QWidget *ComboBox);
    void AddKorColumnTotalImageIndexProp(const QString &PropName, QWidget *ComboBox);

private:
    // The number of TotalValues entries, not counting one that is being deleted.
    int TotalValuesCount() const;

    // A total value reported deleted while ItemDeleted runs; it may still be in its collection.
    QObject *m_deleting = nullptr;
};

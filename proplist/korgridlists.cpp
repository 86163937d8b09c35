#include "korgridlists.h"

#include "column.h"
#include "columntotal.h"
#include "controls/checkbox.h"
#include "grid.h"
#include "korgriditems.h"

namespace {

const QString kTotalHeader = QStringLiteral("TotalHeader");
const QString kTotalValues = QStringLiteral("TotalValues");
const QString kTitlePage = QStringLiteral("ColumnTitleTabSheet");
const QString kFieldName = QStringLiteral("FieldName");

void RefreshGrid(TKorCustomDBGrid *Grid)
{
    if (Grid)
        Grid->Refresh();
}

} // namespace

// ---- TKorDBGridPropList ----

TKorDBGridPropList::TKorDBGridPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TPropList(AOwnerForm, Grid)
{
}

TKorDBGrid *TKorDBGridPropList::Instance() const
{
    return qobject_cast<TKorDBGrid *>(TPropList::Instance());
}

void TKorDBGridPropList::PropItemChanged(TPropItem *Item)
{
    RefreshGrid(qobject_cast<TKorCustomDBGrid *>(TPropList::Instance()));
    TPropList::PropItemChanged(Item);
}

void TKorDBGridPropList::AddKorDBGridFixedColorProp(const QString &PropName, QWidget *ColorBox)
{
    AddPropItem(std::make_unique<TKorDBGridFixedColorPropItem>(
        PropName, BoundControl<TColorBox>(PropName, ColorBox)));
}

void TKorDBGridPropList::AddKorDBGridImageIndexProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorDBGridImageIndexPropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

// ---- TKorColumnPropList ----

TKorColumnPropList::TKorColumnPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TPropList(AOwnerForm, Column)
{
}

TKorColumn *TKorColumnPropList::Instance() const
{
    return qobject_cast<TKorColumn *>(TPropList::Instance());
}

TKorCustomDBGrid *TKorColumnPropList::Grid() const
{
    TKorColumn *column = Instance();
    return column ? column->Grid() : nullptr;
}

void TKorColumnPropList::PropItemChanged(TPropItem *Item)
{
    RefreshGrid(Grid());
    TPropList::PropItemChanged(Item);
    // The parent shows the columns by their field names.
    if (Item && Item->PropName() == kFieldName && ParentList())
        ParentList()->PropItemChanged(Item);
}

QObject *TKorColumnPropList::SelectedItem()
{
    TKorColumn *column = Instance();
    if (column && ListName() == kTitlePage)
        return column->Title();
    return column;
}

void TKorColumnPropList::AddKorColumnFieldNameProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnFieldNamePropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TKorColumnPropList::AddKorColumnFormatProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnFormatPropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TKorColumnPropList::AddKorColumnLookupFieldNameProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnLookupFieldNamePropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TKorColumnPropList::AddKorColumnTitleColorProp(const QString &PropName, QWidget *ColorBox)
{
    AddPropItem(std::make_unique<TKorColumnTitleColorPropItem>(
        PropName, BoundControl<TColorBox>(PropName, ColorBox)));
}

void TKorColumnPropList::AddKorColumnTitleImageIndexProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnTitleImageIndexPropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

// ---- TKorColumnTotalPropList ----

TKorColumnTotalPropList::TKorColumnTotalPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TKorColumnPropList(AOwnerForm, Column)
{
}

bool TKorColumnTotalPropList::IsTotalValues() const
{
    return TotalName.left(kTotalValues.size()) == kTotalValues;
}

int TKorColumnTotalPropList::TotalValuesIndex() const
{
    // "TotalValues[" <index> "]": the text between the bracket and the last character.
    const qsizetype first = kTotalValues.size() + 1;
    bool ok = false;
    const int index = TotalName.mid(first, TotalName.size() - first - 1).toInt(&ok);
    return ok ? index : -1;
}

QString TKorColumnTotalPropList::TotalValuesName(int Index)
{
    return kTotalValues + QLatin1Char('[') + QString::number(Index) + QLatin1Char(']');
}

QObject *TKorColumnTotalPropList::GetTotalItem()
{
    // Every total object publishes Visible.
    QString path = QStringLiteral("Visible");
    return PropInstance(path);
}

QString TKorColumnTotalPropList::GetHintPropName(const QString &Path)
{
    if (!Path.isEmpty())
        return TotalName + QLatin1Char('.') + Path;
    return IsTotalValues() ? kTotalValues : TotalName;
}

QObject *TKorColumnTotalPropList::PropInstance(QString &Path)
{
    if (!IsTotalValues()) {
        Path = Path.isEmpty() ? TotalName : TotalName + QLatin1Char('.') + Path;
        return TKorColumnPropList::PropInstance(Path);
    }
    TKorColumn *column = Instance();
    if (Path.isEmpty()) {
        Path = kTotalValues;
        return column;
    }
    // An entry that does not exist (deleted, or a name without a number) leaves no object.
    QObject *object = nullptr;
    const int index = TotalValuesIndex();
    if (column && index >= 0 && index < column->TotalValues()->Count())
        object = column->TotalValues()->Items(index);
    GetPropInstance(object, Path);
    return object;
}

int TKorColumnTotalPropList::TotalValuesCount() const
{
    TKorColumn *column = Instance();
    if (!column)
        return 0;
    TKorColumnTotalValues *values = column->TotalValues();
    int count = values->Count();
    if (m_deleting)
        for (int i = 0; i < values->Count(); ++i)
            if (values->Items(i) == m_deleting)
                --count;
    return count;
}

void TKorColumnTotalPropList::InstanceChanged()
{
    TKorColumnPropList::InstanceChanged();
    if (!Instance() || !IsTotalValues())
        return;
    const int count = TotalValuesCount();
    const int index = TotalValuesIndex();
    if (index >= 0 && index < count)
        return;
    TotalName = count > 0 ? TotalValuesName(count - 1) : kTotalHeader;
}

void TKorColumnTotalPropList::ItemDeleted(QObject *Object)
{
    // The deleted object is compared, never dereferenced: the host may report it when it is
    // gone already, or while it is still an entry of its collection. Re-checking the row is
    // harmless when the object was no total value.
    m_deleting = Object;
    InstanceChanged();
    m_deleting = nullptr;
    TKorColumnPropList::ItemDeleted(Object);
}

QObject *TKorColumnTotalPropList::SelectedItem()
{
    return Instance() ? GetTotalItem() : nullptr;
}

void TKorColumnTotalPropList::AddKorColumnTotalNameProp(QWidget *ComboBox, QWidget *ResultCheckBox,
                                                        QWidget *ResultGroup, QWidget *ColorGroup,
                                                        QWidget *FontGroup)
{
    const QString path; // the total-name item's path is empty
    AddPropItem(std::make_unique<TKorColumnTotalNamePropItem>(
        BoundControl<TComboBox>(path, ComboBox), BoundControl<TCheckBox>(path, ResultCheckBox),
        ResultGroup, ColorGroup, FontGroup));
}

void TKorColumnTotalPropList::AddKorColumnTotalColorProp(const QString &PropName, QWidget *ColorBox)
{
    AddPropItem(std::make_unique<TKorColumnTotalColorPropItem>(
        PropName, BoundControl<TColorBox>(PropName, ColorBox)));
}

void TKorColumnTotalPropList::AddKorColumnTotalFieldNameProp(const QString &PropName,
                                                             QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnTotalFieldNamePropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TKorColumnTotalPropList::AddKorColumnTotalFormatProp(const QString &PropName,
                                                          QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnTotalFormatPropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TKorColumnTotalPropList::AddKorColumnTotalImageIndexProp(const QString &PropName,
                                                              QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TKorColumnTotalImageIndexPropItem>(
        PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

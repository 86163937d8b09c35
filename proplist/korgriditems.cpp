#include "korgriditems.h"

#include <QRegularExpression>

#include "column.h"
#include "columntotal.h"
#include "controls/checkbox.h"
#include "displayformats.h"
#include "grid.h"
#include "korgridlists.h"

namespace {

const QString kTotalHeader = QStringLiteral("TotalHeader");
const QString kTotalFields = QStringLiteral("TotalFields");
const QString kTotalFooter = QStringLiteral("TotalFooter");

// The grid of the list's column; nullptr without list, column or grid.
TKorCustomDBGrid *ColumnGrid(const TKorColumnPropList *List)
{
    return List ? List->Grid() : nullptr;
}

// Whether Name names a total row: one of the stand-alone rows or "TotalValues[<n>]", n >= 0.
bool IsTotalRowName(const QString &Name)
{
    if (Name == kTotalHeader || Name == kTotalFields || Name == kTotalFooter)
        return true;
    static const QRegularExpression valuesRow(QStringLiteral("^TotalValues\\[\\d+\\]$"));
    return valuesRow.match(Name).hasMatch();
}

} // namespace

// ---- Colours ----

TKorDBGridFixedColorPropItem::TKorDBGridFixedColorPropItem(const QString &PropName,
                                                           TColorBox *ColorBox)
    : TColorPropItem(PropName, ColorBox, clDefault, clNone)
{
}

TKorDBGridPropList *TKorDBGridFixedColorPropItem::GetPropList() const
{
    return qobject_cast<TKorDBGridPropList *>(PropList());
}

qint32 TKorDBGridFixedColorPropItem::GetPropDefault()
{
    TKorDBGridPropList *list = GetPropList();
    if (auto *grid = list ? qobject_cast<TKorCustomDBGrid *>(list->TPropList::Instance()) : nullptr)
        return grid->FixedColor();
    return TColorPropItem::GetPropDefault();
}

TKorColumnTitleColorPropItem::TKorColumnTitleColorPropItem(const QString &PropName,
                                                           TColorBox *ColorBox)
    : TColorPropItem(PropName, ColorBox, clDefault, clNone)
{
}

TKorColumnPropList *TKorColumnTitleColorPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnPropList *>(PropList());
}

qint32 TKorColumnTitleColorPropItem::GetPropDefault()
{
    if (TKorCustomDBGrid *grid = ColumnGrid(GetPropList()))
        return grid->FixedColor();
    return TColorPropItem::GetPropDefault();
}

TKorColumnTotalColorPropItem::TKorColumnTotalColorPropItem(const QString &PropName,
                                                           TColorBox *ColorBox)
    : TColorPropItem(PropName, ColorBox, clDefault, clNone)
{
}

TKorColumnTotalPropList *TKorColumnTotalColorPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnTotalPropList *>(PropList());
}

qint32 TKorColumnTotalColorPropItem::GetPropDefault()
{
    if (TKorCustomDBGrid *grid = ColumnGrid(GetPropList()))
        return grid->Totals()->Color();
    return TColorPropItem::GetPropDefault();
}

// ---- Image indexes ----

TKorDBGridPropList *TKorDBGridImageIndexPropItem::GetPropList() const
{
    return qobject_cast<TKorDBGridPropList *>(PropList());
}

TCustomImageList *TKorDBGridImageIndexPropItem::GetImageList()
{
    TKorDBGridPropList *list = GetPropList();
    auto *grid = list ? qobject_cast<TKorCustomDBGrid *>(list->TPropList::Instance()) : nullptr;
    return grid ? grid->TitleImages() : nullptr;
}

TCustomImageList *TKorDBGridImageIndexPropItem::GetIndicators()
{
    TKorDBGridPropList *list = GetPropList();
    auto *grid = list ? qobject_cast<TKorCustomDBGrid *>(list->TPropList::Instance()) : nullptr;
    return grid ? grid->Indicators() : nullptr;
}

TKorColumnPropList *TKorColumnTitleImageIndexPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnPropList *>(PropList());
}

TCustomImageList *TKorColumnTitleImageIndexPropItem::GetImageList()
{
    TKorCustomDBGrid *grid = ColumnGrid(GetPropList());
    return grid ? grid->TitleImages() : nullptr;
}

TKorColumnTotalPropList *TKorColumnTotalImageIndexPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnTotalPropList *>(PropList());
}

TCustomImageList *TKorColumnTotalImageIndexPropItem::GetImageList()
{
    TKorCustomDBGrid *grid = ColumnGrid(GetPropList());
    return grid ? grid->Totals()->Images() : nullptr;
}

// ---- Field names ----

TKorColumnPropList *TKorColumnFieldNamePropItem::GetPropList() const
{
    return qobject_cast<TKorColumnPropList *>(PropList());
}

QObject *TKorColumnFieldNamePropItem::GetDataSource()
{
    TKorCustomDBGrid *grid = ColumnGrid(GetPropList());
    return grid ? grid->DataSource() : nullptr;
}

TKorColumnPropList *TKorColumnLookupFieldNamePropItem::GetPropList() const
{
    return qobject_cast<TKorColumnPropList *>(PropList());
}

QObject *TKorColumnLookupFieldNamePropItem::GetDataSet()
{
    TKorColumnPropList *list = GetPropList();
    TKorColumn *column = list ? list->Instance() : nullptr;
    return column ? column->LookupDataSet() : nullptr;
}

TKorColumnTotalPropList *TKorColumnTotalFieldNamePropItem::GetPropList() const
{
    return qobject_cast<TKorColumnTotalPropList *>(PropList());
}

QObject *TKorColumnTotalFieldNamePropItem::GetDataSource()
{
    TKorColumnTotalPropList *list = GetPropList();
    TKorCustomDBGrid *grid = ColumnGrid(list);
    if (!grid)
        return nullptr;
    if (auto *value = qobject_cast<TKorColumnTotalValue *>(list->GetTotalItem())) {
        switch (value->TotalResult()) {
        case Kor::trCurrentField:
        case Kor::trCalcValue:
            return grid->DataSource();
        case Kor::trTotalsRecord:
            return grid->Totals()->DataSource();
        default:
            return nullptr; // the name is typed
        }
    }
    return grid->Totals()->DataSource();
}

// ---- Formats ----

TKorColumnPropList *TKorColumnFormatPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnPropList *>(PropList());
}

int TKorColumnFormatPropItem::AddListValues(QStringList &Strings)
{
    Strings += PickTextFormatPlainValues();
    SetSorted(false);
    return csDropDown;
}

TKorColumnTotalPropList *TKorColumnTotalFormatPropItem::GetPropList() const
{
    return qobject_cast<TKorColumnTotalPropList *>(PropList());
}

void TKorColumnTotalFormatPropItem::SetPropText(const QString &Value)
{
    if (const std::optional<QString> format = DesignerFormatToStore(Value))
        TListPropItem::SetPropText(*format);
}

int TKorColumnTotalFormatPropItem::AddListValues(QStringList &Strings)
{
    TKorColumnTotalPropList *list = GetPropList();
    QObject *total = list ? list->GetTotalItem() : nullptr;
    Strings += TotalFormatPlainValues(TotalFormatSampleValue(total));
    SetSorted(false);
    return csDropDown;
}

// ---- The total row chosen ----

TKorColumnTotalNamePropItem::TKorColumnTotalNamePropItem(TComboBox *ComboBox,
                                                         TCheckBox *ResultCheckBox,
                                                         QWidget *ResultGroup, QWidget *ColorGroup,
                                                         QWidget *FontGroup)
    : TChooserPropItem(QString(), ComboBox), m_resultCheckBox(ResultCheckBox),
      m_resultGroup(ResultGroup), m_colorGroup(ColorGroup), m_fontGroup(FontGroup)
{
}

TKorColumnTotalPropList *TKorColumnTotalNamePropItem::GetPropList() const
{
    return qobject_cast<TKorColumnTotalPropList *>(PropList());
}

TCheckBox *TKorColumnTotalNamePropItem::ResultCheckBox() const
{
    return qobject_cast<TCheckBox *>(m_resultCheckBox.data());
}

QString TKorColumnTotalNamePropItem::GetPropText()
{
    TKorColumnTotalPropList *list = GetPropList();
    return list ? list->TotalName : QString();
}

void TKorColumnTotalNamePropItem::SetPropText(const QString &Value)
{
    TKorColumnTotalPropList *list = GetPropList();
    // A text that names no total row would leave every path of the page unresolvable.
    if (!list || !IsTotalRowName(Value))
        return;
    list->TotalName = Value;
    CheckBoxClick();
}

bool TKorColumnTotalNamePropItem::IsDefault()
{
    return true;
}

void TKorColumnTotalNamePropItem::InitEditControl()
{
    TListPropItem::InitEditControl();
    if (TCheckBox *box = ResultCheckBox())
        box->OnClick = Guard([this] { CheckBoxClick(); });
    // The groups follow the row shown from the first load on, not only after a choice.
    CheckBoxClick();
}

int TKorColumnTotalNamePropItem::AddListValues(QStringList &Strings)
{
    Strings.append(kTotalHeader);
    TKorColumnTotalPropList *list = GetPropList();
    if (TKorColumn *column = list ? list->Instance() : nullptr)
        for (int i = 0; i < column->TotalValues()->Count(); ++i)
            Strings.append(TKorColumnTotalPropList::TotalValuesName(i));
    Strings.append(kTotalFields);
    Strings.append(kTotalFooter);
    SetSorted(false);
    return csDropDownList;
}

void TKorColumnTotalNamePropItem::CheckBoxClick()
{
    TKorColumnTotalPropList *list = GetPropList();
    const bool enabled = !list || list->TotalName != kTotalFields;
    TCheckBox *box = ResultCheckBox();
    if (box)
        box->setEnabled(enabled);
    const bool showResult = box && box->Checked() && enabled;
    if (m_resultGroup)
        m_resultGroup->setVisible(showResult);
    if (m_colorGroup)
        m_colorGroup->setVisible(!showResult);
    if (m_fontGroup)
        m_fontGroup->setVisible(!showResult);
}

// The "Total" page: one total row of the column at a time, chosen in the total-name combo box
// (the header, a values row, the fields row or the footer). The caption-less result check box
// alternates the result group with the colour and font groups. The row's pop-up menu and image
// index are bound here but placed on the Links page.

#include "columnrules.h"
#include "gridpages.h"
#include "pagerows.h"

#include "column.h"
#include "grid.h"
#include "gridparts.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const Color = "ColumnTotalColorGroupBox";
const char *const Result = "ColumnTotalResultGroupBox";
const char *const Font = "ColumnTotalFontGroupBox";
const char *const Total = "ColumnTotalTotalGroupBox";
const char *const TextGroup = "ColumnTotalTextGroupBox";
const char *const Linkage = "ColumnLinkageGroupBox";

const QString kTotalFields = QStringLiteral("TotalFields");

TKorColumnTotalPropList *totalListOf(const TRuleContext &Context)
{
    return dynamic_cast<TKorColumnTotalPropList *>(Context.List);
}

// The OptionsEx element that makes the grid show the chosen row; -1 for no row.
int rowElement(const QString &TotalName)
{
    if (TotalName == QLatin1String("TotalHeader"))
        return 1;
    if (QString::compare(TotalName, QLatin1String("TotalValues")) > 0)
        return 2;
    if (TotalName == kTotalFields)
        return 3;
    if (TotalName == QLatin1String("TotalFooter"))
        return 4;
    return -1;
}

// ROW: the grid shows the chosen total row: its own OptionsEx element (TotalHeader, TotalValues,
// TotalFields, TotalFooter), or for the header, values and footer rows "SelectedAutoHidden"
// together with the row's "...Selected" element.
TCond Row()
{
    static const TCond cond = Fact(
        QStringLiteral("ROW"),
        [](const TRuleContext &Context) {
            TKorColumnTotalPropList *list = totalListOf(Context);
            if (!list || !Context.Grid)
                return false;
            const quint32 options = quint32(GetOrdProp(Context.Grid, QStringLiteral("OptionsEx")));
            auto has = [options](int Index) { return (options >> Index) & 1u; };
            switch (rowElement(list->TotalName)) {
            case 1:
                return has(1) || (has(26) && has(23));
            case 2:
                return has(2) || (has(26) && has(24));
            case 3:
                return bool(has(3));
            case 4:
                return has(4) || (has(26) && has(25));
            default:
                return false;
            }
        },
        [](const TRuleContext &Context, bool Value) {
            TKorColumnTotalPropList *list = totalListOf(Context);
            const int element = list ? rowElement(list->TotalName) : -1;
            if (element < 0 || !Context.Grid)
                return false;
            const QString name = QStringLiteral("OptionsEx");
            quint32 options = quint32(GetOrdProp(Context.Grid, name));
            if (Value)
                options |= 1u << element;
            else
                options &= ~((1u << element) | (1u << 26));
            SetOrdProp(Context.Grid, name, qint32(options));
            return true;
        });
    return cond;
}

// The controls that only a values row (a TKorColumnTotalValue) sets.
const QStringList &resultControls()
{
    static const QStringList names{
        QStringLiteral("ColumnTotalTotalResultComboBox"),
        QStringLiteral("ColumnTotalCalcValueComboBox"),
        QStringLiteral("ColumnTotalCalcApplyComboBox"),
        QStringLiteral("ColumnTotalNullValueCheckBox"),
        QStringLiteral("ColumnTotalCaptionEdit"),
        QStringLiteral("ColumnTotalTotalRecNoEdit"),
        QStringLiteral("ColumnTotalFormatComboBox"),
        QStringLiteral("ColumnTotalFormatAsFloatCheckBox"),
        QStringLiteral("ColumnTotalPopupMenuComboBox"),
        QStringLiteral("ColumnTotalImageIndexComboBox"),
    };
    return names;
}

// The result controls and the two linkage combo boxes exist for every row but the fields row.
void ShowResultControls(TPageTableList &Page)
{
    auto *list = dynamic_cast<TKorColumnTotalPropList *>(&Page.List());
    const bool shown = list && list->TotalName != kTotalFields;
    for (const QString &name : resultControls())
        if (TPropItem *item = Page.Item(name))
            item->SetVisible(shown);
}

// On a values row, what its TotalResult (R) uses: a caption (1), a field of the grid's current
// record (2) or of the totals' record (3), or a calculation (4). The other rows have no result:
// these controls keep the state they had, unless "Enable All" lifts the rules.
void ApplyValueRowRules(TPageTableList &Page)
{
    const TRuleContext context = Page.RuleContext();
    auto *value = qobject_cast<TKorColumnTotalValue *>(context.TotalItem);
    if (!value && !Page.List().GetAllEnabled())
        return;
    const bool row = Row().Eval(context);
    const int r = value ? int(value->TotalResult()) : 0;
    auto *grid = qobject_cast<TKorCustomDBGrid *>(context.Grid);
    const bool images = grid && grid->Totals()->Images();
    auto set = [&Page](const char *Name, bool Enabled) {
        if (TPropItem *item = Page.Item(QString::fromLatin1(Name)))
            item->SetEnabled(Enabled);
    };
    set("ColumnTotalFieldNameComboBox", row && (r == 2 || r == 3 || r == 4));
    set("ColumnTotalTotalResultComboBox", row);
    set("ColumnTotalPopupMenuComboBox", row);
    for (const char *name : {"ColumnTotalCalcValueComboBox", "ColumnTotalCalcApplyComboBox",
                             "ColumnTotalNullValueCheckBox", "ColumnTotalFormatComboBox",
                             "ColumnTotalFormatAsFloatCheckBox"})
        set(name, row && r == 4);
    set("ColumnTotalCaptionEdit", row && r == 1);
    set("ColumnTotalTotalRecNoEdit", row && r == 3);
    set("ColumnTotalImageIndexComboBox", row && images);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnTotalTabSheet",
        // Groups.
        {
            {Color, OnSheet, "      Color / Result "},
            {Result, OnSheet, "      Result / Color ", TPlace::Same},
            {Font, OnSheet, " Font "},
            {Total, OnSheet, " Total ", TPlace::NewColumn},
            {TextGroup, OnSheet, " Text "},
            // The Links page places the row's pop-up menu and image index in its " Linkage ".
            {Linkage, "ColumnLinksTabSheet", " Linkage "},
        },
        // Rows.
        JoinRows({
            {{"ColumnTotalColorColorBox", Color, AddKorColumnTotalColorProp, "Color"}},
            FontRows("ColumnTotalFont", "Font"),
            {
                // Chooses between the result group and the colour and font groups; a plain control
                // of the page whose state is stored nowhere.
                {"ColumnTotalResultCheckBox", OnSheet, Unbound, nullptr,
                 Switch(Result, Color, false, nullptr), NoCaption},
                {"ColumnTotalTotalNameComboBox", Total, AddKorColumnTotalNameProp, nullptr,
                 TotalRow("ColumnTotalResultCheckBox", Result, Color, Font), "TotalName"},
                {"ColumnTotalVisibleCheckBox", Total, AddBoolProp, "Visible"},
                {"ColumnTotalTotalBoxCheckBox", Total, AddGrayProp, "TotalBox", NoArgs, nullptr,
                 TPlace::Beside},
                {"ColumnTotalFieldNameComboBox", Total, AddKorColumnTotalFieldNameProp,
                 "FieldName"},
                {"ColumnTotalHintEdit", Total, AddTextProp, "Hint"},
                {"ColumnTotalToolTipsCheckBox", Total, AddBoolProp, "ToolTips"},
                {"ColumnTotalToolTipsWidthCheckBox", Total, AddBoolProp, "ToolTipsWidth", NoArgs,
                 nullptr, TPlace::Beside},
            },
            TextLayoutRows("ColumnTotal", TextGroup, ""),
            {
                {"ColumnTotalTotalResultComboBox", Result, AddEnumProp, "TotalResult"},
                {"ColumnTotalCalcValueComboBox", Result, AddEnumProp, "CalcValue"},
                {"ColumnTotalCalcApplyComboBox", Result, AddEnumProp, "CalcApply"},
                {"ColumnTotalNullValueCheckBox", Result, AddBoolProp, "NullValue"},
                {"ColumnTotalCaptionEdit", Result, AddTextProp, "Caption"},
                {"ColumnTotalTotalRecNoEdit", Result, AddValueProp, "TotalRecNo",
                 Range(-32768, 32767)},
                {"ColumnTotalFormatComboBox", Result, AddKorColumnTotalFormatProp, "Format"},
                {"ColumnTotalFormatAsFloatCheckBox", Result, AddBoolProp, "FormatAsFloat"},
                {"ColumnTotalPopupMenuComboBox", Linkage, AddLinkProp, "PopupMenu", NoArgs,
                 "TotalPopupMenu"},
                {"ColumnTotalImageIndexComboBox", Linkage, AddKorColumnTotalImageIndexProp,
                 "ImageIndex", NoArgs, "TotalImageIndex"},
            },
        }),
        // Rules; the values-row rules follow in ApplyValueRowRules.
        {
            {{"ColumnTotalTotalNameComboBox"}, GridBool("Totals.Active")},
            {{"ColumnTotalColorColorBox", Font, "ColumnTotalVisibleCheckBox",
              "ColumnTotalTotalBoxCheckBox", "ColumnTotalFieldNameComboBox"},
             Row()},
            {{"ColumnTotalHintEdit"}, ShowHint() && Row() && HintOption(10) && !HintOption(12)},
            {{"ColumnTotalToolTipsCheckBox", "ColumnTotalToolTipsWidthCheckBox"},
             ShowHint() && Row() && HintOption(12)},
            {{"ColumnTotalAlignmentComboBox", "ColumnTotalVAlignmentComboBox",
              "ColumnTotalEllipsisCheckBox", "ColumnTotalWordWrapCheckBox"},
             Row()},
        },
        // Overrides.
        {},
        ShowResultControls,
        ApplyValueRowRules,
        {},
        {},
        {QStringLiteral("ColumnTotalFieldNameComboBox")},
    };
    return table;
}

} // namespace

TColumnTotalPropList::TColumnTotalPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnTotalPagePropList(AOwnerForm, Column, PageTable())
{
}

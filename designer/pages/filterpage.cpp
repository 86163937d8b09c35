// The "Filter" page: the data set's filter, the grid's own filter, its automatic filter lists
// and the clauses and periods its filter form offers. The options group and the periods group
// share one place; a caption-less switch over their captions alternates them.

#include "gridpages.h"

#include "controls/label.h"

namespace {

using namespace TFactory;

const char *const Data = "FilterDataGroupBox";
const char *const GridFilter = "FilterGridGroupBox";
const char *const Control = "FilterGridControlGroupBox";
const char *const Options = "FilterGridOptionsGroupBox";
const char *const Clauses = "FilterGridClausesGroupBox";
const char *const Periods = "FilterGridPeriodsGroupBox";

// The two switched groups keep their room while hidden, so that the cell they share is as large
// as the larger of them and switching does not move the rest of the page.
void KeepSwitchedPlace(TPageTableList &Page)
{
    for (const char *name : {Options, Periods}) {
        auto *group = Page.PageControl<TGroupBox>(QString::fromLatin1(name));
        QSizePolicy policy = group->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        group->setSizePolicy(policy);
    }
}

// FL: the grid filters through the title lists; FF: through the filter form.
TCond FilterList()
{
    return GridBool("FilterGrid.Filtered") && GridElem("FilterGrid.AutoFilters", 0);
}
TCond FilterForm()
{
    return GridBool("FilterGrid.Filtered") && GridElem("FilterGrid.AutoFilters", 1);
}
TCond Period(int Index)
{
    return GridElem("FilterGrid.Periods", Index);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "FilterTabSheet",
        // Groups.
        {
            {Data, OnSheet, " Data filter "},
            {GridFilter, OnSheet, " Grid filter "},
            {Control, OnSheet, " Filter control "},
            {Options, OnSheet, "      Filter options / periods ", TPlace::NewColumn},
            {Periods, OnSheet, "      Filter periods / options ", TPlace::Same},
            {Clauses, OnSheet, " Filter clauses", TPlace::NewColumn},
        },
        // Rows.
        {
            {"FilteredCheckBox", Data, AddBoolProp, "Filtered"},
            {"FilterEdit", Data, AddTextProp, "Filter", NoArgs, NoLabel},
            {"FilterGridFilteredCheckBox", GridFilter, AddBoolProp, "FilterGrid.Filtered"},
            {"FilterGridFilterTextEdit", GridFilter, AddTextProp, "FilterGrid.FilterText", NoArgs,
             NoLabel},
            {Control, OnSheet, AddNoneProp, "FilterGrid"},
            {"FilterGridAutoFilterCheckBox", Control, AddBoolProp, "FilterGrid.AutoFilter"},
            {"FilterGridAutoUpdateCheckBox", Control, AddBoolProp, "FilterGrid.AutoUpdate"},
            {"FilterGridFilterListCheckBox", Control, AddElemProp, "FilterGrid.AutoFilters",
             Elem(0), "FilterList"},
            {"FilterGridFilterFormCheckBox", Control, AddElemProp, "FilterGrid.AutoFilters",
             Elem(1), "FilterForm"},
            {"FilterGridAddSelectedCheckBox", Control, AddElemProp, "FilterGrid.Options", Elem(6),
             "AddSelected"},
            {"FilterGridIncrementalListCheckBox", Control, AddElemProp, "FilterGrid.Options",
             Elem(7), "IncrementalList"},
            {"FilterGridDecimalSeparatorCheckBox", Control, AddBoolProp,
             "FilterGrid.DecimalSeparator"},
            {"FilterGridDropDownRowsEdit", Control, AddValueProp, "FilterGrid.DropDownRows",
             Range(-32768, 32767)},
            {"FilterGridDropDownWidthEdit", Control, AddValueProp, "FilterGrid.DropDownWidth",
             Range(-32768, 32767)},
            {Options, OnSheet, AddNoneProp, "FilterGrid.Options"},
            {"FilterGridAutoApplyListCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(0),
             "AutoApplyList"},
            {"FilterGridListAnimationCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(1),
             "ListAnimation"},
            {"FilterGridListAlignmentCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(2),
             "ListAlignment"},
            {"FilterGridOverlayedListCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(3),
             "OverlayedList"},
            {"FilterGridLoadAllItemsCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(4),
             "LoadAllItems"},
            {"FilterGridCheckedFirstCheckBox", Options, AddElemProp, "FilterGrid.Options", Elem(5),
             "CheckedFirst"},
            {Clauses, OnSheet, AddNoneProp, "FilterGrid.Clauses"},
            {"FilterGridClause1CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(0),
             "NoFilter"},
            {"FilterGridClause2CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(1),
             "Contains"},
            {"FilterGridClause3CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(2),
             "DoesNotContain"},
            {"FilterGridClause4CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(3),
             "StartsFrom"},
            {"FilterGridClause5CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(4),
             "DoesNotStartFrom"},
            {"FilterGridClause6CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(5),
             "EndsWith"},
            {"FilterGridClause7CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(6),
             "DoesNotEndWith"},
            {"FilterGridClause8CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(7),
             "IsEqual"},
            {"FilterGridClause9CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(8),
             "IsNotEqual"},
            {"FilterGridClause10CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(9),
             "IsGreaterThen", TPlace::NewColumn},
            {"FilterGridClause11CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(10),
             "IsGreaterThenOrEqual"},
            {"FilterGridClause12CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(11),
             "IsLessThen"},
            {"FilterGridClause13CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(12),
             "IsLessThenOrEqual"},
            {"FilterGridClause14CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(13),
             "IsOnTheList"},
            {"FilterGridClause15CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(14),
             "IsNotOnTheList"},
            {"FilterGridClause16CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(15),
             "IsEmpty"},
            {"FilterGridClause17CheckBox", Clauses, AddElemProp, "FilterGrid.Clauses", Elem(16),
             "IsNotEmpty"},
            {"FilterGridPeriodsCheckBox", OnSheet, AddSwitchProp, "Periods",
             Switch(Periods, Options, false,
                    "Switch between \"Filter periods\" group and \"Filter options\" group."),
             NoCaption},
            {Periods, OnSheet, AddNoneProp, "FilterGrid.Periods"},
            {"FilterGridPeriod1CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(0),
             "NoPeriod"},
            {"FilterGridPeriod2CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(1),
             "Minute"},
            {"FilterGridPeriod3CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(2),
             "Hour"},
            {"FilterGridPeriod4CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(3),
             "Day"},
            {"FilterGridPeriod5CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(4),
             "Week"},
            {"FilterGridPeriod6CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(5),
             "Month"},
            {"FilterGridPeriod7CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(6),
             "Quarter"},
            {"FilterGridPeriod8CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(7),
             "Semester"},
            {"FilterGridPeriod9CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(8),
             "Year"},
            {"FilterGridPeriod10CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(9),
             "Decade"},
            {"FilterGridPeriod11CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(10),
             "Other"},
            {"FilterGridPeriod12CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(11),
             "10Mins", TPlace::NewColumn},
            {"FilterGridPeriod13CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(12),
             "15Mins"},
            {"FilterGridPeriod14CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(13),
             "20Mins"},
            {"FilterGridPeriod15CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(14),
             "30Mins"},
            {"FilterGridPeriod16CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(15),
             "Hours"},
            {"FilterGridPeriod17CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(16),
             "Days"},
            {"FilterGridPeriod18CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(17),
             "Weeks"},
            {"FilterGridPeriod19CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(18),
             "Months"},
            {"FilterGridPeriod20CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(19),
             "Quarters"},
            {"FilterGridPeriod21CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(20),
             "Semesters"},
            {"FilterGridPeriod22CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(21),
             "Years"},
            {"FilterGridPeriod23CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(22),
             "Decades"},
            {"FilterGridPeriod24CheckBox", Periods, AddElemProp, "FilterGrid.Periods", Elem(23),
             "Others"},
        },
        // Rules: the groups first, so that the rules of the check boxes inside them decide.
        {
            {{"FilterEdit"}, GridBool("Filtered")},
            {{"FilterGridFilterTextEdit", Control}, GridBool("FilterGrid.Filtered")},
            {{Options, "FilterGridIncrementalListCheckBox"}, FilterList() || FilterForm()},
            {{Clauses, Periods, "FilterGridDecimalSeparatorCheckBox"}, FilterForm()},
            {{"FilterGridAddSelectedCheckBox"}, FilterList()},
            {{"FilterGridPeriod12CheckBox", "FilterGridPeriod13CheckBox",
              "FilterGridPeriod14CheckBox", "FilterGridPeriod15CheckBox"},
             FilterForm() && Period(1)},
            {{"FilterGridPeriod16CheckBox"}, FilterForm() && Period(2)},
            {{"FilterGridPeriod17CheckBox"}, FilterForm() && Period(3)},
            {{"FilterGridPeriod18CheckBox"}, FilterForm() && Period(4)},
            {{"FilterGridPeriod19CheckBox"}, FilterForm() && Period(5)},
            {{"FilterGridPeriod20CheckBox"}, FilterForm() && Period(6)},
            {{"FilterGridPeriod21CheckBox"}, FilterForm() && Period(7)},
            {{"FilterGridPeriod22CheckBox"}, FilterForm() && Period(8)},
            {{"FilterGridPeriod23CheckBox"}, FilterForm() && Period(9)},
        },
        // Overrides.
        KeepSwitchedPlace,
    };
    return table;
}

} // namespace

TFilterPropList::TFilterPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

// The "Totals" page: which total rows show, their boxes, and when the totals are worked out.

#include "gridpages.h"

namespace {

using namespace TFactory;

const char *const Rows = "TotalRowsGroupBox";
const char *const Boxes = "TotalBoxesGroupBox";
const char *const Updates = "TotalUpdatesGroupBox";

// SEL: rows can be selected (multi-select, or automatically selected columns).
TCond Selecting()
{
    return O(12) || OT(1);
}
// ACT: the total rows are shown.
TCond Active()
{
    return GridBool("Totals.Active");
}
TCond Calculating()
{
    return GridBool("Totals.CalcValues");
}
TCond AnyBox()
{
    return OX(6) || OX(7) || OX(8) || OX(9);
}
TCond NotThemed()
{
    return !GridOrd("DrawingStyle", 1);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "TotalsTabSheet",
        // Groups.
        {
            {Rows, OnSheet, " Total rows "},
            {Boxes, OnSheet, " Total boxes ", TPlace::NewColumn},
            {Updates, OnSheet, " Total updates ", TPlace::NewColumn},
        },
        // Rows.
        {
            {"BlankRowCheckBox", Rows, AddElemProp, "OptionsEx", Elem(0), "BlankRow"},
            {"TotalHeaderCheckBox", Rows, AddElemProp, "OptionsEx", Elem(1), "TotalHeader"},
            {"TotalValuesCheckBox", Rows, AddElemProp, "OptionsEx", Elem(2), "TotalValues"},
            {"TotalFieldsCheckBox", Rows, AddElemProp, "OptionsEx", Elem(3), "TotalFields"},
            {"TotalFooterCheckBox", Rows, AddElemProp, "OptionsEx", Elem(4), "TotalFooter"},
            {"TotalHeaderSelectedCheckBox", Rows, AddElemProp, "OptionsEx", Elem(23),
             "TotalHeaderSelected"},
            {"TotalValuesSelectedCheckBox", Rows, AddElemProp, "OptionsEx", Elem(24),
             "TotalValuesSelected"},
            {"TotalFooterSelectedCheckBox", Rows, AddElemProp, "OptionsEx", Elem(25),
             "TotalFooterSelected"},
            {"SelectedAutoHiddenCheckBox", Rows, AddElemProp, "OptionsEx", Elem(26),
             "SelectedAutoHidden"},
            {"TotalHeaderBoxCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(6), "TotalHeaderBox"},
            {"TotalValuesBoxCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(7), "TotalValuesBox"},
            {"TotalFieldsBoxCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(8), "TotalFieldsBox"},
            {"TotalFooterBoxCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(9), "TotalFooterBox"},
            {"TotalColLinesCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(5), "TotalColLines"},
            {"TotalDataBoxOnlyCheckBox", Boxes, AddElemProp, "OptionsEx", Elem(10),
             "TotalDataBoxOnly"},
            {"TotalBoxStyleComboBox", Boxes, AddEnumProp, "Totals.BoxStyle", NoArgs,
             "TotalBoxStyle"},
            {"TotalCalcValuesCheckBox", Updates, AddBoolProp, "Totals.CalcValues", NoArgs,
             "TotalCalcValues"},
            {"AutoUpdateTotalsCheckBox", Updates, AddElemProp, "OptionsEx", Elem(17),
             "AutoUpdateTotals"},
            {"DelayUpdateTotalsCheckBox", Updates, AddElemProp, "OptionsEx", Elem(18),
             "DelayUpdateTotals"},
            {"CalcInvisibleRowsCheckBox", Updates, AddElemProp, "OptionsEx", Elem(19),
             "CalcInvisibleRows"},
            {"CalcWholeDataSetCheckBox", Updates, AddElemProp, "OptionsEx", Elem(20),
             "CalcWholeDataSet"},
            {"CalcSelectedRowsCheckBox", Updates, AddElemProp, "OptionsEx", Elem(21),
             "CalcSelectedRows"},
            {"DelaySelectedRowsCheckBox", Updates, AddElemProp, "OptionsEx", Elem(22),
             "DelaySelectedRows"},
        },
        // Rules.
        {
            {{"TotalHeaderCheckBox"}, !(OX(26) && OX(23))},
            {{"TotalValuesCheckBox"}, !(OX(26) && OX(24))},
            {{"TotalFooterCheckBox"}, !(OX(26) && OX(25))},
            {{"TotalHeaderSelectedCheckBox", "TotalValuesSelectedCheckBox",
              "TotalFooterSelectedCheckBox"},
             Selecting()},
            {{"SelectedAutoHiddenCheckBox"}, OX(23) || OX(24) || OX(25)},
            {{"TotalHeaderBoxCheckBox"}, Active() && (OX(1) || OX(23))},
            {{"TotalValuesBoxCheckBox"}, Active() && (OX(2) || OX(24))},
            {{"TotalFieldsBoxCheckBox"}, Active() && OX(3)},
            {{"TotalFooterBoxCheckBox"}, Active() && (OX(4) || OX(25))},
            {{"TotalDataBoxOnlyCheckBox"}, Active() && AnyBox()},
            {{"TotalColLinesCheckBox"}, Active() && NotThemed() && O(5)},
            {{"TotalBoxStyleComboBox"}, Active() && NotThemed() && AnyBox()},
            {{"AutoUpdateTotalsCheckBox", "CalcInvisibleRowsCheckBox", "CalcWholeDataSetCheckBox"},
             Calculating()},
            {{"DelayUpdateTotalsCheckBox"}, Calculating() && OX(17)},
            {{"CalcSelectedRowsCheckBox"}, Calculating() && Selecting()},
            {{"DelaySelectedRowsCheckBox"}, Calculating() && Selecting() && OX(17)},
        },
    };
    return table;
}

} // namespace

TTotalsPropList::TTotalsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

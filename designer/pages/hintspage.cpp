// The "Hints" page: which hints and tool tips the grid shows, and its hint texts. The check
// boxes of the filter hints are made here and hidden by the root list.

#include "gridpages.h"

namespace {

using namespace TFactory;

const char *const Hints = "HintsControlGroupBox";
const char *const ToolTips = "ToolTipsControlGroupBox";
const char *const Texts = "HintsTextGroupBox";

// H[n]: the grid's HintOptions contain element n; SH: the grid shows hints.
TCond H(int Index)
{
    return GridElem("HintOptions", Index);
}
TCond ShowHint()
{
    return GridBool("ShowHint");
}
TCond Active()
{
    return GridBool("Totals.Active");
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "HintsTabSheet",
        // Groups.
        {
            {Hints, OnSheet, " Hints control "},
            {ToolTips, OnSheet, " ToolTips control ", TPlace::NewColumn},
            {Texts, OnSheet, " Hints text "},
        },
        // Rows.
        {
            {"ShowHintCheckBox", Hints, AddBoolProp, "ShowHint"},
            {"ParentShowHintCheckBox", Hints, AddBoolProp, "ParentShowHint", NoArgs, nullptr,
             TPlace::Beside},
            {Hints, OnSheet, AddNoneProp, "HintOptions"},
            {"DataHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(7), "DataHints"},
            {"EditorHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(2), "EditorHints"},
            {"TitleHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(0), "TitleHints"},
            {"TotalHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(10), "TotalHints"},
            {"FilterHintsCheckBox", Hints, Unbound, nullptr, NoArgs, "FilterHints"},
            {"ShowDataHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(8), "ShowDataHints",
             TPlace::NewColumn},
            {"ShowEditorHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(3),
             "ShowEditorHints"},
            {"ShowTitleHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(1),
             "ShowTitleHints"},
            {"ShowTotalHintsCheckBox", Hints, AddElemProp, "HintOptions", Elem(11),
             "ShowTotalHints"},
            {"ShowFilterHintsCheckBox", Hints, Unbound, nullptr, NoArgs, "ShowFilterHints"},
            {ToolTips, OnSheet, AddNoneProp, "HintOptions"},
            {"ShowToolTipsCheckBox", ToolTips, AddElemProp, "HintOptions", Elem(4), "ShowToolTips"},
            {"KeepShowToolTipsCheckBox", ToolTips, AddElemProp, "HintOptions", Elem(5),
             "KeepShowToolTips"},
            {"AlwaysShowToolTipsCheckBox", ToolTips, AddElemProp, "HintOptions", Elem(6),
             "AlwaysShowToolTips"},
            {"ShowTotalToolTipsCheckBox", ToolTips, AddElemProp, "HintOptions", Elem(12),
             "ShowTotalToolTips"},
            {"HintEdit", Texts, AddTextProp, "Hint"},
            {"FillerHintEdit", Texts, AddTextProp, "FillerHint"},
            {"IndicatorHintEdit", Texts, AddTextProp, "IndicatorHint"},
        },
        // Rules.
        {
            {{"DataHintsCheckBox"}, ShowHint() && !H(4)},
            {{"EditorHintsCheckBox"}, O(0) && ShowHint()},
            {{"TitleHintsCheckBox"}, O(2) && ShowHint()},
            {{"TotalHintsCheckBox"}, Active() && ShowHint() && !H(12)},
            {{"ShowDataHintsCheckBox"}, ShowHint() && !H(4) && H(7)},
            {{"ShowEditorHintsCheckBox"}, O(0) && ShowHint() && H(2)},
            {{"ShowTitleHintsCheckBox"}, O(2) && ShowHint() && H(0)},
            {{"ShowTotalHintsCheckBox"}, Active() && ShowHint() && H(10) && !H(12)},
            {{"ShowToolTipsCheckBox", "HintEdit"}, ShowHint()},
            {{"ShowTotalToolTipsCheckBox"}, Active() && ShowHint()},
            {{"KeepShowToolTipsCheckBox", "AlwaysShowToolTipsCheckBox"},
             ShowHint() && (H(4) || (H(12) && Active()))},
            {{"FillerHintEdit"}, O(3) && ShowHint() && O(2)},
            {{"IndicatorHintEdit"}, O(3) && ShowHint()},
        },
    };
    return table;
}

} // namespace

THintsPropList::THintsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

// The "Control 2" page: mouse, list items, stretching, sorting and the sort markers.

#include "gridpages.h"

namespace {

using namespace TFactory;

const char *const Mouse = "MouseControlGroupBox";
const char *const Lists = "ListControlGroupBox";
const char *const Stretching = "StretchingControlGroupBox";
const char *const Sorting = "SortingControlGroupBox";
const char *const Markers = "SortingMarkersGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "Control2TabSheet",
        // Groups.
        {
            {Mouse, OnSheet, " Mouse control "},
            {Lists, OnSheet, " List control "},
            {Stretching, OnSheet, " Stretching control "},
            {Sorting, OnSheet, " Sorting control ", TPlace::NewColumn},
            {Markers, OnSheet, " Sorting markers "},
        },
        // Rows.
        {
            {"MouseScrollingCheckBox", Mouse, AddElemProp, "OptionsExt", Elem(6), "MouseScrolling"},
            {"MouseTrackingCheckBox", Mouse, AddElemProp, "OptionsExt", Elem(7), "MouseTracking"},
            {"WheelScrollRowsEdit", Mouse, AddValueProp, "WheelScrollRows", Range(-1, 32767)},
            {"AutoUpdateListItemsCheckBox", Lists, AddElemProp, "OptionsExt", Elem(3),
             "AutoUpdateListItems"},
            {"DelayUpdateListItemsCheckBox", Lists, AddElemProp, "OptionsExt", Elem(4),
             "DelayUpdateListItems"},
            {"IncrementalListSearchCheckBox", Lists, AddElemProp, "OptionsExt", Elem(17),
             "IncrementalListSearch"},
            {"StretchModeCheckBox", Stretching, AddBoolProp, "StretchMode"},
            {"StretchWidthMinEdit", Stretching, AddValueProp, "StretchWidthMin", Range(-1, 32767)},
            {"StretchWidthMaxEdit", Stretching, AddValueProp, "StretchWidthMax", Range(-1, 32767)},
            {"LoadCurrentOrderCheckBox", Sorting, AddElemProp, "OptionsEx", Elem(11),
             "LoadCurrentOrder"},
            {"AutoUpdateOrderCheckBox", Sorting, AddElemProp, "OptionsEx", Elem(12),
             "AutoUpdateOrder"},
            {"AutoKeepSelectionCheckBox", Sorting, AddElemProp, "OptionsEx", Elem(14),
             "AutoKeepSelection"},
            {"AutoAscendOrderCheckBox", Sorting, AddElemProp, "OptionsEx", Elem(13),
             "AutoAscendOrder"},
            {"MarkerAscendOnlyCheckBox", Sorting, AddElemProp, "Options", Elem(28),
             "MarkerAscendOnly"},
            {"OrderFieldsComboBox", Sorting, AddFieldNameProp, "OrderFields"},
            {"DetailFieldsComboBox", Sorting, AddFieldNameProp, "DetailFields"},
            {"KeyFieldsComboBox", Sorting, AddFieldNameProp, "KeyFields"},
            {"MarkerAutoToggleCheckBox", Markers, AddElemProp, "Options", Elem(27),
             "MarkerAutoToggle"},
            {"MarkerAutoSwitchCheckBox", Markers, AddElemProp, "Options", Elem(26),
             "MarkerAutoSwitch"},
            {"MarkerAutoAlignCheckBox", Markers, AddElemProp, "Options", Elem(25),
             "MarkerAutoAlign"},
            {"MarkerClearAllowedCheckBox", Markers, AddElemProp, "OptionsExt", Elem(8),
             "MarkerClearAllowed"},
            {"MarkerStyleComboBox", Markers, AddEnumProp, "MarkerStyle"},
            {"MarkerTransparentComboBox", Markers, AddEnumProp, "MarkerTransparent"},
        },
        // Rules.
        {
            {{"DelayUpdateListItemsCheckBox"}, OT(3)},
            {{"StretchWidthMinEdit", "StretchWidthMaxEdit"}, GridBool("StretchMode")},
            {{"AutoAscendOrderCheckBox"}, OX(12)},
            {{"MarkerAscendOnlyCheckBox"}, O(27) && O(2) && !(OX(12) && OX(13))},
            {{"MarkerAutoToggleCheckBox", "MarkerAutoAlignCheckBox", "MarkerStyleComboBox",
              "MarkerTransparentComboBox"},
             O(2)},
            {{"MarkerAutoSwitchCheckBox", "MarkerClearAllowedCheckBox"}, O(27) && O(2)},
        },
    };
    return table;
}

} // namespace

TControl2PropList::TControl2PropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

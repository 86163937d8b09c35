// The "Editor" page: automatic editing, the check-box and expand-box settings (one group at a
// time, chosen by a switch), the editor's button, the calendar, and the drop-down and
// multi-select lists (one group at a time, chosen by a second switch).

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const AutoEdit = "ColumnAutoEditGroupBox";
const char *const CheckBoxes = "ColumnCheckBoxGroupBox";
const char *const ExpandBoxes = "ColumnExpandBoxGroupBox";
const char *const ButtonGroup = "ColumnButtonGroupBox";
const char *const Calendar = "ColumnCalendarGroupBox";
const char *const DropDown = "ColumnDropDownGroupBox";
const char *const MultiSelect = "ColumnMultiSelectGroupBox";

TCond B(int Ordinal)
{
    return ColumnRules::Button(Ordinal);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnEditorTabSheet",
        // Groups.
        {
            {AutoEdit, OnSheet, " AutoEdit "},
            {CheckBoxes, OnSheet, "      CheckBoxes / ExpandBoxes "},
            {ExpandBoxes, OnSheet, "      ExpandBoxes / CheckBoxes ", TPlace::Same},
            {ButtonGroup, OnSheet, " Button "},
            {Calendar, OnSheet, " Calendar ", TPlace::NewColumn},
            {DropDown, OnSheet, "      DropDown / MultiSelect "},
            {MultiSelect, OnSheet, "      MultiSelect / DropDown ", TPlace::Same},
        },
        // Rows.
        {
            {"ColumnAutoNumberCheckBox", AutoEdit, AddBoolProp, "AutoNumber"},
            {"ColumnAutoCompleteCheckBox", AutoEdit, AddElemProp, "ListOptions", Elem(0),
             "AutoComplete", TPlace::Beside},
            {"ColumnExpandGrpCheckBox", OnSheet, AddSwitchProp, "Boxes",
             Switch(CheckBoxes, ExpandBoxes, true,
                    "Switch between \"CheckBoxes\" group and \"ExpandBoxes\" group."),
             NoCaption},
            {"ColumnCheckBoxCheckBox", CheckBoxes, AddBoolProp, "CheckBox"},
            {"ColumnCheckBoxThemedCheckBox", CheckBoxes, AddBoolProp, "CheckBoxThemed", NoArgs,
             nullptr, TPlace::Beside},
            {"ColumnCheckBoxStyleComboBox", CheckBoxes, AddEnumProp, "CheckBoxStyle"},
            {"ColumnCheckBoxToggleComboBox", CheckBoxes, AddEnumProp, "CheckBoxToggle"},
            {"ColumnCheckBoxKindComboBox", CheckBoxes, AddEnumProp, "CheckBoxKind"},
            {"ColumnCheckBoxValuesEdit", CheckBoxes, AddTextProp, "CheckBoxValues"},
            {"ColumnExpandBoxCheckBox", ExpandBoxes, AddBoolProp, "ExpandBox"},
            {"ColumnExpandBoxTreeCheckBox", ExpandBoxes, AddBoolProp, "ExpandBoxTree", NoArgs,
             nullptr, TPlace::Beside},
            {"ColumnExpandBoxThemedCheckBox", ExpandBoxes, AddBoolProp, "ExpandBoxThemed"},
            {"ColumnExpandBoxSizeComboBox", ExpandBoxes, AddEnumProp, "ExpandBoxSize"},
            {"ColumnExpandBoxToggleComboBox", ExpandBoxes, AddEnumProp, "ExpandBoxToggle"},
            {"ColumnButtonStyleComboBox", ButtonGroup, AddEnumProp, "ButtonStyle"},
            {Calendar, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnShowTodayCheckBox", Calendar, AddElemProp, "ListOptions", Elem(5), "ShowToday"},
            {"ColumnShowTodayCircleCheckBox", Calendar, AddElemProp, "ListOptions", Elem(6),
             "ShowTodayCircle", TPlace::Beside},
            {"ColumnShowWeekNumbersCheckBox", Calendar, AddElemProp, "ListOptions", Elem(7),
             "ShowWeekNumbers"},
            {"ColumnAutoTodayCloseCheckBox", Calendar, AddElemProp, "ListOptions", Elem(8),
             "AutoTodayClose", TPlace::Beside},
            {"ColumnBoldSundaysCheckBox", Calendar, AddElemProp, "ListOptions", Elem(9),
             "BoldSundays"},
            {"ColumnMultiSelectCheckBox", OnSheet, AddSwitchProp, "Lists",
             Switch(DropDown, MultiSelect, true,
                    "Switch between \"DropDown\" group and \"MultiSelect\" group."),
             NoCaption},
            {DropDown, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnAutoDropDownCheckBox", DropDown, AddElemProp, "ListOptions", Elem(1),
             "AutoDropDown"},
            {"ColumnAutoCloseEditorCheckBox", DropDown, AddElemProp, "ListOptions", Elem(2),
             "AutoCloseEditor", TPlace::Beside},
            {"ColumnSelectNextValueCheckBox", DropDown, AddElemProp, "ListOptions", Elem(3),
             "SelectNextValue"},
            {"ColumnAllowClearValueCheckBox", DropDown, AddElemProp, "ListOptions", Elem(4),
             "AllowClearValue", TPlace::Beside},
            {"ColumnDropDownRowsEdit", DropDown, AddValueProp, "DropDownRows",
             Range(-32768, 32767)},
            {"ColumnDropDownWidthEdit", DropDown, AddValueProp, "DropDownWidth",
             Range(-32768, 32767), nullptr, TPlace::Beside},
            {MultiSelect, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnMultiSelectListCheckBox", MultiSelect, AddElemProp, "ListOptions", Elem(18),
             "MultiSelectList"},
            {"ColumnAutoApplyListCheckBox", MultiSelect, AddElemProp, "ListOptions", Elem(19),
             "AutoApplyList", TPlace::Beside},
            {"ColumnMultiActiveListCheckBox", MultiSelect, AddBoolProp, "MultiSelectList", NoArgs,
             "MultiSelectListActive"},
            {"ColumnMultiSelectTextComboBox", MultiSelect, AddEnumProp, "MultiSelectText"},
            {"ColumnDelimiterLineCheckBox", MultiSelect, AddBoolProp, "DelimiterLine"},
            {"ColumnDelimiterCharEdit", MultiSelect, AddCharProp, "DelimiterChar", NoArgs, nullptr,
             TPlace::Beside},
        },
        // Rules.
        {
            {{"ColumnAutoNumberCheckBox"}, !Bool("CheckBox") && !Bool("ExpandBox")},
            {{"ColumnAutoCompleteCheckBox"}, Edit() && B(0)},
            {{"ColumnCheckBoxThemedCheckBox", "ColumnCheckBoxStyleComboBox",
              "ColumnCheckBoxToggleComboBox", "ColumnCheckBoxKindComboBox",
              "ColumnCheckBoxValuesEdit"},
             Bool("CheckBox")},
            {{"ColumnExpandBoxThemedCheckBox", "ColumnExpandBoxSizeComboBox",
              "ColumnExpandBoxToggleComboBox"},
             Bool("ExpandBox")},
            {{"ColumnButtonStyleComboBox"}, Edit()},
            {{Calendar}, Edit() && B(5)},
            {{"ColumnShowTodayCircleCheckBox", "ColumnAutoTodayCloseCheckBox"},
             Edit() && B(5) && ListOption(5)},
            {{DropDown}, Edit()},
            {{"ColumnAutoDropDownCheckBox"}, Edit() && !B(2)},
            {{"ColumnAutoCloseEditorCheckBox"}, Edit() && (B(0) || B(5) || B(6))},
            {{"ColumnSelectNextValueCheckBox", "ColumnAllowClearValueCheckBox",
              "ColumnDropDownRowsEdit", "ColumnDropDownWidthEdit"},
             Edit() && B(0)},
            {{MultiSelect}, Edit()},
            {{"ColumnMultiSelectListCheckBox"}, Edit() && B(0)},
            {{"ColumnMultiActiveListCheckBox", "ColumnMultiSelectTextComboBox",
              "ColumnAutoApplyListCheckBox", "ColumnDelimiterLineCheckBox",
              "ColumnDelimiterCharEdit"},
             Edit() && B(0) && ListOption(18)},
        },
    };
    return table;
}

} // namespace

TColumnEditorPropList::TColumnEditorPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

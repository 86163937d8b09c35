// The "Lookup" page: the drop-down list of a lookup column (fields, titles, widths, list options)
// and the lookup column itself (its kind, data set and key, parent, result and tree-view fields).

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const LookupList = "ColumnLookupListGroupBox";
const char *const LookupColumnGroup = "ColumnLookupColumnGroupBox";

const TPageTable &PageTable()
{
    // LDS: the column has a lookup data set; LC: the column is a lookup column.
    static const TCond LDS = LookupDataSet();
    static const TCond LC = LookupColumn();
    static const TPageTable table{
        "ColumnLookupTabSheet",
        // Groups.
        {
            {LookupList, OnSheet, " LookupList "},
            {LookupColumnGroup, OnSheet, " LookupColumn ", TPlace::NewColumn},
        },
        // Rows.
        {
            {LookupList, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnLookupListFieldsComboBox", LookupList, AddKorColumnLookupFieldNameProp,
             "LookupListFields"},
            {"ColumnLookupListTitlesEdit", LookupList, AddTextProp, "LookupListTitles"},
            {"ColumnLookupListWidthsEdit", LookupList, AddTextProp, "LookupListWidths"},
            {"ColumnShowLookupListTitlesCheckBox", LookupList, AddElemProp, "ListOptions", Elem(11),
             "ShowLookupListTitles"},
            {"ColumnAllowChangeOrderCheckBox", LookupList, AddElemProp, "ListOptions", Elem(13),
             "AllowChangeOrder"},
            {"ColumnAllowColumnResizeCheckBox", LookupList, AddElemProp, "ListOptions", Elem(14),
             "AllowColumnResize", TPlace::Beside},
            {"ColumnAllowColumnMovingCheckBox", LookupList, AddElemProp, "ListOptions", Elem(15),
             "AllowColumnMoving"},
            {"ColumnExpandFirstColumnCheckBox", LookupList, AddElemProp, "ListOptions", Elem(16),
             "ExpandFirstColumn", TPlace::Beside},
            {"ColumnFirstColumnExpandedCheckBox", LookupList, AddElemProp, "ListOptions", Elem(17),
             "FirstColumnExpanded"},
            {LookupColumnGroup, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnLookupColumnComboBox", LookupColumnGroup, AddEnumProp, "LookupColumn"},
            {"ColumnLookupDataSetComboBox", LookupColumnGroup, AddLinkProp, "LookupDataSet"},
            {"ColumnKeyFieldComboBox", LookupColumnGroup, AddKorColumnFieldNameProp, "KeyField"},
            {"ColumnLookupKeyFieldComboBox", LookupColumnGroup, AddKorColumnLookupFieldNameProp,
             "LookupKeyField"},
            {"ColumnLookupParentFieldComboBox", LookupColumnGroup, AddKorColumnLookupFieldNameProp,
             "LookupParentField"},
            {"ColumnLookupResultFieldComboBox", LookupColumnGroup, AddKorColumnLookupFieldNameProp,
             "LookupResultField"},
            {"ColumnLookupTreeViewFieldComboBox", LookupColumnGroup,
             AddKorColumnLookupFieldNameProp, "LookupTreeViewField"},
            {"ColumnAllowAdjustOrderCheckBox", LookupColumnGroup, AddElemProp, "ListOptions",
             Elem(12), "AllowAdjustOrder"},
            {"ColumnDropDownList1CheckBox", LookupColumnGroup, AddElemProp, "PickOptions", Elem(0),
             "DropDownList", TPlace::Beside},
            {"ColumnReadOnly1CheckBox", LookupColumnGroup, AddBoolProp, "ReadOnly"},
            {"ColumnTreeViewCellExpandCheckBox", LookupColumnGroup, AddElemProp, "ListOptions",
             Elem(20), "TreeViewCellExpand", TPlace::Beside},
        },
        // Rules.
        {
            {{LookupList}, Edit() && LDS},
            {{"ColumnAllowChangeOrderCheckBox", "ColumnAllowColumnResizeCheckBox",
              "ColumnAllowColumnMovingCheckBox", "ColumnExpandFirstColumnCheckBox"},
             Edit() && LDS && ListOption(11)},
            {{"ColumnFirstColumnExpandedCheckBox"},
             Edit() && LDS && ListOption(11) && ListOption(16)},
            {{LookupColumnGroup}, Text()},
            {{"ColumnKeyFieldComboBox", "ColumnLookupKeyFieldComboBox",
              "ColumnLookupParentFieldComboBox", "ColumnLookupResultFieldComboBox",
              "ColumnLookupTreeViewFieldComboBox"},
             Text() && LDS},
            {{"ColumnAllowAdjustOrderCheckBox", "ColumnDropDownList1CheckBox",
              "ColumnReadOnly1CheckBox"},
             Edit() && LC},
        },
    };
    return table;
}

} // namespace

TColumnLookupPropList::TColumnLookupPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

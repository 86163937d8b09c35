// The "ToolMenu" page: the items of the grid's tool menu and their sub-items.

#include "gridpages.h"

namespace {

using namespace TFactory;

TCond MenuItem(int Index)
{
    return GridElem("ToolMenuItems", Index);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ToolMenuTabSheet",
        // Groups.
        {
            {"ItemsGroupBox", OnSheet, " ToolMenu Items "},
            {"SubItemsExGroupBox", OnSheet, " Settings (SubItemsEx) "},
            {"SubItemsGroupBox", OnSheet, " Columns (SubItems) ", TPlace::NewColumn},
        },
        // Rows. The SubItemsEx check boxes are bound in the order they are shown, which is not
        // element order: the two "Erase" elements (4 and 7) come last.
        {
            {"ItemsGroupBox", OnSheet, AddNoneProp, "ToolMenuItems"},
            {"ItemsOpenCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(0), "Open"},
            {"ItemsRefreshCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(1),
             "Refresh"},
            {"ItemsShowColumnsCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(2),
             "ShowColumns"},
            {"ItemsColumnsCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(3),
             "Columns"},
            {"ItemsShowAutoFilterCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(4),
             "ShowAutoFilter"},
            {"ItemsAutoFilterCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(5),
             "AutoFilter"},
            {"ItemsShowMultiSelectCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(6),
             "ShowMultiSelect"},
            {"ItemsMultiSelectCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(7),
             "MultiSelect", TPlace::NewColumn},
            {"ItemsSelectedRowCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(8),
             "SelectedRow"},
            {"ItemsStripedRowsCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(9),
             "StripedRows"},
            {"ItemsTreeViewCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(10),
             "TreeView"},
            {"ItemsSettingsCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(11),
             "Settings"},
            {"ItemsCloseCheckBox", "ItemsGroupBox", AddElemProp, "ToolMenuItems", Elem(12),
             "Close"},
            {"SubItemsGroupBox", OnSheet, AddNoneProp, "ToolMenuSubItems"},
            {"SubItemsColumnsShowCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(0), "Show"},
            {"SubItemsColumnsStretchCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(1), "Stretch"},
            {"SubItemsColumnsDefaultWidthCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(2), "DefaultWidth"},
            {"SubItemsColumnsOptimalWidthCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(3), "OptimalWidth"},
            {"SubItemsColumnsIncludeTitlesCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(4), "IncludeTitles"},
            {"SubItemsColumnsIncludeButtonsCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(5), "IncludeButtons"},
            {"SubItemsColumnsLoadCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(6), "Load"},
            {"SubItemsColumnsSaveCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(7), "Save"},
            {"SubItemsColumnsLoadFromFileCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(8), "LoadFromFile"},
            {"SubItemsColumnsSaveToFileCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(9), "SaveToFile"},
            {"SubItemsAutoFilterActiveCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(10), "Active", TPlace::NewColumn},
            {"SubItemsAutoFilterFilteredCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(11), "Filtered"},
            {"SubItemsAutoFilterClearCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(12), "Clear"},
            {"SubItemsAutoFilterLoadCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(13), "Load"},
            {"SubItemsAutoFilterSaveCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(14), "Save"},
            {"SubItemsAutoFilterLoadFromFileCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(15), "LoadFromFile"},
            {"SubItemsAutoFilterSaveToFileCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(16), "SaveToFile"},
            {"SubItemsMultiSelectActiveCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(17), "Active", TPlace::NewColumn},
            {"SubItemsMultiSelectRowsCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(18), "Rows"},
            {"SubItemsMultiSelectColsCheckBox", "SubItemsGroupBox", AddElemProp, "ToolMenuSubItems",
             Elem(19), "Cols"},
            {"SubItemsMultiSelectCellsCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(20), "Cells"},
            {"SubItemsMultiSelectFixedCheckBox", "SubItemsGroupBox", AddElemProp,
             "ToolMenuSubItems", Elem(21), "Fixed"},
            {"SubItemsExGroupBox", OnSheet, AddNoneProp, "ToolMenuSubItemsEx"},
            {"SubItemsExLoadLayoutCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(0), "LoadLayout"},
            {"SubItemsExSaveLayoutCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(1), "SaveLayout"},
            {"SubItemsExLoadCheckBox", "SubItemsExGroupBox", AddElemProp, "ToolMenuSubItemsEx",
             Elem(2), "Load"},
            {"SubItemsExSaveCheckBox", "SubItemsExGroupBox", AddElemProp, "ToolMenuSubItemsEx",
             Elem(3), "Save"},
            {"SubItemsExLoadFromFileCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(5), "LoadFromFile"},
            {"SubItemsExSaveToFileCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(6), "SaveToFile", TPlace::NewColumn},
            {"SubItemsExLoadFromRegistryCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(8), "LoadFromRegistry"},
            {"SubItemsExSaveToRegistryCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(9), "SaveToRegistry"},
            {"SubItemsExEraseFromFileCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(4), "EraseFromFile"},
            {"SubItemsExEraseFromRegistryCheckBox", "SubItemsExGroupBox", AddElemProp,
             "ToolMenuSubItemsEx", Elem(7), "EraseFromRegistry"},
        },
        // Rules.
        {
            {{"SubItemsColumnsShowCheckBox", "SubItemsColumnsStretchCheckBox",
              "SubItemsColumnsDefaultWidthCheckBox", "SubItemsColumnsOptimalWidthCheckBox",
              "SubItemsColumnsIncludeTitlesCheckBox", "SubItemsColumnsIncludeButtonsCheckBox",
              "SubItemsColumnsLoadCheckBox", "SubItemsColumnsSaveCheckBox",
              "SubItemsColumnsLoadFromFileCheckBox", "SubItemsColumnsSaveToFileCheckBox"},
             MenuItem(3)},
            {{"SubItemsAutoFilterActiveCheckBox", "SubItemsAutoFilterFilteredCheckBox",
              "SubItemsAutoFilterClearCheckBox", "SubItemsAutoFilterLoadCheckBox",
              "SubItemsAutoFilterSaveCheckBox", "SubItemsAutoFilterLoadFromFileCheckBox",
              "SubItemsAutoFilterSaveToFileCheckBox"},
             MenuItem(5)},
            {{"SubItemsMultiSelectActiveCheckBox", "SubItemsMultiSelectRowsCheckBox",
              "SubItemsMultiSelectColsCheckBox", "SubItemsMultiSelectCellsCheckBox",
              "SubItemsMultiSelectFixedCheckBox"},
             MenuItem(7)},
            {{"SubItemsExLoadLayoutCheckBox", "SubItemsExSaveLayoutCheckBox"},
             MenuItem(11) && GridBool("Settings.Active")},
            {{"SubItemsExLoadCheckBox", "SubItemsExSaveCheckBox", "SubItemsExLoadFromFileCheckBox",
              "SubItemsExSaveToFileCheckBox", "SubItemsExLoadFromRegistryCheckBox",
              "SubItemsExSaveToRegistryCheckBox", "SubItemsExEraseFromFileCheckBox",
              "SubItemsExEraseFromRegistryCheckBox"},
             MenuItem(11)},
        },
    };
    return table;
}

} // namespace

TToolMenuPropList::TToolMenuPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

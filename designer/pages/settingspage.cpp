// The "Settings" page: identity, focus and filler, cursors and dragging, the stored settings and
// help.

#include "gridpages.h"

namespace {

using namespace TFactory;

const TPageTable &PageTable()
{
    static const TPageTable table{
        "SettingsTabSheet",
        // Groups.
        {
            {"IdentGroupBox", OnSheet, " Ident "},
            {"FocusGroupBox", OnSheet, " Focus, Filler "},
            {"CursorGroupBox", OnSheet, " Cursor, Drag && Drop "},
            {"SettingsGroupBox", OnSheet, " Settings ", TPlace::NewColumn},
            {"SettingsScrollBox", "SettingsGroupBox", nullptr, TPlace::Below,
             TGroupKind::ScrollBox},
            {"HelpGroupBox", OnSheet, " Help "},
        },
        // Rows.
        {
            {"NameEdit", "IdentGroupBox", AddTextProp, "Name"},
            {"TagEdit", "IdentGroupBox", AddValueProp, "Tag", Range(-32768, 32767)},
            {"FocusRectComboBox", "FocusGroupBox", AddEnumProp, "FocusRect"},
            {"FillerIndexComboBox", "FocusGroupBox", AddKorDBGridImageIndexProp, "FillerIndex"},
            {"CursorComboBox", "CursorGroupBox", AddCursProp, "Cursor"},
            {"DragCursorComboBox", "CursorGroupBox", AddCursProp, "DragCursor"},
            {"DragKindComboBox", "CursorGroupBox", AddEnumProp, "DragKind"},
            {"DragModeComboBox", "CursorGroupBox", AddEnumProp, "DragMode"},
            {"DragRowsCheckBox", "CursorGroupBox", AddBoolProp, "DragRows"},
            {"SettingsGroupBox", OnSheet, AddNoneProp, "Settings"},
            {"SettingsActiveCheckBox", "SettingsGroupBox", AddBoolProp, "Settings.Active"},
            {"SettingsIniFileCheckBox", "SettingsGroupBox", AddBoolProp, "Settings.IniFile", NoArgs,
             nullptr, TPlace::Beside},
            {"SettingsExeNameCheckBox", "SettingsGroupBox", AddBoolProp, "Settings.ExeName", NoArgs,
             nullptr, TPlace::Beside},
            {"SettingsFileNameEdit", "SettingsGroupBox", AddTextProp, "Settings.FileName"},
            {"SettingsSectionEdit", "SettingsGroupBox", AddTextProp, "Settings.Section"},
            {"SettingsLoadLayoutCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(0), "LoadLayout"},
            {"SettingsSaveLayoutCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(1), "SaveLayout"},
            {"SettingsUserSettingsCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(2), "UserSettings"},
            {"SettingsStretchModeCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(3), "StretchMode"},
            {"SettingsOrderFieldsCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(4), "OrderFields"},
            {"SettingsLinesCountCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(5), "LinesCount"},
            {"SettingsMultiSelectCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(6), "MultiSelect", TPlace::NewColumn},
            {"SettingsSelectedRowCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(7), "SelectedRow"},
            {"SettingsStripedRowsCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(8), "StripedRows"},
            {"SettingsAutoFilterCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(9), "AutoFilter"},
            {"SettingsFilteredCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(10), "Filtered"},
            {"SettingsFiltersCheckBox", "SettingsScrollBox", AddElemProp, "Settings.Options",
             Elem(11), "Filters"},
            {"HelpTypeComboBox", "HelpGroupBox", AddEnumProp, "HelpType"},
            {"HelpContextEdit", "HelpGroupBox", AddValueProp, "HelpContext", Range(-32768, 32767)},
            {"HelpKeywordEdit", "HelpGroupBox", AddTextProp, "HelpKeyword"},
        },
        // Rules.
        {
            {{"FillerIndexComboBox"}, O(2) && O(3)},
            {{"DragCursorComboBox", "DragModeComboBox", "DragRowsCheckBox"},
             GridOrd("DragKind", 0)},
            {{"SettingsIniFileCheckBox", "SettingsFileNameEdit", "SettingsSectionEdit",
              "SettingsLoadLayoutCheckBox", "SettingsSaveLayoutCheckBox",
              "SettingsUserSettingsCheckBox", "SettingsStretchModeCheckBox",
              "SettingsOrderFieldsCheckBox", "SettingsLinesCountCheckBox",
              "SettingsMultiSelectCheckBox", "SettingsSelectedRowCheckBox",
              "SettingsStripedRowsCheckBox", "SettingsAutoFilterCheckBox",
              "SettingsFilteredCheckBox", "SettingsFiltersCheckBox"},
             GridBool("Settings.Active")},
            {{"SettingsExeNameCheckBox"},
             GridBool("Settings.Active") && !GridBool("Settings.IniFile")},
            {{"HelpContextEdit"}, GridOrd("HelpType", 1)},
            {{"HelpKeywordEdit"}, !GridOrd("HelpType", 1)},
        },
    };
    return table;
}

} // namespace

TSettingsPropList::TSettingsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

// The "Search" page: the grid's search panel and its options, and the tree view of the rows.

#include "gridpages.h"

#include "controls/checkbox.h"
#include "grid.h"
#include "gridparts.h"

namespace {

using namespace TFactory;

const char *const Search = "SearchControlGroupBox";
const char *const Options = "SearchOptionsGroupBox";
const char *const Visible = "VisibleOptionsGroupBox";
const char *const TreeView = "TreeViewControlGroupBox";

TKorDBGridSearch *searchOf(QObject *Grid)
{
    return qobject_cast<TKorCustomDBGrid *>(Grid)->Search();
}

// The run-time defaults that the colour boxes offer as their default entry.
TColor SearchColor(QObject *Grid)
{
    return searchOf(Grid)->DefaultColor();
}
TColor SearchPanelColor(QObject *Grid)
{
    return searchOf(Grid)->DefaultPanelColor();
}

// The visible option "SkipMessage" is made but never shown, so its item is never loaded.
void HideVisibleSkipMessage(TPageTableList &Page)
{
    Page.PageControl<TCheckBox>(QStringLiteral("VisibleSkipMessageCheckBox"))->setVisible(false);
}

// The tree view needs key fields and parent fields.
TCond TreeViewPossible()
{
    return GridNotEmpty("KeyFields") && GridNotEmpty("TreeView.ParentFields");
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "SearchTabSheet",
        // Groups.
        {
            {Search, OnSheet, " Search control "},
            {Options, OnSheet, " Search options ", TPlace::NewColumn},
            {Visible, OnSheet, " Visible options "},
            {TreeView, OnSheet, " TreeView control ", TPlace::NewColumn},
        },
        // Rows.
        {
            {Search, OnSheet, AddNoneProp, "Search"},
            {"SearchActiveCheckBox", Search, AddBoolProp, "Search.Active"},
            {"SearchIncrementalCheckBox", Search, AddBoolProp, "Search.Incremental"},
            {"SearchPanelVisibleCheckBox", Search, AddBoolProp, "Search.PanelVisible"},
            {"SearchPanelOnTopCheckBox", Search, AddBoolProp, "Search.PanelOnTop"},
            {"SearchListWidthEdit", Search, AddValueProp, "Search.ListWidth", Range(-32768, 32767),
             "SearchListWidth"},
            {"SearchTextEdit", Search, AddTextProp, "Search.Text", NoArgs, "SearchText"},
            {"SearchColorColorBox", Search, AddColorProp, "Search.Color",
             RuntimeColors(SearchColor, clWhite), "SearchTextColor"},
            {"SearchPanelColorColorBox", Search, AddColorProp, "Search.PanelColor",
             RuntimeColors(SearchPanelColor, clNone), "SearchPanelColor"},
            {Options, OnSheet, AddNoneProp, "Search.Options"},
            {"SearchCaseSensitiveCheckBox", Options, AddElemProp, "Search.Options", Elem(0),
             "CaseSensitive"},
            {"SearchWholeWordsCheckBox", Options, AddElemProp, "Search.Options", Elem(1),
             "WholeWords"},
            {"SearchWrapAroundCheckBox", Options, AddElemProp, "Search.Options", Elem(2),
             "WrapAround"},
            {"SearchSkipMessageCheckBox", Options, AddElemProp, "Search.Options", Elem(3),
             "SkipMessage"},
            {"SearchCurrentColCheckBox", Options, AddElemProp, "Search.Options", Elem(4),
             "CurrentColumn"},
            {"SearchFilterRowsCheckBox", Options, AddElemProp, "Search.Options", Elem(5),
             "FilterRows"},
            {Visible, OnSheet, AddNoneProp, "Search.VisibleOptions"},
            {"VisibleCaseSensitiveCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(0),
             "CaseSensitive"},
            {"VisibleWholeWordsCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(1),
             "WholeWords"},
            {"VisibleWrapAroundCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(2),
             "WrapAround"},
            {"VisibleSkipMessageCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(3),
             "SkipMessage"},
            {"VisibleCurrentColCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(4),
             "CurrentColumn"},
            {"VisibleFilterRowsCheckBox", Visible, AddElemProp, "Search.VisibleOptions", Elem(5),
             "FilterRows"},
            {TreeView, OnSheet, AddNoneProp, "TreeView"},
            {"TreeViewAutoActiveCheckBox", TreeView, AddBoolProp, "TreeView.AutoActive"},
            {"TreeViewAutoUpdateCheckBox", TreeView, AddBoolProp, "TreeView.AutoUpdate"},
            {"TreeViewCellExpandCheckBox", TreeView, AddBoolProp, "TreeView.CellExpand"},
            {"TreeViewOpenToLevelEdit", TreeView, AddValueProp, "TreeView.OpenToLevel",
             Range(-1, 32767)},
            {"TreeViewColumnNamesComboBox", TreeView, AddFieldNameProp, "TreeView.ColumnNames"},
            {"TreeViewKeyFieldsComboBox", TreeView, AddFieldNameProp, "KeyFields"},
            {"TreeViewParentFieldsComboBox", TreeView, AddFieldNameProp, "TreeView.ParentFields"},
        },
        // Rules.
        {
            {{"SearchIncrementalCheckBox", "SearchPanelVisibleCheckBox", "SearchPanelOnTopCheckBox",
              "SearchListWidthEdit", "SearchTextEdit", "SearchColorColorBox",
              "SearchPanelColorColorBox", Options},
             GridBool("Search.Active")},
            {{"TreeViewAutoActiveCheckBox"}, TreeViewPossible()},
            {{"TreeViewAutoUpdateCheckBox", "TreeViewCellExpandCheckBox", "TreeViewOpenToLevelEdit",
              "TreeViewColumnNamesComboBox"},
             TreeViewPossible() && GridBool("TreeView.AutoActive")},
        },
        // Overrides.
        HideVisibleSkipMessage,
    };
    return table;
}

} // namespace

TSearchPropList::TSearchPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

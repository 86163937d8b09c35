// The "Links" page: the components the grid refers to (data sources, image lists, master grid,
// popup menus), each chosen by name from the form's components that fit, and the tool menu.

#include "gridpages.h"

namespace {

using namespace TFactory;

const char *const Sources = "DataSourcesGroupBox";
const char *const Linkage = "LinkageGroupBox";
const char *const ToolMenu = "ToolMenuControlGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "LinksTabSheet",
        // Groups.
        {
            {Sources, OnSheet, " DataSources "},
            {ToolMenu, OnSheet, " ToolMenu control "},
            {Linkage, OnSheet, " Linkages ", TPlace::NewColumn},
        },
        // Rows.
        {
            {"DataSourceComboBox", Sources, AddLinkProp, "DataSource"},
            {"TotalDataSourceComboBox", Sources, AddLinkProp, "Totals.DataSource", NoArgs,
             "TotalDataSource"},
            {"TitleImagesComboBox", Linkage, AddLinkProp, "TitleImages"},
            {"TitleMarkersComboBox", Linkage, AddLinkProp, "TitleMarkers"},
            {"TotalImagesComboBox", Linkage, AddLinkProp, "Totals.Images", NoArgs, "TotalImages"},
            {"IndicatorImagesComboBox", Linkage, AddLinkProp, "IndicatorImages"},
            {"MasterGridComboBox", Linkage, AddLinkProp, "MasterGrid"},
            {"PopupMenuComboBox", Linkage, AddLinkProp, "PopupMenu"},
            {"FillerPopupMenuComboBox", Linkage, AddLinkProp, "FillerPopupMenu"},
            {"IndicatorPopupMenuComboBox", Linkage, AddLinkProp, "IndicatorPopupMenu"},
            {"PopupToolMenuCheckBox", ToolMenu, AddBoolProp, "PopupToolMenu"},
            {"FillerToolMenuCheckBox", ToolMenu, AddBoolProp, "FillerToolMenu"},
        },
        // Rules.
        {
            {{"TotalDataSourceComboBox", "TotalImagesComboBox"}, GridBool("Totals.Active")},
            {{"TitleImagesComboBox", "TitleMarkersComboBox"}, O(2)},
            {{"IndicatorImagesComboBox", "IndicatorPopupMenuComboBox"}, O(3)},
            {{"FillerPopupMenuComboBox"}, O(3) && O(2)},
        },
    };
    return table;
}

} // namespace

TLinksPropList::TLinksPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

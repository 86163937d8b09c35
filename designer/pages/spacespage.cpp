// The "Spaces" page: row spaces, margins, widths and line counts.

#include "gridpages.h"

namespace {

using namespace TFactory;

const TPageTable &PageTable()
{
    static const TPageTable table{
        "SpacesTabSheet",
        // Groups.
        {
            {"SpaceControlGroupBox", OnSheet, " Space control "},
            {"LinesControlGroupBox", OnSheet, " Lines control ", TPlace::NewColumn},
        },
        // Rows.
        {
            {"SpaceControlGroupBox", OnSheet, AddNoneProp, "GridStyle"},
            {"VisualStyleComboBox", "SpaceControlGroupBox", AddEnumProp, "GridStyle.VisualStyle"},
            {"DataRowSpaceEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.DataRowSpace",
             Range(0, 32767)},
            {"HeaderRowSpaceEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.HeaderRowSpace",
             Range(0, 32767)},
            {"TitleColMarginEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.TitleColMargin",
             Range(0, 32767)},
            {"TitleRowSpaceEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.TitleRowSpace",
             Range(0, 32767)},
            {"TotalColMarginEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.TotalColMargin",
             Range(0, 32767)},
            {"TotalRowSpaceEdit", "SpaceControlGroupBox", AddValueProp, "GridStyle.TotalRowSpace",
             Range(0, 32767)},
            {"DefaultWidthMinEdit", "SpaceControlGroupBox", AddValueProp, "DefaultWidthMin",
             Range(-1, 32767)},
            {"DefaultWidthMaxEdit", "SpaceControlGroupBox", AddValueProp, "DefaultWidthMax",
             Range(-1, 32767)},
            {"IndicatorWidthEdit", "LinesControlGroupBox", AddValueProp, "IndicatorWidth",
             Range(11, 32767)},
            {"LinesCountEdit", "LinesControlGroupBox", AddValueProp, "LinesCount", Range(1, 32767)},
            {"LinesCountMinEdit", "LinesControlGroupBox", AddValueProp, "LinesCountMin",
             Range(1, 32767)},
            {"LinesCountMaxEdit", "LinesControlGroupBox", AddValueProp, "LinesCountMax",
             Range(-1, 32767)},
            {"HeaderLinesCountEdit", "LinesControlGroupBox", AddValueProp, "HeaderLinesCount",
             Range(1, 32767)},
            {"TitleLinesCountEdit", "LinesControlGroupBox", AddValueProp, "TitleLinesCount",
             Range(1, 32767)},
            {"TotalLinesCountEdit", "LinesControlGroupBox", AddValueProp, "Totals.LinesCount",
             Range(1, 32767), "TotalLinesCount"},
            {"TotalDataMaxRowEdit", "LinesControlGroupBox", AddValueProp, "Totals.DataMaxRow",
             Range(0, 32767), "TotalDataMaxRow"},
            {"GridLineWidthEdit", "LinesControlGroupBox", AddValueProp, "GridLineWidth",
             Range(1, 32767)},
        },
        // Rules.
        {
            {{"HeaderRowSpaceEdit", "HeaderLinesCountEdit"}, O(19) && O(2)},
            {{"TitleColMarginEdit", "TitleRowSpaceEdit", "TitleLinesCountEdit"}, O(2)},
            {{"TotalColMarginEdit", "TotalRowSpaceEdit", "TotalLinesCountEdit"},
             GridBool("Totals.Active")},
            {{"DefaultWidthMinEdit", "DefaultWidthMaxEdit"}, !ColumnsCustomized()},
            {{"IndicatorWidthEdit"}, O(3)},
            {{"TotalDataMaxRowEdit"}, OX(3)},
        },
    };
    return table;
}

} // namespace

TSpacesPropList::TSpacesPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

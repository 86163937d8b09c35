// The "Fonts" page: the grid's four fonts.

#include "gridpages.h"
#include "pagerows.h"

namespace {

using namespace TFactory;

const TPageTable &PageTable()
{
    static const TPageTable table{
        "FontsTabSheet",
        // Groups.
        {
            {"FontGroupBox", OnSheet, " Font "},
            {"HeaderFontGroupBox", OnSheet, " HeaderFont "},
            {"TitleFontGroupBox", OnSheet, " TitleFont ", TPlace::NewColumn},
            {"TotalFontGroupBox", OnSheet, " TotalFont "},
        },
        // Rows. In the " TotalFont " group the colour is bound before the size.
        JoinRows({
            FontRows("Font", "Font"),
            FontRows("HeaderFont", "HeaderFont"),
            FontRows("TitleFont", "TitleFont"),
            FontRows("TotalFont", "Totals.Font", TFontRowOrder::ColorThenSize),
        }),
        // Rules.
        {
            {{"HeaderFontGroupBox"}, O(19) && O(2)},
            {{"TitleFontGroupBox"}, O(2)},
            {{"TotalFontGroupBox"}, GridBool("Totals.Active")},
        },
    };
    return table;
}

} // namespace

TFontsPropList::TFontsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

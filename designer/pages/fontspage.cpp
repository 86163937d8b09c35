// The "Fonts" page: the grid's four fonts.

#include "gridpages.h"

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
        {
            {"FontGroupBox", OnSheet, AddNoneProp, "Font"},
            {"FontNameComboBox", "FontGroupBox", AddFontNameProp, "Font.Name"},
            {"FontSizeEdit", "FontGroupBox", AddFontSizeProp, "Font.Size"},
            {"FontColorColorBox", "FontGroupBox", AddFontColorProp, "Font.Color"},
            {"FontBoldCheckBox", "FontGroupBox", AddElemProp, "Font.Style", Elem(0), "Bold"},
            {"FontItalicCheckBox", "FontGroupBox", AddElemProp, "Font.Style", Elem(1), "Italic",
             TPlace::Beside},
            {"FontUnderlineCheckBox", "FontGroupBox", AddElemProp, "Font.Style", Elem(2),
             "Underline"},
            {"FontStrikeOutCheckBox", "FontGroupBox", AddElemProp, "Font.Style", Elem(3),
             "StrikeOut", TPlace::Beside},
            {"HeaderFontGroupBox", OnSheet, AddNoneProp, "HeaderFont"},
            {"HeaderFontNameComboBox", "HeaderFontGroupBox", AddFontNameProp, "HeaderFont.Name"},
            {"HeaderFontSizeEdit", "HeaderFontGroupBox", AddFontSizeProp, "HeaderFont.Size"},
            {"HeaderFontColorColorBox", "HeaderFontGroupBox", AddFontColorProp, "HeaderFont.Color"},
            {"HeaderFontBoldCheckBox", "HeaderFontGroupBox", AddElemProp, "HeaderFont.Style",
             Elem(0), "Bold"},
            {"HeaderFontItalicCheckBox", "HeaderFontGroupBox", AddElemProp, "HeaderFont.Style",
             Elem(1), "Italic", TPlace::Beside},
            {"HeaderFontUnderlineCheckBox", "HeaderFontGroupBox", AddElemProp, "HeaderFont.Style",
             Elem(2), "Underline"},
            {"HeaderFontStrikeOutCheckBox", "HeaderFontGroupBox", AddElemProp, "HeaderFont.Style",
             Elem(3), "StrikeOut", TPlace::Beside},
            {"TitleFontGroupBox", OnSheet, AddNoneProp, "TitleFont"},
            {"TitleFontNameComboBox", "TitleFontGroupBox", AddFontNameProp, "TitleFont.Name"},
            {"TitleFontSizeEdit", "TitleFontGroupBox", AddFontSizeProp, "TitleFont.Size"},
            {"TitleFontColorColorBox", "TitleFontGroupBox", AddFontColorProp, "TitleFont.Color"},
            {"TitleFontBoldCheckBox", "TitleFontGroupBox", AddElemProp, "TitleFont.Style", Elem(0),
             "Bold"},
            {"TitleFontItalicCheckBox", "TitleFontGroupBox", AddElemProp, "TitleFont.Style",
             Elem(1), "Italic", TPlace::Beside},
            {"TitleFontUnderlineCheckBox", "TitleFontGroupBox", AddElemProp, "TitleFont.Style",
             Elem(2), "Underline"},
            {"TitleFontStrikeOutCheckBox", "TitleFontGroupBox", AddElemProp, "TitleFont.Style",
             Elem(3), "StrikeOut", TPlace::Beside},
            {"TotalFontGroupBox", OnSheet, AddNoneProp, "Totals.Font"},
            {"TotalFontNameComboBox", "TotalFontGroupBox", AddFontNameProp, "Totals.Font.Name"},
            {"TotalFontColorColorBox", "TotalFontGroupBox", AddFontColorProp, "Totals.Font.Color"},
            {"TotalFontSizeEdit", "TotalFontGroupBox", AddFontSizeProp, "Totals.Font.Size"},
            {"TotalFontBoldCheckBox", "TotalFontGroupBox", AddElemProp, "Totals.Font.Style",
             Elem(0), "Bold"},
            {"TotalFontItalicCheckBox", "TotalFontGroupBox", AddElemProp, "Totals.Font.Style",
             Elem(1), "Italic", TPlace::Beside},
            {"TotalFontUnderlineCheckBox", "TotalFontGroupBox", AddElemProp, "Totals.Font.Style",
             Elem(2), "Underline"},
            {"TotalFontStrikeOutCheckBox", "TotalFontGroupBox", AddElemProp, "Totals.Font.Style",
             Elem(3), "StrikeOut", TPlace::Beside},
        },
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

// The "Column" page: the column's colour, font, data binding, hints and text layout.

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const Color = "ColumnColorGroupBox";
const char *const Font = "ColumnFontGroupBox";
const char *const Data = "ColumnDataGroupBox";
const char *const TextGroup = "ColumnTextGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnTabSheet",
        // Groups.
        {
            {Color, OnSheet, " Color "},
            {Font, OnSheet, " Font "},
            {Data, OnSheet, " Data ", TPlace::NewColumn},
            {TextGroup, OnSheet, " Text "},
        },
        // Rows.
        {
            {"ColumnColorColorBox", Color, AddBackColorProp, "Color"},
            {Font, OnSheet, AddNoneProp, "Font"},
            {"ColumnFontNameComboBox", Font, AddFontNameProp, "Font.Name"},
            {"ColumnFontSizeEdit", Font, AddFontSizeProp, "Font.Size"},
            {"ColumnFontColorColorBox", Font, AddFontColorProp, "Font.Color"},
            {"ColumnFontBoldCheckBox", Font, AddElemProp, "Font.Style", Elem(0), "Bold"},
            {"ColumnFontItalicCheckBox", Font, AddElemProp, "Font.Style", Elem(1), "Italic",
             TPlace::Beside},
            {"ColumnFontUnderlineCheckBox", Font, AddElemProp, "Font.Style", Elem(2), "Underline"},
            {"ColumnFontStrikeOutCheckBox", Font, AddElemProp, "Font.Style", Elem(3), "StrikeOut",
             TPlace::Beside},
            {"ColumnFieldNameComboBox", Data, AddKorColumnFieldNameProp, "FieldName"},
            {"ColumnVisibleCheckBox", Data, AddBoolProp, "Visible"},
            {"ColumnReadOnlyCheckBox", Data, AddBoolProp, "ReadOnly", NoArgs, nullptr,
             TPlace::Beside},
            {"ColumnHintEdit", Data, AddTextProp, "Hint"},
            {"ColumnEditorHintEdit", Data, AddTextProp, "EditorHint"},
            {"ColumnToolTipsCheckBox", Data, AddBoolProp, "ToolTips"},
            {"ColumnToolTipsWidthCheckBox", Data, AddBoolProp, "ToolTipsWidth", NoArgs, nullptr,
             TPlace::Beside},
            {"ColumnAlignmentComboBox", TextGroup, AddEnumProp, "Alignment"},
            {"ColumnVAlignmentComboBox", TextGroup, AddEnumProp, "VAlignment"},
            {"ColumnEllipsisCheckBox", TextGroup, AddBoolProp, "Ellipsis"},
            {"ColumnWordWrapCheckBox", TextGroup, AddBoolProp, "WordWrap", NoArgs, nullptr,
             TPlace::Beside},
        },
        // Rules.
        {
            {{"ColumnHintEdit"},
             ShowHint() && !(HintOption(4) && Bool("ToolTips")) && HintOption(7)},
            {{"ColumnEditorHintEdit"}, ShowHint() && O(0) && HintOption(2)},
            {{"ColumnToolTipsCheckBox"}, ShowHint() && HintOption(4)},
            {{"ColumnToolTipsWidthCheckBox"}, ShowHint() && HintOption(4) && Bool("ToolTips")},
        },
    };
    return table;
}

} // namespace

TColumnPropList::TColumnPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

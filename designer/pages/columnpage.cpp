// The "Column" page: the column's colour, font, data binding, hints and text layout.

#include "columnrules.h"
#include "gridpages.h"
#include "pagerows.h"

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
        JoinRows({
            {{"ColumnColorColorBox", Color, AddBackColorProp, "Color"}},
            FontRows("ColumnFont", "Font"),
            {
                {"ColumnFieldNameComboBox", Data, AddKorColumnFieldNameProp, "FieldName"},
                {"ColumnVisibleCheckBox", Data, AddBoolProp, "Visible"},
                {"ColumnReadOnlyCheckBox", Data, AddBoolProp, "ReadOnly", NoArgs, nullptr,
                 TPlace::Beside},
                {"ColumnHintEdit", Data, AddTextProp, "Hint"},
                {"ColumnEditorHintEdit", Data, AddTextProp, "EditorHint"},
                {"ColumnToolTipsCheckBox", Data, AddBoolProp, "ToolTips"},
                {"ColumnToolTipsWidthCheckBox", Data, AddBoolProp, "ToolTipsWidth", NoArgs, nullptr,
                 TPlace::Beside},
            },
            TextLayoutRows("Column", TextGroup, ""),
        }),
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

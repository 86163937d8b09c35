// The "Title" page: the column title's colour, font, captions, buttons, filters and text layout.
// Every control depends on the grid showing titles.

#include "columnrules.h"
#include "gridpages.h"
#include "pagerows.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const Color = "ColumnTitleColorGroupBox";
const char *const Font = "ColumnTitleFontGroupBox";
const char *const Title = "ColumnTitleTitleGroupBox";
const char *const TextGroup = "ColumnTitleTextGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnTitleTabSheet",
        // Groups.
        {
            {Color, OnSheet, " Color "},
            {Font, OnSheet, " Font "},
            {Title, OnSheet, " Title ", TPlace::NewColumn},
            {TextGroup, OnSheet, " Text "},
        },
        // Rows.
        JoinRows({
            {{"ColumnTitleColorColorBox", Color, AddKorColumnTitleColorProp, "Title.Color"}},
            FontRows("ColumnTitleFont", "Title.Font"),
            {
                {"ColumnTitleHeaderEdit", Title, AddTextProp, "Title.Header"},
                {"ColumnTitleAutoFilterCheckBox", Title, AddBoolProp, "Title.AutoFilter"},
                {"ColumnTitleAutoToggleCheckBox", Title, AddBoolProp, "Title.AutoToggle", NoArgs,
                 nullptr, TPlace::Beside},
                {"ColumnTitleCaptionEdit", Title, AddTextProp, "Title.Caption"},
                {"ColumnTitleHintEdit", Title, AddTextProp, "Title.Hint"},
                {"ColumnTitleButtonCheckBox", Title, AddBoolProp, "Title.Button"},
                {"ColumnTitleFilterListCheckBox", Title, AddElemProp, "Title.AutoFilters", Elem(0),
                 "FilterList"},
                {"ColumnTitleFilterFormCheckBox", Title, AddElemProp, "Title.AutoFilters", Elem(1),
                 "FilterForm", TPlace::Beside},
            },
            TextLayoutRows("ColumnTitle", TextGroup, "Title."),
        }),
        // Rules.
        {
            {{"ColumnTitleColorColorBox", Font, "ColumnTitleHeaderEdit", "ColumnTitleCaptionEdit"},
             O(2)},
            {{"ColumnTitleHintEdit"}, O(2) && ShowHint() && HintOption(0)},
            {{"ColumnTitleButtonCheckBox"}, O(2) && O(18)},
            {{"ColumnTitleAutoToggleCheckBox"}, O(2) && Bool("Title.Button") && O(27)},
            {{"ColumnTitleAutoFilterCheckBox"}, O(2) && GridBool("FilterGrid.AutoFilter")},
            {{"ColumnTitleFilterListCheckBox"}, O(2) && GridElem("FilterGrid.AutoFilters", 0)},
            {{"ColumnTitleFilterFormCheckBox"}, O(2) && GridElem("FilterGrid.AutoFilters", 1)},
            {{"ColumnTitleAlignmentComboBox", "ColumnTitleVAlignmentComboBox",
              "ColumnTitleEllipsisCheckBox", "ColumnTitleWordWrapCheckBox"},
             O(2)},
        },
    };
    return table;
}

} // namespace

TColumnTitlePropList::TColumnTitlePropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

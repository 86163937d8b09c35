// The "Control" page: how the column edits, its width limits, its expand group and how it draws
// images. ShowBlob is bound twice: as "ShowMemo" for text and as "ShowGraphic" for images.

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const Editing = "ColumnEditingGroupBox";
const char *const Expand = "ColumnExpandGroupBox";
const char *const Image = "ColumnImageGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnControlTabSheet",
        // Groups.
        {
            {Editing, OnSheet, " Editing "},
            {Expand, OnSheet, " Expand "},
            {Image, OnSheet, " Image ", TPlace::NewColumn},
        },
        // Rows.
        {
            {"ColumnShowEditCheckBox", Editing, AddBoolProp, "ShowEdit", NoArgs, "ShowEditor"},
            {"ColumnShowMemoCheckBox", Editing, AddBoolProp, "ShowBlob", NoArgs, "ShowMemo",
             TPlace::Beside},
            {"ColumnEditMemoCheckBox", Editing, AddBoolProp, "EditMemo"},
            {"ColumnSuppressRTLCheckBox", Editing, AddBoolProp, "SuppressRTL", NoArgs, nullptr,
             TPlace::Beside},
            {"ColumnCharCaseComboBox", Editing, AddEnumProp, "CharCase"},
            {"ColumnWidthEdit", Editing, AddValueProp, "Width", Range(0, 32767)},
            {"ColumnWidthBaseEdit", Editing, AddValueProp, "WidthBase", Range(0, 32767),
             "BaseWidth", TPlace::Beside},
            {"ColumnWidthMinEdit", Editing, AddValueProp, "WidthMin", Range(-1, 32767), "MinWidth"},
            {"ColumnWidthMaxEdit", Editing, AddValueProp, "WidthMax", Range(-1, 32767), "MaxWidth",
             TPlace::Beside},
            {"ColumnExpandStyleComboBox", Expand, AddEnumProp, "ExpandStyle"},
            {"ColumnExpandColsEdit", Expand, AddValueProp, "ExpandCols", Range(-32768, 32767)},
            {"ColumnExpandedCheckBox", Expand, AddBoolProp, "Expanded"},
            {"ColumnShowBlobCheckBox", Image, AddBoolProp, "ShowBlob", NoArgs, "ShowGraphic"},
            {"ColumnQuickDrawCheckBox", Image, AddBoolProp, "QuickDraw", NoArgs, nullptr,
             TPlace::Beside},
            {"ColumnWallpaperCheckBox", Image, AddBoolProp, "Wallpaper"},
            {"ColumnTransparentCheckBox", Image, AddBoolProp, "Transparent", NoArgs, nullptr,
             TPlace::Beside},
            {"ColumnImageDrawComboBox", Image, AddEnumProp, "ImageDraw"},
            {"ColumnTransparentColorColorBox", Image, AddColorProp, "TransparentColor",
             Colors(clDefault, clWhite)},
            {"ColumnImageMarginEdit", Image, AddValueProp, "ImageMargin", Range(0, 32767)},
            {"ColumnImageOffsetXEdit", Image, AddValueProp, "ImageOffsetX", Range(-32768, 32767),
             "ImageOffset (X, Y)"},
            {"ColumnImageOffsetYEdit", Image, AddValueProp, "ImageOffsetY", Range(-32768, 32767),
             NoLabel, TPlace::Beside},
        },
        // Rules.
        {
            {{"ColumnShowEditCheckBox"}, O(0) && Text()},
            {{"ColumnShowMemoCheckBox"}, Text()},
            {{"ColumnEditMemoCheckBox", "ColumnCharCaseComboBox"},
             O(0) && Text() && Bool("ShowEdit")},
            {{"ColumnSuppressRTLCheckBox"}, RightToLeft()},
            {{"ColumnExpandedCheckBox"}, Expandable()},
            {{"ColumnTransparentColorColorBox"}, Bool("Transparent")},
        },
    };
    return table;
}

} // namespace

TColumnControlPropList::TColumnControlPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

#include "kordbgridsreg.h"

#include "briskaboutform.h"
#include "formatproperties.h"
#include "grid.h"
#include "gridcolorproperty.h"
#include "gridimageindexproperty.h"
#include "kordbgridcolumnseditor.h"
#include "kordbgriddesigner.h"
#include "namelistproperties.h"
#include "regtables.h"
#include "stringproperties.h"

namespace KorDBGridsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow kComponentEditors[] = {
    {&TKorDBGrid::staticMetaObject, &TKorDBGridEditor::staticMetaObject},
};

const TPaletteRow kPalette[] = {
    {"Data Controls",
     {&TKorDBGrid::staticMetaObject, &TKorDBGridsADO::staticMetaObject,
      &TKorDBGridsCDS::staticMetaObject}},
};

#define KOR_STRING_ROW(Class, Name, Editor)                                                        \
    {                                                                                              \
        "string", nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject               \
    }
#define KOR_TYPED_ROW(Type, Class, Name, Editor)                                                   \
    {                                                                                              \
        Type, nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject                   \
    }

const TPropertyEditorRow kPropertyEditors[] = {
    {nullptr, &TKorDBGridColumns::staticMetaObject, &TKorDBGrid::staticMetaObject, "Columns",
     &TKorDBGridColumnsProperty::staticMetaObject},
    {nullptr, &TKorCustomDBGrid::staticMetaObject, &TKorDBGrid::staticMetaObject, "MasterGrid",
     &TKorDBGridMasterGridProperty::staticMetaObject},
    KOR_STRING_ROW(TKorColumn, "PickTextFormat", TKorDBGridPickTextFormatProperty),
    KOR_STRING_ROW(TKorDBGrid, "KeyFields", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBGrid, "OrderFields", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBGrid, "DetailFields", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBGridTreeView, "ColumnNames", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBGridTreeView, "KeyFields", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBGridTreeView, "ParentFields", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "FieldName", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "KeyField", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "LookupKeyField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "LookupListFields", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "LookupParentField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "LookupResultField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorColumn, "LookupTreeViewField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorColumnTotal, "FieldName", TKorDBGridTotalFieldNameProperty),
    KOR_STRING_ROW(TKorColumnTotal, "Format", TKorDBGridFormatValueProperty),
    KOR_TYPED_ROW("Integer", TKorDBGrid, "FillerIndex", TKorDBGridImageIndexProperty),
    KOR_TYPED_ROW("Integer", TKorColumnTitle, "ImageIndex", TKorDBGridImageIndexProperty),
    KOR_TYPED_ROW("Integer", TKorColumnTitle, "MarkerIndex", TKorDBGridImageIndexProperty),
    KOR_TYPED_ROW("Integer", TKorColumnTotal, "ImageIndex", TKorDBGridImageIndexProperty),
    KOR_STRING_ROW(TKorDBGrid, "Hint", TKorStringProperty),
    KOR_STRING_ROW(TKorDBGrid, "FillerHint", TKorStringProperty),
    KOR_STRING_ROW(TKorDBGrid, "IndicatorHint", TKorStringProperty),
    KOR_STRING_ROW(TKorColumn, "EditorHint", TKorStringProperty),
    KOR_STRING_ROW(TKorColumn, "Hint", TKorStringProperty),
    KOR_STRING_ROW(TKorColumnTitle, "Hint", TKorStringProperty),
    KOR_STRING_ROW(TKorColumnTitle, "Caption", TKorStringProperty),
    KOR_STRING_ROW(TKorColumnTitle, "Header", TKorHeaderProperty),
    KOR_STRING_ROW(TKorColumnTitle, "HeaderHint", TKorHeaderProperty),
    KOR_STRING_ROW(TKorColumnTotal, "Hint", TKorStringProperty),
    KOR_STRING_ROW(TKorColumnTotal, "Caption", TKorStringProperty),
    KOR_TYPED_ROW("TColor", TKorColumn, "TransparentColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "DataColLineColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "DataRowLineColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "EditorColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "HighlightText", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "SelectCellColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "SelectionColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "SelectRowColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGrid, "StripeColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGridSearch, "Color", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGridSearch, "PanelColor", TKorDBGridColorProperty),
    KOR_TYPED_ROW("TColor", TKorDBGridTotals, "SelectedColor", TKorDBGridColorProperty),
};

#undef KOR_STRING_ROW
#undef KOR_TYPED_ROW

// A property may be in several categories (a column's CheckBoxThemed is in "Image", the visual
// category and "KorDBGrid"); long lists of one category are split over consecutive rows.
// clang-format off
const TCategoryRow kCategories[] = {
    {sDatabaseCategoryName, nullptr, &TKorColumn::staticMetaObject,
     {"FieldName", "KeyField", "LookupColumn", "LookupDataSet", "LookupKeyField",
      "LookupListFields", "LookupListTitles", "LookupListWidths", "LookupParentField",
      "LookupResultField", "LookupTreeViewField"}},
    {sHelpCategoryName, nullptr, &TKorColumn::staticMetaObject, {"ToolTips", "ToolTipsWidth"}},
    {nullptr, "Image", &TKorColumn::staticMetaObject,
     {"Alignment", "CheckBox", "CheckBoxThemed", "CheckBoxToggle", "CheckBoxValues", "ImageDraw",
      "ImageMargin", "ImageOffsetX", "ImageOffsetY", "Images", "QuickDraw", "Transparent",
      "TransparentColor", "VAlignment", "Wallpaper"}},
    {sInputCategoryName, nullptr, &TKorColumn::staticMetaObject,
     {"CharCase", "EditMemo", "ShowEdit"}},
    {sLayoutCategoryName, nullptr, &TKorColumn::staticMetaObject,
     {"DropDownRows", "DropDownWidth", "WidthBase", "WidthMax", "WidthMin"}},
    {sLocalizableCategoryName, nullptr, &TKorColumn::staticMetaObject,
     {"EditorHint", "PickList", "PickText", "PickTextFormat", "SuppressRTL", "Title"}},
    {sVisualCategoryName, nullptr, &TKorColumn::staticMetaObject,
     {"AutoNumber", "CheckBox", "CheckBoxKind", "CheckBoxStyle", "CheckBoxThemed", "Ellipsis",
      "ExpandBox", "ExpandBoxSize", "ExpandBoxThemed", "ExpandBoxTree", "ExpandCols", "Expanded",
      "ShowBlob", "TotalFields", "TotalFooter", "TotalHeader", "TotalValues", "VAlignment",
      "WidthBase", "WordWrap"}},
    {nullptr, "KorDBGrid", &TKorColumn::staticMetaObject,
     {"AutoNumber", "ButtonStyle", "CalendarDepth", "CharCase", "CheckBox", "CheckBoxKind",
      "CheckBoxStyle", "CheckBoxThemed", "CheckBoxToggle", "CheckBoxValues", "DelimiterChar",
      "DelimiterLine", "DialogOptions", "DropDownMenu", "DropDownWidth", "EditMemo", "EditorHint",
      "Ellipsis", "ExpandBox", "ExpandBoxSize", "ExpandBoxThemed", "ExpandBoxToggle",
      "ExpandBoxTree", "ExpandCols", "ExpandStyle", "FilterList", "FilterText", "Hint", "ImageDraw",
      "ImageMargin", "ImageOffsetX", "ImageOffsetY", "Images"}},
    {nullptr, "KorDBGrid", &TKorColumn::staticMetaObject,
     {"ListOptions", "LookupColumn", "LookupDataSet", "LookupKeyField", "LookupListFields",
      "LookupListTitles", "LookupListWidths", "LookupParentField", "LookupResultField",
      "LookupTreeViewField", "MultiSelectList", "MultiSelectText", "PickOptions", "PickText",
      "PickTextFormat", "QuickDraw", "Report", "ShowBlob", "ShowEdit", "SuppressRTL", "ToolTips",
      "ToolTipsWidth", "TotalFields", "TotalFooter", "TotalHeader", "TotalValues", "Transparent",
      "TransparentColor", "VAlignment", "Wallpaper", "WidthBase", "WidthMax", "WidthMin",
      "WordWrap"}},
    {sDatabaseCategoryName, nullptr, &TKorCustomDBGrid::staticMetaObject,
     {"DetailFields", "KeyFields", "OrderFields", "TreeView", "OnOrderChanged", "OnOrderUpdated",
      "OnRowExpand", "OnRowExpanding"}},
    {nullptr, "Image", &TKorCustomDBGrid::staticMetaObject,
     {"FillerIndex", "IndicatorImages", "TitleImages", "TitleMarkers", "OnCalcImageIndex"}},
    {sLayoutCategoryName, nullptr, &TKorCustomDBGrid::staticMetaObject,
     {"GridStyle", "HeaderLinesCount", "IndicatorWidth", "LinesCount", "LinesCountMax",
      "LinesCountMin", "Settings", "StretchWidthMax", "StretchWidthMin", "TitleLinesCount",
      "Totals", "OnLayout"}},
    {sLegacyCategoryName, nullptr, &TKorCustomDBGrid::staticMetaObject, {"Ctl3DAuto"}},
    {sLocalizableCategoryName, nullptr, &TKorCustomDBGrid::staticMetaObject, {"FillerHint"}},
    {sVisualCategoryName, nullptr, &TKorCustomDBGrid::staticMetaObject,
     {"DrawingOptions", "DrawingStyle", "FixedCols", "FixedStyle", "FixedTheme", "FocusRect",
      "Gradient", "HeaderLinesCount", "HotButtons", "LinesCount", "ListBorder", "MarkerStyle",
      "MarkerTransparent", "ScrollBars", "ScrollProp", "StretchMode", "TitleLinesCount", "Totals"}},
    {nullptr, "KorDBGrid", &TKorCustomDBGrid::staticMetaObject,
     {"Ctl3DAuto", "DataColLineColor", "DataRowLineColor", "DefaultWidthMax", "DefaultWidthMin",
      "DetailFields", "DoubleBuffered", "DragRows", "DrawingOptions", "DrawingStyle", "EditorColor",
      "FillerButton", "FillerColor", "FillerHint", "FillerIndex", "FillerPopupMenu", "Filter",
      "Filtered", "FilterGrid", "FixedCols", "FixedStyle", "FixedTheme", "FocusRect", "Gradient",
      "GridLineWidth", "GridStyle", "HeaderColor", "HeaderFont", "HeaderLinesCount",
      "HighlightText", "HintOptions", "HotButtons", "IndicatorHint", "IndicatorImages",
      "IndicatorPopupMenu", "IndicatorWidth", "KeyFields", "LinesCount", "LinesCountMax",
      "LinesCountMin", "ListBorder", "MarkerStyle", "MarkerTransparent", "MasterGrid",
      "MultiSelectOptions", "Options", "OptionsEx", "OptionsExt", "OrderFields", "ResizeOptions",
      "ScrollBars", "ScrollProp"}},
    {nullptr, "KorDBGrid", &TKorCustomDBGrid::staticMetaObject,
     {"Search", "SelectCellColor", "SelectionColor", "SelectRowColor", "Settings", "StretchMode",
      "StretchWidthMax", "StretchWidthMin", "StripeColor", "TitleImages", "TitleLinesCount",
      "TitleMarkers", "Totals", "TreeView", "WheelScrollRows"}},
    {nullptr, "KorDBGrid", &TKorCustomDBGrid::staticMetaObject,
     {"OnCalcBoldDays", "OnCalcImageIndex", "OnCellDblClick", "OnCellExpand", "OnCellHint",
      "OnColExpand", "OnColGetText", "OnColSetText", "OnColTextChanged", "OnColumnMoving",
      "OnColumnResize", "OnColumnScroll", "OnExpandClick", "OnFillerClick", "OnFilterChanged",
      "OnFilterRecord", "OnFilterUpdated", "OnHeaderClick", "OnIndicatorClick", "OnLayout",
      "OnListCloseUp", "OnListDropDown", "OnListItemsUpdated", "OnOrderChanged", "OnOrderUpdated",
      "OnPaintColumnCell", "OnRowExpand", "OnRowExpanding", "OnRowResize", "OnRowSelect",
      "OnSelectedColsChanged", "OnSelectedRowsChanged", "OnSelectionChanged", "OnSequenceUpdated",
      "OnTitleClick", "OnTotalCalcQuery", "OnTotalCalcValue", "OnTotalClick", "OnTotalGetText",
      "OnTotalsUpdated"}},
};
// clang-format on

} // namespace

// The product first, then the unit's registration tables in one go.
void Register()
{
    IDEAboutDlg::RegisterProduct();
    KorReg::RegisterTables({kPalette, kComponentEditors, kPropertyEditors, kCategories});
}

// ---- TKorDBGridEditor ----

TKorDBGridEditor::TKorDBGridEditor(const TComponentEditorArgs &Args) : TBriskEditor(Args) {}

void TKorDBGridEditor::Edit()
{
    ShowColumnsEditor();
    ShowDesignerForm(true);
}

QStringList TKorDBGridEditor::OwnVerbs() const
{
    return {QStringLiteral("Co&lumns Editor..."), QStringLiteral("Kor-DBGrid Designer...")};
}

void TKorDBGridEditor::ExecuteOwnVerb(int Index)
{
    if (Index == 0)
        ShowColumnsEditor();
    else
        ShowDesignerForm(false);
}

void TKorDBGridEditor::ShowColumnsEditor()
{
    ShowKorDBGridColumnsEditor(GetDesigner(), Component());
}

void TKorDBGridEditor::ShowDesignerForm(bool UseActiveForm)
{
    auto *grid = Component() ? qobject_cast<TKorDBGrid *>(Component()->Object()) : nullptr;
    if (grid)
        ShowKorDBGridDesigner(GetDesigner(), grid, UseActiveForm);
}

} // namespace KorDBGridsReg

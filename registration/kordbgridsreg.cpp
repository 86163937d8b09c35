#include "kordbgridsreg.h"

#include "formatproperties.h"
#include "gridcolorproperty.h"
#include "gridimageindexproperty.h"
#include "grid.h"
#include "ideaboutdlg.h"
#include "namelistproperties.h"
#include "regtables.h"
#include "stringproperties.h"

namespace KorDBGridsReg {

namespace {

using namespace KorReg;

const TPaletteRow kPalette[] = {
    {"Data Controls",
     {&TKorDBGrid::staticMetaObject, &TKorDBGridsADO::staticMetaObject,
      &TKorDBGridsCDS::staticMetaObject}},
};

#define KOR_STRING_ROW(Class, Name, Editor)                                                        \
    {"string", nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject}
#define KOR_TYPED_ROW(Type, Class, Name, Editor)                                                   \
    {Type, nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject}

const TPropertyEditorRow kPropertyEditors[] = {
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

} // namespace

// The unit's registration tables are handed to the host in one go, after the product.
// The columns collection's property editor belongs to the columns editor, which adds its row
// before MasterGrid's.
void Register()
{
    IDEAboutDlg::RegisterProduct();
    KorReg::RegisterTables({kPalette, {}, kPropertyEditors, {}});
}

} // namespace KorDBGridsReg

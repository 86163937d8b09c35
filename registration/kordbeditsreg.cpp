#include "kordbeditsreg.h"

#include "briskaboutform.h"
#include "formatproperties.h"
#include "kordbeditors.h"
#include "namelistproperties.h"
#include "regtables.h"

namespace KorDBEditsReg {

namespace {

using namespace KorReg;

const TPaletteRow kPalette[] = {
    {"Data Controls", {&TKorDBEditor::staticMetaObject, &TKorDBColumn::staticMetaObject}},
};

const TComponentEditorRow kComponentEditors[] = {
    {&TKorDBColumn::staticMetaObject, &TBriskEditor::staticMetaObject},
    {&TKorDBEditor::staticMetaObject, &TBriskEditor::staticMetaObject},
};

#define KOR_STRING_ROW(Class, Name, Editor)                                                        \
    {                                                                                              \
        "string", nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject               \
    }

const TPropertyEditorRow kPropertyEditors[] = {
    KOR_STRING_ROW(TKorDBDataEditor, "DataColumn", TKorDBGridColumnNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "KeyField", TKorDBGridFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "LookupKeyField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "LookupListFields", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "LookupParentField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "LookupResultField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "LookupTreeViewField", TKorDBGridLookupFieldNameProperty),
    KOR_STRING_ROW(TKorDBCustomEditor, "PickTextFormat", TKorDBGridPickTextFormatProperty),
};

#undef KOR_STRING_ROW

// clang-format off
const TCategoryRow kCategories[] = {
    {sDatabaseCategoryName, nullptr, &TKorDBCustomEditor::staticMetaObject,
     {"KeyField", "LookupColumn", "LookupDataSet", "LookupKeyField", "LookupListFields",
      "LookupListTitles", "LookupListWidths", "LookupParentField", "LookupResultField",
      "LookupTreeViewField"}},
    {sInputCategoryName, nullptr, &TKorDBDataEditor::staticMetaObject,
     {"CharCase", "DropDownOnly"}},
    {sLayoutCategoryName, nullptr, &TKorDBCustomEditor::staticMetaObject,
     {"DropDownRows", "DropDownWidth"}},
    {sLocalizableCategoryName, nullptr, &TKorDBCustomEditor::staticMetaObject,
     {"PickList", "PickText", "PickTextFormat"}},
    {nullptr, "Brisk", &TKorDBColumn::staticMetaObject,
     {"AutoSelect", "CharCase", "DataColumn", "DataField", "DataSource", "DBGrid", "DropDownOnly",
      "LabelPosition", "LabelSpacing", "LabelVisible", "MaxLength"}},
    {nullptr, "Brisk", &TKorDBEditor::staticMetaObject,
     {"AutoSelect", "ButtonStyle", "CalendarDepth", "CharCase", "DataColumn", "DataField",
      "DataSource", "DBGrid", "DelimiterChar", "DelimiterLine", "DrawingStyle", "DropDownOnly",
      "DropDownRows", "DropDownWidth", "ImageMargin", "Images", "KeyField", "LabelPosition",
      "LabelSpacing", "LabelVisible", "ListOptions", "LookupColumn", "LookupDataSet",
      "LookupKeyField", "LookupListFields", "LookupListTitles", "LookupListWidths",
      "LookupParentField", "LookupResultField", "LookupTreeViewField", "MaxLength",
      "MultiSelectList", "MultiSelectText", "PickIndex", "PickList", "PickOptions", "PickText",
      "PickTextFormat", "SuppressRTL"}},
};
// clang-format on

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables({kPalette, kComponentEditors, kPropertyEditors, kCategories});
}

} // namespace KorDBEditsReg

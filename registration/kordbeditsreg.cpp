#include "kordbeditsreg.h"

#include "editors.h"
#include "formatproperties.h"
#include "ideaboutdlg.h"
#include "namelistproperties.h"
#include "regtables.h"

namespace KorDBEditsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow componentEditors[] = {
    {&TKorDBEditor::staticMetaObject, &TBriskEditor::staticMetaObject},
    {&TKorDBColumn::staticMetaObject, &TBriskEditor::staticMetaObject},
};

const TPaletteRow kPalette[] = {
    {"Data Controls", {&TKorDBEditor::staticMetaObject, &TKorDBColumn::staticMetaObject}},
};

#define KOR_STRING_ROW(Class, Name, Editor)                                                        \
    {"string", nullptr, &Class::staticMetaObject, Name, &Editor::staticMetaObject}

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

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables({kPalette, componentEditors, kPropertyEditors, {}});
}

} // namespace KorDBEditsReg

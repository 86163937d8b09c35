#include "kordbeditsreg.h"

#include "editors.h"
#include "ideaboutdlg.h"
#include "regtables.h"

namespace KorDBEditsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow componentEditors[] = {
    {&TKorDBEditor::staticMetaObject, &TBriskEditor::staticMetaObject},
    {&TKorDBColumn::staticMetaObject, &TBriskEditor::staticMetaObject},
};

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables({.ComponentEditors = componentEditors});
}

} // namespace KorDBEditsReg

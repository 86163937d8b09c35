#include "kordbctrlsreg.h"

#include "ideaboutdlg.h"
#include "navigator.h"
#include "regtables.h"

namespace KorDBCtrlsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow componentEditors[] = {
    {&TKorDBNavigator::staticMetaObject, &TBriskEditor::staticMetaObject},
};

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables({.ComponentEditors = componentEditors});
}

} // namespace KorDBCtrlsReg

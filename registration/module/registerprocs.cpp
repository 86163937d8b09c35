// The Register procedures of the module's units, exported as "<Unit>_Register" so that the host
// finds them by unit name.

#include "briskcolorproperty.h"
#include "kordbctrlsreg.h"
#include "kordbeditsreg.h"
#include "kordbgridsreg.h"
#include "kordblistsreg.h"
#include "moduleexport.h"

#define KOR_REGISTER_PROC(Unit)                                                                    \
    KOR_MODULE_EXPORT void Unit##_Register()                                                       \
    {                                                                                              \
        Unit::Register();                                                                          \
    }

KOR_REGISTER_PROC(IDEColorDlg)
KOR_REGISTER_PROC(KorDBGridsReg)
KOR_REGISTER_PROC(KorDBEditsReg)
KOR_REGISTER_PROC(KorDBListsReg)
KOR_REGISTER_PROC(KorDBCtrlsReg)

#include "kordbgridsreg.h"

#include "ideaboutdlg.h"
#include "regtables.h"

namespace KorDBGridsReg {

// The unit's registration tables are handed to the host in one go; the unit has none of its own
// yet, so it registers nothing beyond the product.
void Register()
{
    IDEAboutDlg::RegisterProduct();
    KorReg::RegisterTables({});
}

} // namespace KorDBGridsReg

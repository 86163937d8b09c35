#include "kordblistsreg.h"

#include "regtables.h"

namespace KorDBListsReg {

// The unit's registration tables are handed to the host in one go; the unit has none of its own
// yet, so it registers nothing.
void Register()
{
    KorReg::RegisterTables({});
}

} // namespace KorDBListsReg

#include "idecolordlg.h"

namespace IDEColorDlg {

void Register()
{
    // The colour property editor registers itself here once it exists.
}

} // namespace IDEColorDlg

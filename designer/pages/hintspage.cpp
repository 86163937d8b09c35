// The "Hints" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "HintsTabSheet",
        // Groups.
        {},
        // Rows.
        {},
        // Rules.
        {},
    };
    return table;
}

} // namespace

THintsPropList::THintsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

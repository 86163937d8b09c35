// The "Search" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "SearchTabSheet",
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

TSearchPropList::TSearchPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

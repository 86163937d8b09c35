// The "Links" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "LinksTabSheet",
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

TLinksPropList::TLinksPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

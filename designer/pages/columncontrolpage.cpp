// The "ColumnControl" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnControlTabSheet",
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

TColumnControlPropList::TColumnControlPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

// The "ColumnFilter" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnFilterTabSheet",
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

TColumnFilterPropList::TColumnFilterPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

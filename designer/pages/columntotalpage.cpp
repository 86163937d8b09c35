// The "ColumnTotal" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnTotalTabSheet",
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

TColumnTotalPropList::TColumnTotalPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnTotalPagePropList(AOwnerForm, Column, PageTable())
{
}

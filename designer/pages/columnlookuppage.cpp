// The "ColumnLookup" page.

#include "gridpages.h"

namespace {

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnLookupTabSheet",
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

TColumnLookupPropList::TColumnLookupPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

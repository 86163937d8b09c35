// The "Filter" page: the column's filter list and text, and its incremental list option.

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const FilterList = "ColumnFilterListGroupBox";
const char *const FilterListPanel = "ColumnFilterListPanel";
const char *const FilterText = "ColumnFilterTextGroupBox";
const char *const ListOptions = "ColumnListOptionsGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnFilterTabSheet",
        // Groups.
        {
            {FilterList, OnSheet, " FilterList "},
            {FilterListPanel, FilterList, nullptr, TPlace::Below, TGroupKind::Panel},
            {FilterText, OnSheet, " FilterText ", TPlace::NewColumn},
            {ListOptions, OnSheet, " ListOptions "},
        },
        // Rows.
        {
            {"ColumnFilterListMemo", FilterListPanel, AddMemoProp, "FilterList", NoArgs, NoLabel},
            {"ColumnFilterTextEdit", FilterText, AddTextProp, "FilterText", NoArgs, NoLabel},
            {ListOptions, OnSheet, AddNoneProp, "ListOptions"},
            {"ColumnIncrementalListCheckBox", ListOptions, AddElemProp, "ListOptions", Elem(21),
             "IncrementalList"},
        },
        // Rules.
        {
            {{"ColumnFilterListMemo"}, Text()},
        },
    };
    return table;
}

} // namespace

TColumnFilterPropList::TColumnFilterPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

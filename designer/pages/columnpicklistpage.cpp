// The "PickList" page: the pick list and its display texts (two memos divided by a splitter), the
// pick options, the format of the pick texts, and the automatic loading of the list.

#include "columnrules.h"
#include "gridpages.h"

#include <QHBoxLayout>
#include <QSplitter>

#include "controls/memo.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const PickListGroup = "ColumnPickListGroupBox";
const char *const PickListPanel = "ColumnPickListPanel";
const char *const Options = "ColumnPickOptionsGroupBox";
const char *const Format = "ColumnFormatGroupBox";
const char *const AutoLoadList = "ColumnAutoLoadListGroupBox";
const char *const LoadPickText = "ColumnLoadPickTextGroupBox";

// The two memos share the panel through a splitter, the pick list above its texts.
void SplitMemos(TPageTableList &Page)
{
    auto *panel = Page.PageControl<QWidget>(QString::fromLatin1(PickListPanel));
    auto *list = Page.PageControl<TMemo>(QStringLiteral("ColumnPickListMemo"));
    auto *text = Page.PageControl<TMemo>(QStringLiteral("ColumnPickTextMemo"));
    delete panel->layout();
    auto *splitter = new QSplitter(Qt::Vertical, panel);
    splitter->setObjectName(QStringLiteral("ColumnPickListSplitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(list);
    splitter->addWidget(text);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}

TCond P(int Index)
{
    return PickOption(Index);
}

const TPageTable &PageTable()
{
    // HP: the pick list has lines; ES: the grid edits and the column shows its editor (unlike
    // EDIT, without requiring a text column).
    static const TCond HP = HasPickList();
    static const TCond ES = EditShown();
    static const TPageTable table{
        "ColumnPickListTabSheet",
        // Groups.
        {
            {PickListGroup, OnSheet, " PickList / PickText "},
            {PickListPanel, PickListGroup, nullptr, TPlace::Below, TGroupKind::Panel},
            {Options, OnSheet, " Options ", TPlace::NewColumn},
            {Format, OnSheet, " Format "},
            {AutoLoadList, OnSheet, " AutoLoadList "},
            {LoadPickText, OnSheet, " LoadPickText "},
        },
        // Rows.
        {
            {"ColumnPickListMemo", PickListPanel, AddMemoProp, "PickList", NoArgs, NoLabel},
            {"ColumnPickTextMemo", PickListPanel, AddMemoProp, "PickText", NoArgs, NoLabel},
            {Options, OnSheet, AddNoneProp, "PickOptions"},
            {"ColumnDropDownListCheckBox", Options, AddElemProp, "PickOptions", Elem(0),
             "DropDownList"},
            {"ColumnSelectPickTextCheckBox", Options, AddElemProp, "PickOptions", Elem(2),
             "SelectPickText", TPlace::Beside},
            {"ColumnStoreItemIndexCheckBox", Options, AddElemProp, "PickOptions", Elem(3),
             "StoreItemIndex"},
            {"ColumnListItemsOnlyCheckBox", Options, AddElemProp, "PickOptions", Elem(1),
             "ListItemsOnly", TPlace::Beside},
            {"ColumnAcceptPickListCheckBox", Options, AddElemProp, "PickOptions", Elem(4),
             "AcceptPickList"},
            {"ColumnAcceptItemIndexCheckBox", Options, AddElemProp, "PickOptions", Elem(5),
             "AcceptItemIndex", TPlace::Beside},
            {Format, OnSheet, AddNoneProp, "PickOptions"},
            {"ColumnFormatPickTextCheckBox", Format, AddElemProp, "PickOptions", Elem(9),
             "FormatPickText"},
            {"ColumnFormatListOnlyCheckBox", Format, AddElemProp, "PickOptions", Elem(10),
             "FormatListOnly", TPlace::Beside},
            {"ColumnPickTextFormatComboBox", Format, AddKorColumnFormatProp, "PickTextFormat"},
            {AutoLoadList, OnSheet, AddNoneProp, "PickOptions"},
            {"ColumnAutoLoadListCheckBox", AutoLoadList, AddElemProp, "PickOptions", Elem(6),
             "AutoLoadList"},
            {"ColumnAppendToListCheckBox", AutoLoadList, AddElemProp, "PickOptions", Elem(7),
             "AppendToList", TPlace::Beside},
            {LoadPickText, OnSheet, AddNoneProp, "PickOptions"},
            {"ColumnSortedByTextCheckBox", LoadPickText, AddElemProp, "PickOptions", Elem(8),
             "SortedByText"},
        },
        // Rules.
        {
            {{"ColumnPickListMemo"}, Text()},
            {{"ColumnPickTextMemo"}, Text() && HP && P(2)},
            {{"ColumnDropDownListCheckBox"}, ES && (HP || P(6))},
            {{"ColumnListItemsOnlyCheckBox"}, Text() && HP && !P(0)},
            {{"ColumnSelectPickTextCheckBox"}, Text() && HP && !P(6)},
            {{"ColumnAcceptPickListCheckBox"}, ES && HP && P(2)},
            {{"ColumnStoreItemIndexCheckBox"}, HP && Text()},
            {{"ColumnAcceptItemIndexCheckBox"}, ES && HP},
            {{Format}, Text() && HP && P(2)},
            {{"ColumnFormatListOnlyCheckBox", "ColumnPickTextFormatComboBox"},
             Text() && HP && P(2) && P(9)},
            {{AutoLoadList}, Text()},
            {{"ColumnAppendToListCheckBox"}, Text() && P(6)},
            {{LoadPickText}, Text() && P(2)},
        },
        // Overrides.
        SplitMemos,
    };
    return table;
}

} // namespace

TColumnPickListPropList::TColumnPickListPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

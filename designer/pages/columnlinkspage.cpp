// The "Links" page: the column's menus, images and title links. Its " Linkage " group also holds
// the pop-up menu and image index of the total row chosen on the Total page, which that page's
// list binds; loading this page therefore loads the Total page's list first. The column-dialog
// and report groups are bound but never shown.

#include "columnrules.h"
#include "gridpages.h"

namespace {

using namespace TFactory;
using namespace ColumnRules;

const char *const Linkage = "ColumnLinkageGroupBox";
const char *const Dialog = "ColumnDialogGroupBox";
const char *const ReportDialog = "ColumnReportDialogGroupBox";
const char *const Report = "ColumnReportGroupBox";

// The two total combo boxes show the total row chosen on the Total page: its list loads first.
// Its tab sheet is only loaded, not shown: it stays hidden when it is not the page on show.
// The base loading that follows makes this page's list the active one again.
void LoadTotalRow(TPageTableList &Page)
{
    TPropList *parent = Page.List().ParentList();
    if (!parent)
        return;
    auto *sheet = Page.PageControl<QWidget>(QStringLiteral("ColumnTotalTabSheet"));
    const bool hidden = sheet->isHidden();
    parent->LoadList(sheet);
    if (hidden)
        sheet->hide();
}

// The dialog and report settings are kept out of sight on every load, "Enable All" or not.
void HideDialogGroups(TPageTableList &Page)
{
    for (const char *name : {Dialog, ReportDialog, Report})
        if (TPropItem *item = Page.Item(QString::fromLatin1(name)))
            item->SetVisible(false);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColumnLinksTabSheet",
        // Groups.
        {
            {Linkage, OnSheet, " Linkage "},
            {Dialog, OnSheet, " ColumnDialog ", TPlace::NewColumn},
            {ReportDialog, OnSheet, " ReportDialog "},
            {Report, OnSheet, " Report "},
        },
        // Rows.
        {
            {"ColumnDropDownMenuComboBox", Linkage, AddLinkProp, "DropDownMenu"},
            {"ColumnPopupMenuComboBox", Linkage, AddLinkProp, "PopupMenu"},
            {"ColumnImagesComboBox", Linkage, AddLinkProp, "Images"},
            {"ColumnTitleDropDownMenuComboBox", Linkage, AddLinkProp, "Title.DropDownMenu", NoArgs,
             "TitleDropDownMenu"},
            {"ColumnTitlePopupMenuComboBox", Linkage, AddLinkProp, "Title.PopupMenu", NoArgs,
             "TitlePopupMenu"},
            {"ColumnTitleImageIndexComboBox", Linkage, AddKorColumnTitleImageIndexProp,
             "Title.ImageIndex", NoArgs, "TitleImageIndex"},
            // Made and bound by the Total page's list.
            {"ColumnTotalPopupMenuComboBox", Linkage, Unbound, nullptr},
            {"ColumnTotalImageIndexComboBox", Linkage, Unbound, nullptr},
            {Dialog, OnSheet, AddNoneProp, "DialogOptions"},
            {"ColumnShowColumnCheckBox", Dialog, AddElemProp, "DialogOptions", Elem(0),
             "ShowColumn"},
            {"ColumnItemEnabledCheckBox", Dialog, AddElemProp, "DialogOptions", Elem(1),
             "ItemEnabled"},
            {ReportDialog, OnSheet, AddNoneProp, "Report.DialogOptions"},
            {"ColumnReportShowColumnCheckBox", ReportDialog, AddElemProp, "Report.DialogOptions",
             Elem(0), "ShowColumn"},
            {"ColumnReportItemEnabledCheckBox", ReportDialog, AddElemProp, "Report.DialogOptions",
             Elem(1), "ItemEnabled"},
            {Report, OnSheet, AddNoneProp, "Report"},
            {"ColumnReportVisibleCheckBox", Report, AddBoolProp, "Report.Visible"},
            {"ColumnReportAutoHeightCheckBox", Report, AddBoolProp, "Report.AutoHeight"},
            {"ColumnReportTotalTypeComboBox", Report, AddEnumProp, "Report.TotalType"},
            {"ColumnReportTotalTextEdit", Report, AddTextProp, "Report.TotalText"},
            {"ColumnReportTotalEdit", Report, AddTextProp, "Report.TotalMask", NoArgs, "TotalMask"},
        },
        // Rules.
        {
            {{"ColumnDropDownMenuComboBox"}, Edit() && Button(4)},
            // The title's own drop-down menu is used when its TitleButtonStyle has ordinal 3.
            {{"ColumnTitleDropDownMenuComboBox"}, Edit() && Ord("TitleButtonStyle", 3)},
        },
        // Overrides.
        {},
        HideDialogGroups,
        {},
        LoadTotalRow,
    };
    return table;
}

} // namespace

TColumnLinksPropList::TColumnLinksPropList(TDesignWindow *AOwnerForm, TKorColumn *Column)
    : TColumnPagePropList(AOwnerForm, Column, PageTable())
{
}

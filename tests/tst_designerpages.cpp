// The enabling of every grid designer page's controls, following the grid and column states
// that switch them off and on.

#include <QtTest>

#include "column.h"
#include "controls/controlbase.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"

namespace {

// Each row: a name, the grid (or with "Column." its first column) state in which the controls
// are disabled, the change a user makes that enables them, and the controls, by "|"; a row goes
// on in the lines indented under it. The last row stays last: the columns it makes in place of
// the customised ones stay.
const char *const kStateRows = R"(
dgTitles off disables the title controls of every page | Options[2]=0 Options[18]=1 Options[19]=1
    Options[27]=1 ShowHint=1 HintOptions[0]=1 Column.Title.Button=1 | Options[2]=1 | HeadersCheckBox
    TitleButtonsCheckBox HotButtonsCheckBox FillerButtonCheckBox HeaderRowSpaceEdit
    TitleColMarginEdit FillerIndexComboBox HeaderColorColorBox FillerColorColorBox
    HeaderFontGroupBox TitleFontGroupBox ColumnResizeCheckBox ColumnMovingCheckBox
    MarkerAutoToggleCheckBox MarkerAutoSwitchCheckBox MarkerAscendOnlyCheckBox TitleHintsCheckBox
    ShowTitleHintsCheckBox FillerHintEdit TitleImagesComboBox FillerPopupMenuComboBox
    ColumnTitleCaptionEdit ColumnTitleButtonCheckBox ColumnTitleAutoToggleCheckBox
    ColumnTitleWordWrapCheckBox ColumnTitleHintEdit
dgHeaders off | Options[19]=0 | Options[19]=1 | HeaderRowSpaceEdit HeaderColorColorBox
    HeaderFontGroupBox
dgIndicator off | Options[3]=0 ShowHint=1 | Options[3]=1 | IndicatorMarkerCheckBox
    IndicatorWidthEdit RowResizeCheckBox IndicatorHintEdit IndicatorImagesComboBox
    FillerColorColorBox FillerHintEdit FillerIndexComboBox
fixed colour with totals alone | Options[2]=0 Options[3]=0 | Totals.Active=1 | FixedColorColorBox
inactive totals | Totals.Active=0 OptionsEx[1]=1 OptionsEx[6]=1 OptionsEx[21]=1 ShowHint=1 |
    Totals.Active=1 | TotalColMarginEdit TotalColorColorBox TotalSelectedColorCheckBox
    TotalFontGroupBox TotalHeaderBoxCheckBox TotalFooterBoxCheckBox TotalDataBoxOnlyCheckBox
    TotalColLinesCheckBox TotalBoxStyleComboBox TotalHintsCheckBox ShowTotalToolTipsCheckBox
    TotalDataSourceComboBox ColumnTotalTotalNameComboBox
total tool tips kept with active totals | ShowHint=1 HintOptions[4]=0 HintOptions[12]=1
    Totals.Active=0 | Totals.Active=1 | KeepShowToolTipsCheckBox AlwaysShowToolTipsCheckBox
hints off | ShowHint=0 HintOptions[0]=1 HintOptions[2]=1 HintOptions[7]=1 HintOptions[10]=1
    Totals.Active=1 | ShowHint=1 | DataHintsCheckBox EditorHintsCheckBox ShowDataHintsCheckBox
    ShowEditorHintsCheckBox ShowTotalHintsCheckBox ShowToolTipsCheckBox ColumnHintEdit
    ColumnEditorHintEdit
tool tips replace data hints | ShowHint=1 HintOptions[4]=1 HintOptions[7]=1 | HintOptions[4]=0 |
    DataHintsCheckBox ShowDataHintsCheckBox
tool tips chosen | ShowHint=1 HintOptions[4]=0 HintOptions[12]=0 | HintOptions[4]=1 |
    KeepShowToolTipsCheckBox ColumnToolTipsCheckBox
total tool tips replace total hints | ShowHint=1 Totals.Active=1 HintOptions[10]=1 HintOptions[12]=1
    | HintOptions[12]=0 | TotalHintsCheckBox ShowTotalHintsCheckBox
dgEditing off | Options[0]=0 ShowHint=1 HintOptions[2]=1 Column.ShowEdit=1 Column.PickOptions[6]=1 |
    Options[0]=1 | AllowDeleteOffCheckBox CancelOnExitCheckBox ShowEditorByCharCheckBox
    ConfirmDeleteCheckBox EditorHintsCheckBox ShowEditorHintsCheckBox EditorColorCheckBox
    ColumnEditorHintEdit ColumnShowEditCheckBox ColumnEditMemoCheckBox ColumnButtonStyleComboBox
    ColumnDropDownGroupBox ColumnMultiSelectGroupBox ColumnAutoCompleteCheckBox
    ColumnDropDownListCheckBox
read-only grid | ReadOnly=1 | ReadOnly=0 | AllowInsertOffCheckBox ConfirmDeleteCheckBox
deleting not allowed | Options[21]=1 | Options[21]=0 | ConfirmDeleteCheckBox
row select | Options[8]=1 Options[12]=1 | Options[8]=0 | EditingCheckBox ColsCheckBox CellsCheckBox
no row select | Options[8]=0 | Options[8]=1 | RowScrollCheckBox
no multi-select | Options[12]=0 Options[14]=0 OptionsExt[1]=0 Totals.CalcValues=1 | Options[12]=1 |
    ExtendedSelectCheckBox ClickSelectOffCheckBox AutoUnselectOffCheckBox RowsCheckBox ColsCheckBox
    MultiSelectedColorCheckBox TotalHeaderSelectedCheckBox CalcSelectedRowsCheckBox
    DelaySelectedRowsCheckBox
internal select | Options[12]=0 Options[14]=0 | Options[14]=1 | RowsCheckBox CellsCheckBox
    MultiSelectedColorColorBox
auto select column | Options[12]=0 OptionsExt[1]=0 | OptionsExt[1]=1 | TotalFooterSelectedCheckBox
no column resize | Options[4]=0 ResizeOptions[3]=1 | Options[4]=1 | ColumnResizingCheckBox
    OptimalWidthCheckBox DefaultWidthCheckBox RightMovingCheckBox
right moving | ResizeOptions[3]=0 | ResizeOptions[3]=1 | RightMovingCheckBox
themed drawing | DrawingStyle=1 Options[18]=1 Options[17]=1 Totals.Active=1 OptionsEx[6]=1 |
    DrawingStyle=0 | FixedStyleComboBox ListBorderComboBox HotButtonsComboBox TotalColLinesCheckBox
    TotalBoxStyleComboBox WinXPModeCheckBox ScrollBarStyleComboBox
hot buttons | Options[18]=1 Options[17]=0 | Options[17]=1 | HotButtonsComboBox
gradient drawing | DrawingStyle=0 | DrawingStyle=2 | FixedCellsGroupBox GradientStartColorColorBox
gradient | Gradient.Active=0 | Gradient.Active=1 | SelectedCellsGroupBox
no border | BorderStyle=0 | BorderStyle=1 | Ctl3DCheckBox
no lines | Options[5]=0 Options[6]=0 Totals.Active=1 | Options[5]=1 Options[6]=1 |
    DataColLineColorCheckBox DataRowLineColorColorBox TotalColLinesCheckBox
settings inactive | Settings.Active=0 ToolMenuItems[11]=1 | Settings.Active=1 |
    SettingsIniFileCheckBox SettingsExeNameCheckBox SubItemsExLoadLayoutCheckBox
settings in an ini file | Settings.Active=1 Settings.IniFile=1 | Settings.IniFile=0 |
    SettingsExeNameCheckBox
dragging by dock | DragKind=1 | DragKind=0 | DragCursorComboBox
help by keyword | HelpType=0 | HelpType=1 | HelpContextEdit
help by context | HelpType=1 | HelpType=0 | HelpKeywordEdit
columns menu | ToolMenuItems[3]=0 | ToolMenuItems[3]=1 | SubItemsColumnsShowCheckBox
auto-filter menu | ToolMenuItems[5]=0 | ToolMenuItems[5]=1 | SubItemsAutoFilterActiveCheckBox
multi-select menu | ToolMenuItems[7]=0 | ToolMenuItems[7]=1 | SubItemsMultiSelectActiveCheckBox
settings menu | ToolMenuItems[11]=0 Settings.Active=1 | ToolMenuItems[11]=1 |
    SubItemsExLoadLayoutCheckBox SubItemsExLoadCheckBox SubItemsExEraseFromRegistryCheckBox
list items not updated | OptionsExt[3]=0 | OptionsExt[3]=1 | DelayUpdateListItemsCheckBox
no stretch | StretchMode=0 ScrollProp.AutoHidden=1 | StretchMode=1 | StretchWidthMinEdit
    AutoStretchCheckBox
order not updated | OptionsEx[12]=0 | OptionsEx[12]=1 | AutoAscendOrderCheckBox
ascending order updated | Options[27]=1 OptionsEx[12]=1 OptionsEx[13]=1 | OptionsEx[13]=0 |
    MarkerAscendOnlyCheckBox
no marker toggle | Options[27]=0 Column.Title.Button=1 | Options[27]=1 | MarkerAutoSwitchCheckBox
    MarkerClearAllowedCheckBox MarkerAscendOnlyCheckBox ColumnTitleAutoToggleCheckBox
not filtered | Filtered=0 | Filtered=1 | FilterEdit
filter grid off | FilterGrid.Filtered=0 FilterGrid.AutoFilters[0]=1 FilterGrid.AutoFilters[1]=1 |
    FilterGrid.Filtered=1 | FilterGridFilterTextEdit FilterGridIncrementalListCheckBox
    FilterGridAddSelectedCheckBox FilterGridDecimalSeparatorCheckBox FilterGridClause2CheckBox
filter lists | FilterGrid.Filtered=1 FilterGrid.AutoFilters[0]=0 FilterGrid.AutoFilters[1]=0 |
    FilterGrid.AutoFilters[0]=1 | FilterGridListAnimationCheckBox FilterGridAddSelectedCheckBox
    ColumnTitleFilterListCheckBox
filter form | FilterGrid.Filtered=1 FilterGrid.AutoFilters[0]=0 FilterGrid.AutoFilters[1]=0
    FilterGrid.Periods[1]=1 | FilterGrid.AutoFilters[1]=1 | FilterGridClause2CheckBox
    FilterGridDecimalSeparatorCheckBox FilterGridPeriod1CheckBox FilterGridPeriod12CheckBox
    FilterGridPeriod24CheckBox ColumnTitleFilterFormCheckBox
auto filter | FilterGrid.AutoFilter=0 | FilterGrid.AutoFilter=1 | ColumnTitleAutoFilterCheckBox
Minute period | FilterGrid.Filtered=1 FilterGrid.AutoFilters[1]=1 FilterGrid.Periods=0 |
    FilterGrid.Periods[1]=1 | FilterGridPeriod12CheckBox FilterGridPeriod15CheckBox
Hour period | FilterGrid.Filtered=1 FilterGrid.AutoFilters[1]=1 FilterGrid.Periods=0 |
    FilterGrid.Periods[2]=1 | FilterGridPeriod16CheckBox
late periods | FilterGrid.Filtered=1 FilterGrid.AutoFilters[1]=1 FilterGrid.Periods=0 |
    FilterGrid.Periods[3]=1 FilterGrid.Periods[5]=1 FilterGrid.Periods[7]=1 FilterGrid.Periods[9]=1
    | FilterGridPeriod17CheckBox FilterGridPeriod19CheckBox FilterGridPeriod21CheckBox
    FilterGridPeriod23CheckBox
more late periods | FilterGrid.Filtered=1 FilterGrid.AutoFilters[1]=1 FilterGrid.Periods=0 |
    FilterGrid.Periods[4]=1 FilterGrid.Periods[6]=1 FilterGrid.Periods[8]=1 |
    FilterGridPeriod18CheckBox FilterGridPeriod20CheckBox FilterGridPeriod22CheckBox
search inactive | Search.Active=0 | Search.Active=1 | SearchIncrementalCheckBox SearchListWidthEdit
    SearchColorColorBox SearchPanelColorColorBox
tree view without key fields | KeyFields= TreeView.ParentFields=parent | KeyFields=id |
    TreeViewAutoActiveCheckBox
tree view without parent fields | KeyFields=id TreeView.ParentFields= | TreeView.ParentFields=parent
    | TreeViewAutoActiveCheckBox
tree view not active | KeyFields=id TreeView.ParentFields=parent TreeView.AutoActive=0 |
    TreeView.AutoActive=1 | TreeViewAutoUpdateCheckBox TreeViewColumnNamesComboBox
no scroll bars | ScrollBars=0 | ScrollBars=3 | ThumbBarComboBox ScrollBarColorColorBox
    WinXPModeCheckBox ThumbTrackingCheckBox
horizontal scroll bar | ScrollBars=1 | ScrollBars=2 | ThumbTrackingCheckBox
XP scroll bars | ScrollProp.WinXPMode=1 | ScrollProp.WinXPMode=0 | ScrollBarStyleComboBox
    AutoHiddenComboBox ParentStyleCheckBox
horizontal bar hidden | StretchMode=1 ScrollProp.AutoHidden=2 | ScrollProp.AutoHidden=3 |
    AutoStretchCheckBox
sequence not updated | OptionsEx[15]=0 | OptionsEx[15]=1 | DelayUpdateSequenceCheckBox
sequence not forced | Options[29]=0 OptionsExt[9]=1 | Options[29]=1 | ScrollGridModeCheckBox
    ScrollPageModeCheckBox
no grid mode | Options[29]=1 OptionsExt[9]=0 | OptionsExt[9]=1 | ScrollPageModeCheckBox
selected rows hidden | OptionsEx[23]=1 OptionsEx[24]=1 OptionsEx[25]=1 OptionsEx[26]=1 |
    OptionsEx[26]=0 | TotalHeaderCheckBox TotalValuesCheckBox TotalFooterCheckBox
header selected | OptionsEx[23]=1 OptionsEx[26]=1 | OptionsEx[23]=0 | TotalHeaderCheckBox
values selected | OptionsEx[24]=1 OptionsEx[26]=1 | OptionsEx[24]=0 | TotalValuesCheckBox
footer selected | OptionsEx[25]=1 OptionsEx[26]=1 | OptionsEx[25]=0 | TotalFooterCheckBox
no selected rows | OptionsEx[23]=0 OptionsEx[24]=0 OptionsEx[25]=0 | OptionsEx[24]=1 |
    SelectedAutoHiddenCheckBox
header row | Totals.Active=1 OptionsEx[1]=0 OptionsEx[23]=0 | OptionsEx[1]=1 |
    TotalHeaderBoxCheckBox
values row | Totals.Active=1 OptionsEx[2]=0 OptionsEx[24]=0 | OptionsEx[2]=1 |
    TotalValuesBoxCheckBox
fields row | Totals.Active=1 OptionsEx[3]=0 | OptionsEx[3]=1 | TotalFieldsBoxCheckBox
footer row | Totals.Active=1 OptionsEx[4]=0 OptionsEx[25]=0 | OptionsEx[25]=1 |
    TotalFooterBoxCheckBox TotalSelectedColorColorBox
no boxes | Totals.Active=1 OptionsEx[6]=0 OptionsEx[7]=0 OptionsEx[8]=0 OptionsEx[9]=0 |
    OptionsEx[9]=1 | TotalDataBoxOnlyCheckBox TotalBoxStyleComboBox
totals not calculated | Totals.CalcValues=0 Options[12]=1 | Totals.CalcValues=1 |
    AutoUpdateTotalsCheckBox CalcInvisibleRowsCheckBox CalcWholeDataSetCheckBox
    DelayUpdateTotalsCheckBox CalcSelectedRowsCheckBox
totals not updated | Totals.CalcValues=1 Options[12]=1 OptionsEx[17]=0 | OptionsEx[17]=1 |
    DelayUpdateTotalsCheckBox DelaySelectedRowsCheckBox
total selected colour | Totals.Active=1 OptionsEx[21]=0 OptionsEx[25]=0 | OptionsEx[21]=1 |
    TotalSelectedColorCheckBox TotalSelectedColorColorBox
a check-box column has no text | Options[0]=1 Column.ShowEdit=1 Column.CheckBox=1 |
    Column.CheckBox=0 | ColumnShowMemoCheckBox ColumnShowEditCheckBox ColumnButtonStyleComboBox
    ColumnAutoNumberCheckBox ColumnFilterListMemo ColumnPickListMemo ColumnAutoLoadListGroupBox
    ColumnLookupColumnGroupBox
a numbered column has no text | Column.AutoNumber=1 | Column.AutoNumber=0 | ColumnShowMemoCheckBox
    ColumnFilterListMemo ColumnPickListMemo
an expand box heading no group | Column.ExpandBox=1 Column.ExpandCols=0 | Column.ExpandCols=2 |
    ColumnShowMemoCheckBox ColumnExpandedCheckBox
no check box | Column.CheckBox=0 | Column.CheckBox=1 | ColumnCheckBoxStyleComboBox
    ColumnCheckBoxValuesEdit
no expand box | Column.ExpandBox=0 | Column.ExpandBox=1 | ColumnExpandBoxSizeComboBox
no calendar button | Options[0]=1 Column.ShowEdit=1 Column.ButtonStyle=0 | Column.ButtonStyle=5 |
    ColumnCalendarGroupBox
no menu button | Options[0]=1 Column.ShowEdit=1 Column.ButtonStyle=0 | Column.ButtonStyle=4 |
    ColumnDropDownMenuComboBox
ellipsis button | Options[0]=1 Column.ShowEdit=1 Column.ButtonStyle=2 | Column.ButtonStyle=0 |
    ColumnAutoDropDownCheckBox ColumnSelectNextValueCheckBox ColumnAutoCompleteCheckBox
    ColumnMultiSelectListCheckBox
editor not shown | Options[0]=1 Column.ShowEdit=0 | Column.ShowEdit=1 | ColumnEditMemoCheckBox
    ColumnAutoCompleteCheckBox
no lookup data set | Options[0]=1 Column.ShowEdit=1 Column.LookupDataSet= |
    Column.LookupDataSet=Countries | ColumnLookupListGroupBox ColumnKeyFieldComboBox
    ColumnLookupKeyFieldComboBox
no lookup column | Options[0]=1 Column.ShowEdit=1 Column.LookupColumn=0 | Column.LookupColumn=1 |
    ColumnAllowAdjustOrderCheckBox ColumnDropDownList1CheckBox ColumnReadOnly1CheckBox
no pick list | Options[0]=1 Column.ShowEdit=1 Column.PickOptions[2]=1 Column.PickList= |
    Column.PickList=One | ColumnPickTextMemo ColumnListItemsOnlyCheckBox
    ColumnStoreItemIndexCheckBox ColumnAcceptItemIndexCheckBox ColumnFormatGroupBox
    ColumnDropDownListCheckBox
transparent image | Column.Transparent=0 | Column.Transparent=1 | ColumnTransparentColorColorBox
title drop-down menu | Options[0]=1 Column.ShowEdit=1 Column.TitleButtonStyle=0 |
    Column.TitleButtonStyle=3 | ColumnTitleDropDownMenuComboBox
total header row hidden | Totals.Active=1 OptionsEx[1]=0 | OptionsEx[1]=1 | ColumnTotalColorColorBox
    ColumnTotalFontGroupBox ColumnTotalVisibleCheckBox
customised columns | | Columns.State=0 | DefaultWidthMinEdit AutoNumberColumnCheckBox
)";

} // namespace

class TestDesignerPages : public QObject, GridDesignerFixture {
    Q_OBJECT

    QString fixtureFor;
    QList<std::function<void()>> undo;

    // Sets space-separated assignments "Path=Value" or "Set[Element]=0|1" on the grid, or with
    // "Column." on its first column; numbers are ordinals, anything else a string. Each old
    // value goes to undo.
    void apply(const QString &Assignments)
    {
        TKorColumn *column = grid->Columns()->Items(0);
        for (const QString &assignment : Assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            QString path = assignment.section(QLatin1Char('='), 0, 0);
            const QString value = assignment.section(QLatin1Char('='), 1);
            QObject *object = path.startsWith(u"Column."_s) ? static_cast<QObject *>(column) : grid;
            path.remove(u"Column."_s);
            if (path == QLatin1String("Columns.State")) {
                grid->Columns()->setState(Kor::TKorDBGridColumnsState(value.toInt()));
            } else if (path == QLatin1String("PickList")) {
                undo.append([column, old = column->PickList()->Text()] {
                    column->PickList()->SetText(old);
                });
                column->PickList()->SetText(value);
            } else if (path == QLatin1String("LookupDataSet")) {
                undo.append(
                    [column, old = column->LookupDataSet()] { column->setLookupDataSet(old); });
                column->setLookupDataSet(value.isEmpty() ? nullptr : &data->Countries);
            } else {
                QStringList parts = path.split(QLatin1Char('.'));
                for (int i = 0; i + 1 < parts.size(); ++i)
                    object = GetObjectProp(object, parts.at(i));
                const QString name = parts.constLast().section(QLatin1Char('['), 0, 0);
                bool number = false;
                int ordinal = value.toInt(&number);
                if (!number) {
                    undo.append([object, name, old = GetStrProp(object, name)] {
                        SetStrProp(object, name, old);
                    });
                    SetStrProp(object, name, value);
                    continue;
                }
                const quint32 set = quint32(GetOrdProp(object, name));
                undo.append([object, name, set] { SetOrdProp(object, name, qint32(set)); });
                if (parts.constLast().endsWith(QLatin1Char(']'))) {
                    const quint32 bit = 1u << parts.constLast().section('[', 1).chopped(1).toInt();
                    ordinal = qint32(ordinal ? set | bit : set & ~bit);
                }
                SetOrdProp(object, name, ordinal);
            }
        }
    }

    // Shows the page of each named control and checks the control and its label.
    void expectEnabled(const QString &Controls, bool Value)
    {
        const QList<TPageTableList *> pages = DesignerPages(window->GetPropList());
        for (const QString &name : Controls.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            auto *control = window->findChild<QWidget *>(name);
            QVERIFY(control);
            const auto page = std::find_if(pages.begin(), pages.end(), [&](TPageTableList *P) {
                return P->TabSheet()->isAncestorOf(control);
            });
            QVERIFY(page != pages.end());
            ShowPage((*page)->TabSheet()->objectName());
            const TPropItem *item = (*page)->Item(name);
            QWidget *label = item ? item->GetTextControl() : nullptr;
            QVERIFY(ControlEnabled(control) == Value && (!label || ControlEnabled(label) == Value));
        }
    }

private slots:
    // One window for all the rows, each putting back what it changed.
    void init()
    {
        if (window && fixtureFor == QLatin1String(QTest::currentTestFunction()))
            return;
        TearDown();
        fixtureFor = QLatin1String(QTest::currentTestFunction());
        ResetTestSettingsDir();
        MakeGrid();
        QVERIFY(OpenDesigner());
        // The rows name controls of every page, which exist once the page is built.
        BuildAllPages(window->GetPropList());
    }

    void cleanup()
    {
        while (!undo.isEmpty())
            undo.takeLast()();
    }

    void cleanupTestCase() { TearDown(); }

    void enablingFollowsGridState_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString rows = QString::fromLatin1(kStateRows).replace(u"\n    "_s, u" "_s);
        for (const QString &row : rows.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList fields = row.split(QLatin1Char('|'));
            QTest::addRow("%s", qPrintable(fields.first().trimmed())) << fields;
        }
    }

    // Every rule-governed control is disabled in some state of the grid or column, and a
    // change that a user makes enables it again.
    void enablingFollowsGridState()
    {
        QFETCH(QStringList, row);
        apply(row[1]);
        expectEnabled(row[3], false);
        if (QTest::currentTestFailed())
            return;
        apply(row[2]);
        expectEnabled(row[3], true);
    }
};

QTEST_MAIN(TestDesignerPages)
#include "tst_designerpages.moc"

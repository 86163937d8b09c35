// The column-level pages of the grid designer beyond what the table walk covers: the total page's
// row choice and its result controls, the text-column conditions of the Control and Editor
// pages, lookup against plain columns, the Links page loading the total row, the grid's
// "Titles" and "Editing" options switching column controls off, and a fresh column shown in
// regular type everywhere.

#include <QtTest>

#include "column.h"
#include "controls/checkbox.h"
#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "formdesigner.h"
#include "grid.h"
#include "gridpages.h"
#include "gridparts.h"
#include "kordbgriddesigner.h"
#include "menus.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"
#include "tst_runtime_fixture.h"

namespace {

const QString kTotalName = QStringLiteral("ColumnTotalTotalNameComboBox");

// The page list of the tree that fills the tab sheet of that name.
TPageTableList *pageOf(TPropList *List, const QString &Sheet)
{
    for (int i = 0; List && i < List->ListCount(); ++i) {
        auto *page = dynamic_cast<TPageTableList *>(List->Lists(i));
        if (page && page->TabSheet()->objectName() == Sheet)
            return page;
        if (TPageTableList *found = pageOf(List->Lists(i), Sheet))
            return found;
    }
    return nullptr;
}

} // namespace

class TestDesignerColumnPages : public QObject, GridDesignerFixture {
    Q_OBJECT

    TKorColumn *column = nullptr;

    TPageTableList *page(const char *Sheet)
    {
        return pageOf(window->GetPropList(), QString::fromLatin1(Sheet));
    }

    // Shows a column page of the current column the way the window does.
    TPageTableList *show(const char *Sheet)
    {
        TPageTableList *p = page(Sheet);
        auto *columns = window->findChild<QWidget *>(QStringLiteral("ColumnsTabSheet"));
        window->PageControl->setCurrentWidget(columns);
        window->ColumnsPageControl->setCurrentWidget(p->TabSheet());
        // The columns list chooses the first column on its first load.
        window->GetPropList()->LoadList(columns);
        window->GetPropList()->LoadList(p->TabSheet());
        return p;
    }

    bool enabled(TPageTableList *Page, const QString &Name)
    {
        return ControlEnabled(Page->PageControl<QWidget>(Name));
    }

    bool shown(TPageTableList *Page, const QString &Name)
    {
        return ControlVisible(Page->PageControl<QWidget>(Name));
    }

    // Chooses a total row through the total-name combo box, as the user does.
    void chooseRow(TPageTableList *Total, const QString &Row)
    {
        Total->PageControl<TComboBox>(kTotalName)->SetText(Row);
        Total->Item(kTotalName)->SaveEditControl();
    }

    void setOption(const char *Path, int Index, bool On)
    {
        const QString name = QString::fromLatin1(Path);
        quint32 set = quint32(GetOrdProp(grid, name));
        set = On ? set | (1u << Index) : set & ~(1u << Index);
        SetOrdProp(grid, name, qint32(set));
    }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        MakeGrid();
        column = grid->Columns()->Items(0);
        column->TotalValues()->Add();
        column->TotalValues()->Add();
        QVERIFY(OpenDesigner());
    }

    void cleanup() { TearDown(); }

    void totalRowChoiceSwitchesGroups_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("resultChecked");
        QTest::addColumn<bool>("resultGroup");
        QTest::addColumn<bool>("resultControls");
        QTest::addRow("header, colours") << "TotalHeader" << false << false << true;
        QTest::addRow("header, result") << "TotalHeader" << true << true << true;
        QTest::addRow("values row 1, result") << "TotalValues[1]" << true << true << true;
        QTest::addRow("footer, result") << "TotalFooter" << true << true << true;
        QTest::addRow("fields, checked") << "TotalFields" << true << false << false;
        QTest::addRow("fields, unchecked") << "TotalFields" << false << false << false;
    }

    void totalRowChoiceSwitchesGroups()
    {
        QFETCH(QString, row);
        QFETCH(bool, resultChecked);
        QFETCH(bool, resultGroup);
        QFETCH(bool, resultControls);
        TPageTableList *total = show("ColumnTotalTabSheet");
        const QStringList rows = total->PageControl<TComboBox>(kTotalName)->Items();
        QCOMPARE(rows, QStringList({"TotalHeader", "TotalValues[0]", "TotalValues[1]",
                                    "TotalFields", "TotalFooter"}));
        auto *result = total->PageControl<TCheckBox>(QStringLiteral("ColumnTotalResultCheckBox"));
        result->SetChecked(resultChecked);
        const int modified = designer->ModifiedCount();
        chooseRow(total, row);

        // Choosing a row modifies nothing.
        QCOMPARE(designer->ModifiedCount(), modified);
        QCOMPARE(static_cast<TKorColumnTotalPropList &>(total->List()).TotalName, row);
        QCOMPARE(ControlEnabled(result), row != QLatin1String("TotalFields"));
        QCOMPARE(shown(total, QStringLiteral("ColumnTotalResultGroupBox")), resultGroup);
        QCOMPARE(shown(total, QStringLiteral("ColumnTotalColorGroupBox")), !resultGroup);
        QCOMPARE(shown(total, QStringLiteral("ColumnTotalFontGroupBox")), !resultGroup);
        for (const char *name : {"ColumnTotalTotalResultComboBox", "ColumnTotalCaptionEdit",
                                 "ColumnTotalFormatComboBox", "ColumnTotalFormatAsFloatCheckBox",
                                 "ColumnTotalPopupMenuComboBox", "ColumnTotalImageIndexComboBox",
                                 "ColumnTotalPopupMenuLabel"})
            QVERIFY2(shown(total, QString::fromLatin1(name)) == resultControls, name);
    }

    void valueRowResultChoosesControls_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("fieldName");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<bool>("recNo");
        QTest::addColumn<bool>("calc");
        QTest::addRow("none") << 0 << false << false << false << false;
        QTest::addRow("caption") << 1 << false << true << false << false;
        QTest::addRow("current field") << 2 << true << false << false << false;
        QTest::addRow("totals record") << 3 << true << false << true << false;
        QTest::addRow("calculated") << 4 << true << false << false << true;
    }

    void valueRowResultChoosesControls()
    {
        QFETCH(int, result);
        QFETCH(bool, fieldName);
        QFETCH(bool, caption);
        QFETCH(bool, recNo);
        QFETCH(bool, calc);
        setOption("OptionsEx", 2, true);
        column->TotalValues()->Items(0)->setTotalResult(Kor::TKorTotalResult(result));
        TPageTableList *total = show("ColumnTotalTabSheet");
        chooseRow(total, QStringLiteral("TotalValues[0]"));

        QCOMPARE(enabled(total, QStringLiteral("ColumnTotalFieldNameComboBox")), fieldName);
        QCOMPARE(enabled(total, QStringLiteral("ColumnTotalCaptionEdit")), caption);
        QCOMPARE(enabled(total, QStringLiteral("ColumnTotalTotalRecNoEdit")), recNo);
        for (const char *name : {"ColumnTotalCalcValueComboBox", "ColumnTotalCalcApplyComboBox",
                                 "ColumnTotalNullValueCheckBox", "ColumnTotalFormatComboBox",
                                 "ColumnTotalFormatAsFloatCheckBox"})
            QVERIFY2(enabled(total, QString::fromLatin1(name)) == calc, name);
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalTotalResultComboBox")));
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalPopupMenuComboBox")));
        // Without total images there is no image to choose.
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalImageIndexComboBox")));

        // The grid hiding the values rows switches the row's controls off.
        setOption("OptionsEx", 2, false);
        total->List().LoadPropList();
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalTotalResultComboBox")));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalVisibleCheckBox")));
    }

    void headerRowKeepsResultControlState()
    {
        setOption("OptionsEx", 1, true);
        setOption("OptionsEx", 2, true);
        column->TotalValues()->Items(0)->setTotalResult(Kor::trCaption);
        TPageTableList *total = show("ColumnTotalTabSheet");
        chooseRow(total, QStringLiteral("TotalValues[0]"));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalCalcValueComboBox")));
        // The header has no result of its own: the controls stay as the values row left them,
        // while the header's field name follows the header row.
        chooseRow(total, QStringLiteral("TotalHeader"));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalCalcValueComboBox")));
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalCaptionEdit")));
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalFieldNameComboBox")));
        // "Enable All" lifts them too.
        window->GetPropList()->AllEnabled = true;
        total->List().LoadPropList();
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalCalcValueComboBox")));
    }

    void textColumnConditions_data()
    {
        QTest::addColumn<bool>("checkBox");
        QTest::addColumn<bool>("expandBox");
        QTest::addColumn<int>("expandCount");
        QTest::addColumn<bool>("autoNumber");
        QTest::addColumn<bool>("text");
        QTest::addRow("plain") << false << false << 0 << false << true;
        QTest::addRow("check box") << true << false << 0 << false << false;
        QTest::addRow("expand box, no group") << false << true << 0 << false << false;
        QTest::addRow("expand box, negative count") << false << true << -1 << false << false;
        QTest::addRow("expand box heading a group") << false << true << 2 << false << true;
        QTest::addRow("expand box heading a group, numbered")
            << false << true << 2 << true << false;
        QTest::addRow("check box heading a group") << true << true << 2 << false << false;
        QTest::addRow("numbered") << false << false << 0 << true << false;
    }

    void textColumnConditions()
    {
        QFETCH(bool, checkBox);
        QFETCH(bool, expandBox);
        QFETCH(int, expandCount);
        QFETCH(bool, autoNumber);
        QFETCH(bool, text);
        setOption("Options", 0, true);
        column->setShowEdit(true);
        column->setCheckBox(checkBox);
        column->setExpandBox(expandBox);
        column->setExpandCols(expandCount);
        column->setAutoNumber(autoNumber);

        TPageTableList *control = show("ColumnControlTabSheet");
        QCOMPARE(enabled(control, QStringLiteral("ColumnShowMemoCheckBox")), text);
        QCOMPARE(enabled(control, QStringLiteral("ColumnShowEditCheckBox")), text);
        QCOMPARE(enabled(control, QStringLiteral("ColumnExpandedCheckBox")), expandCount > 0);

        TPageTableList *editor = show("ColumnEditorTabSheet");
        QCOMPARE(enabled(editor, QStringLiteral("ColumnButtonStyleComboBox")), text);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnDropDownGroupBox")), text);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnAutoDropDownCheckBox")), text);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnAutoNumberCheckBox")),
                 !checkBox && !expandBox);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnCheckBoxStyleComboBox")), checkBox);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnCheckBoxValuesEdit")), checkBox);
        QCOMPARE(enabled(editor, QStringLiteral("ColumnExpandBoxSizeComboBox")), expandBox);
        // The check box itself is never switched off.
        QVERIFY(enabled(editor, QStringLiteral("ColumnCheckBoxCheckBox")));

        TPageTableList *filter = show("ColumnFilterTabSheet");
        QCOMPARE(enabled(filter, QStringLiteral("ColumnFilterListMemo")), text);
    }

    void editorSwitchesAlternateGroups()
    {
        TPageTableList *editor = show("ColumnEditorTabSheet");
        auto *boxes = editor->PageControl<TCheckBox>(QStringLiteral("ColumnExpandGrpCheckBox"));
        auto *lists = editor->PageControl<TCheckBox>(QStringLiteral("ColumnMultiSelectCheckBox"));
        QVERIFY(boxes->Checked() && lists->Checked());
        QVERIFY(shown(editor, QStringLiteral("ColumnCheckBoxGroupBox")));
        QVERIFY(!shown(editor, QStringLiteral("ColumnExpandBoxGroupBox")));
        QVERIFY(shown(editor, QStringLiteral("ColumnDropDownGroupBox")));
        QVERIFY(!shown(editor, QStringLiteral("ColumnMultiSelectGroupBox")));
        boxes->click();
        lists->click();
        QVERIFY(!shown(editor, QStringLiteral("ColumnCheckBoxGroupBox")));
        QVERIFY(shown(editor, QStringLiteral("ColumnExpandBoxGroupBox")));
        QVERIFY(!shown(editor, QStringLiteral("ColumnDropDownGroupBox")));
        QVERIFY(shown(editor, QStringLiteral("ColumnMultiSelectGroupBox")));
        // The switches are the designer's own: the column keeps its settings.
        QVERIFY(!column->CheckBox() && !column->ExpandBox());
        // The switch keeps its place over the caption of the group it shows.
        QCOMPARE(boxes->parentWidget(),
                 editor->PageControl<QWidget>(QStringLiteral("ColumnExpandBoxGroupBox"))
                     ->parentWidget());
    }

    void lookupAgainstPlainColumn_data()
    {
        QTest::addColumn<bool>("lookup");
        QTest::addRow("lookup column") << true;
        QTest::addRow("plain column") << false;
    }

    void lookupAgainstPlainColumn()
    {
        QFETCH(bool, lookup);
        setOption("Options", 0, true);
        column->setShowEdit(true);
        if (lookup) {
            column->setLookupColumn(Kor::lcList);
            column->setLookupDataSet(&data->Countries);
        }
        TPageTableList *page = show("ColumnLookupTabSheet");
        for (const char *name :
             {"ColumnLookupListGroupBox", "ColumnLookupListFieldsComboBox",
              "ColumnKeyFieldComboBox", "ColumnLookupKeyFieldComboBox",
              "ColumnLookupParentFieldComboBox", "ColumnLookupResultFieldComboBox",
              "ColumnLookupTreeViewFieldComboBox", "ColumnAllowAdjustOrderCheckBox",
              "ColumnDropDownList1CheckBox", "ColumnReadOnly1CheckBox"})
            QVERIFY2(enabled(page, QString::fromLatin1(name)) == lookup, name);
        // A text column keeps its lookup-column settings open either way.
        QVERIFY(enabled(page, QStringLiteral("ColumnLookupColumnGroupBox")));
        QVERIFY(enabled(page, QStringLiteral("ColumnLookupColumnComboBox")));
        QVERIFY(enabled(page, QStringLiteral("ColumnLookupDataSetComboBox")));
        if (lookup) {
            // The lookup field lists offer the lookup data set's fields.
            auto *key =
                page->PageControl<TComboBox>(QStringLiteral("ColumnLookupKeyFieldComboBox"));
            key->showPopup();
            QVERIFY(key->Items().contains(QStringLiteral("title")));
            key->hidePopup();
        }
    }

    void linksPageShowsChosenTotalRow()
    {
        auto *menu = designer->Create<TPopupMenu>();
        column->TotalFooter()->setPopupMenu(menu);
        column->TotalFooter()->setImageIndex(3);
        TPageTableList *total = show("ColumnTotalTabSheet");
        chooseRow(total, QStringLiteral("TotalFooter"));

        TPageTableList *links = show("ColumnLinksTabSheet");
        auto *popup = links->PageControl<TComboBox>(QStringLiteral("ColumnTotalPopupMenuComboBox"));
        QCOMPARE(popup->Text(), menu->Name());
        QCOMPARE(popup->parentWidget()->objectName(), QStringLiteral("ColumnLinkageGroupBox"));
        QCOMPARE(links->PageControl<QWidget>(QStringLiteral("ColumnTotalImageIndexComboBox"))
                     ->parentWidget(),
                 popup->parentWidget());
        // The Links list stays the active one, and the total sheet is not shown over it.
        TPropList *columns = links->List().ParentList();
        QCOMPARE(columns->ActiveList(), &links->List());
        QVERIFY(total->TabSheet()->isHidden());
        QVERIFY(!links->TabSheet()->isHidden());

        // A change of the chosen row from the Links page writes the footer.
        popup->SetText(QString());
        total->Item(QStringLiteral("ColumnTotalPopupMenuComboBox"))->SaveEditControl();
        QVERIFY(!column->TotalFooter()->PopupMenu());
        QVERIFY(column->TotalHeader()->PopupMenu() == nullptr);
    }

    void linksDialogGroupsNeverShow()
    {
        window->GetPropList()->AllEnabled = true;
        TPageTableList *links = show("ColumnLinksTabSheet");
        for (const char *name :
             {"ColumnDialogGroupBox", "ColumnReportDialogGroupBox", "ColumnReportGroupBox"})
            QVERIFY2(!shown(links, QString::fromLatin1(name)), name);
        QVERIFY(shown(links, QStringLiteral("ColumnLinkageGroupBox")));
    }

    void gridOptionsSwitchColumnControlsOff_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("controls");
        QTest::addRow("Titles: every title control")
            << "ColumnTitleTabSheet" << 2 << 0 << QStringList();
        QTest::addRow("Editing: column editor hint")
            << "ColumnTabSheet" << 0 << 0 << QStringList{"ColumnEditorHintEdit"};
        QTest::addRow("Editing: editing controls")
            << "ColumnControlTabSheet" << 0 << 0
            << QStringList{"ColumnShowEditCheckBox", "ColumnEditMemoCheckBox",
                           "ColumnCharCaseComboBox"};
        QTest::addRow("Editing: editor page")
            << "ColumnEditorTabSheet" << 0 << 0
            << QStringList{"ColumnAutoCompleteCheckBox", "ColumnButtonStyleComboBox",
                           "ColumnDropDownGroupBox", "ColumnMultiSelectGroupBox"};
        QTest::addRow("Editing: pick options")
            << "ColumnPickListTabSheet" << 0 << 0
            << QStringList{"ColumnDropDownListCheckBox", "ColumnAcceptItemIndexCheckBox"};
        QTest::addRow("Editing: links")
            << "ColumnLinksTabSheet" << 0 << int(Kor::cbsDropDownMenu)
            << QStringList{"ColumnDropDownMenuComboBox", "ColumnTitleDropDownMenuComboBox"};
    }

    void gridOptionsSwitchColumnControlsOff()
    {
        QFETCH(QString, sheet);
        QFETCH(int, option);
        QFETCH(int, button);
        QFETCH(QStringList, controls);
        // Everything else that these controls need holds.
        for (int o : {0, 2, 18, 27})
            setOption("Options", o, true);
        grid->setShowHint(true);
        SetOrdProp(grid, QStringLiteral("HintOptions"), qint32(0x1fff));
        grid->FilterGrid()->setAutoFilter(true);
        SetOrdProp(grid->FilterGrid(), QStringLiteral("AutoFilters"), 3);
        column->setShowEdit(true);
        column->setButtonStyle(Kor::TKorColumnButtonStyle(button));
        column->PickList()->SetText(QStringLiteral("One"));
        column->setPickOptions(Kor::poSelectPickText);
        column->Title()->setButton(true);
        column->setTitleButtonStyle(Kor::ttbDropDownMenu);
        TPageTableList *page = show(qPrintable(sheet));
        if (controls.isEmpty())
            for (const TPageRow &row : page->Table().Rows)
                if (row.Factory != TFactory::Unbound)
                    controls.append(QString::fromLatin1(row.Control));
        for (const QString &name : std::as_const(controls))
            QVERIFY2(enabled(page, name), qPrintable(name));

        setOption("Options", option, false);
        page->List().LoadPropList();
        for (const QString &name : std::as_const(controls))
            QVERIFY2(!enabled(page, name), qPrintable(name));
    }

    void freshColumnShowsRegularType_data()
    {
        QTest::addColumn<QString>("sheet");
        for (const char *sheet :
             {"ColumnTabSheet", "ColumnTitleTabSheet", "ColumnTotalTabSheet",
              "ColumnControlTabSheet", "ColumnEditorTabSheet", "ColumnFilterTabSheet",
              "ColumnPickListTabSheet", "ColumnLookupTabSheet", "ColumnLinksTabSheet"})
            QTest::addRow("%s", sheet) << QString::fromLatin1(sheet);
    }

    void freshColumnShowsRegularType()
    {
        QFETCH(QString, sheet);
        // A column added by hand, bound to no field: every property holds its default.
        TKorColumn *fresh = grid->Columns()->Add();
        fresh->TotalValues()->Add();
        static_cast<TCollectionPropList *>(
            pageOf(window->GetPropList(), QStringLiteral("ColumnTabSheet"))->List().ParentList())
            ->SetCollItem(fresh);
        TPageTableList *page = show(qPrintable(sheet));
        QCOMPARE(page->List().Instance(), fresh);
        for (int i = 0; i < page->List().ItemCount(); ++i) {
            TPropItem *item = page->List().Items(i);
            if (item->Visible())
                QVERIFY2(!IsBold(item->EditControl()),
                         qPrintable(item->EditControl()->objectName()));
        }
    }
};

QTEST_MAIN(TestDesignerColumnPages)
#include "tst_designercolumnpages.moc"

// The column-level pages of the grid designer beyond the enabling rules: the total page's row
// choice and its result controls, the switches of the Editor page, the Links page loading the
// total row, and a fresh column shown in regular type everywhere.

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

static const QString kTotalName = QStringLiteral("ColumnTotalTotalNameComboBox");

class TestDesignerColumnPages : public QObject, GridDesignerFixture {
    Q_OBJECT

    TKorColumn *column = nullptr;

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
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
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
        grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalValues);
        column->TotalValues()->Items(0)->setTotalResult(Kor::TKorTotalResult(result));
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
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
        grid->setOptionsEx(grid->OptionsEx() & ~Kor::TKorDBGridOptionsEx(Kor::dgxTotalValues));
        total->List().LoadPropList();
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalTotalResultComboBox")));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalVisibleCheckBox")));
    }

    void headerRowKeepsResultControlState()
    {
        grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalHeader | Kor::dgxTotalValues);
        column->TotalValues()->Items(0)->setTotalResult(Kor::trCaption);
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
        chooseRow(total, QStringLiteral("TotalValues[0]"));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalCalcValueComboBox")));
        // The header has no result of its own: the controls stay as the values row left them,
        // while the header's field name follows the header row.
        chooseRow(total, QStringLiteral("TotalHeader"));
        QVERIFY(!enabled(total, QStringLiteral("ColumnTotalCalcValueComboBox")));
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalCaptionEdit")));
        QVERIFY(enabled(total, QStringLiteral("ColumnTotalFieldNameComboBox")));
    }

    void editorSwitchesAlternateGroups()
    {
        TPageTableList *editor = ShowPage("ColumnEditorTabSheet");
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

    void linksPageShowsChosenTotalRow()
    {
        auto *menu = designer->Create<TPopupMenu>();
        column->TotalFooter()->setPopupMenu(menu);
        column->TotalFooter()->setImageIndex(3);
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
        chooseRow(total, QStringLiteral("TotalFooter"));

        TPageTableList *links = ShowPage("ColumnLinksTabSheet");
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
        TPageTableList *links = ShowPage("ColumnLinksTabSheet");
        for (const char *name :
             {"ColumnDialogGroupBox", "ColumnReportDialogGroupBox", "ColumnReportGroupBox"})
            QVERIFY2(!shown(links, QString::fromLatin1(name)), name);
        QVERIFY(shown(links, QStringLiteral("ColumnLinkageGroupBox")));
    }

    // A column added by hand, bound to no field, holds only defaults: no page shows bold.
    void freshColumnShowsRegularType()
    {
        TKorColumn *fresh = grid->Columns()->Add();
        fresh->TotalValues()->Add();
        static_cast<TCollectionPropList *>(Page("ColumnTabSheet")->List().ParentList())
            ->SetCollItem(fresh);
        for (int s = 0; s < window->ColumnsPageControl->count(); ++s) {
            const QString sheet = window->ColumnsPageControl->widget(s)->objectName();
            TPageTableList *page = ShowPage(sheet);
            QCOMPARE(page->List().Instance(), fresh);
            for (int i = 0; i < page->List().ItemCount(); ++i) {
                TPropItem *item = page->List().Items(i);
                QVERIFY2(!item->Visible() || !IsBold(item->EditControl()),
                         qPrintable(sheet + QLatin1Char(' ') + item->EditControl()->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestDesignerColumnPages)
#include "tst_designercolumnpages.moc"

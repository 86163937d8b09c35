// The column-level pages of the grid designer beyond the enabling rules: the total page's row
// choice and its result controls, the switches of the Editor page, the Links page loading the
// total row, and a fresh column shown in regular type everywhere.

#include <QtTest>

#include "column.h"
#include "controls/checkbox.h"
#include "controls/combobox.h"
#include "controls/controlbase.h"
#include "menus.h"
#include "testsupport.h"
#include "tst_griddesigner_fixture.h"

static const QString kTotalName = u"ColumnTotalTotalNameComboBox"_s;

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

    // Choosing a row, with the result box checked or not: whether the result group shows in
    // place of the colour and font groups, and whether its controls show.
    void totalRowChoiceSwitchesGroups()
    {
        const std::tuple<const char *, bool, bool, bool> choices[] = {
            {"TotalHeader", false, false, true},  {"TotalHeader", true, true, true},
            {"TotalValues[1]", true, true, true}, {"TotalFooter", true, true, true},
            {"TotalFields", true, false, false},  {"TotalFields", false, false, false}};
        for (const auto &[row, resultChecked, resultGroup, resultControls] : choices) {
            TPageTableList *total = ShowPage("ColumnTotalTabSheet");
            QCOMPARE(total->PageControl<TComboBox>(kTotalName)->Items(),
                     QStringList({"TotalHeader", "TotalValues[0]", "TotalValues[1]", "TotalFields",
                                  "TotalFooter"}));
            auto *result = total->PageControl<TCheckBox>(u"ColumnTotalResultCheckBox"_s);
            result->SetChecked(resultChecked);
            const int modified = designer->ModifiedCount();
            chooseRow(total, QLatin1String(row));

            // Choosing a row modifies nothing.
            QVERIFY(designer->ModifiedCount() == modified &&
                    static_cast<TKorColumnTotalPropList &>(total->List()).TotalName == row &&
                    ControlEnabled(result) == (QLatin1String(row) != QLatin1String("TotalFields")));
            QVERIFY(shown(total, u"ColumnTotalResultGroupBox"_s) == resultGroup &&
                    shown(total, u"ColumnTotalColorGroupBox"_s) != resultGroup &&
                    shown(total, u"ColumnTotalFontGroupBox"_s) != resultGroup);
            for (const char *name :
                 {"ColumnTotalTotalResultComboBox", "ColumnTotalCaptionEdit",
                  "ColumnTotalFormatComboBox", "ColumnTotalFormatAsFloatCheckBox",
                  "ColumnTotalPopupMenuComboBox", "ColumnTotalImageIndexComboBox",
                  "ColumnTotalPopupMenuLabel"})
                QVERIFY(shown(total, QString::fromLatin1(name)) == resultControls);
        }
    }

    // The value row's result decides which of its controls are enabled: per result, the field
    // name, the caption, the record number and the calculation.
    void valueRowResultChoosesControls()
    {
        grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalValues);
        const std::array<bool, 4> results[] = {{false, false, false, false},
                                               {false, true, false, false},
                                               {true, false, false, false},
                                               {true, false, true, false},
                                               {true, false, false, true}};
        TPageTableList *total = nullptr;
        for (int result = 0; result < 5; ++result) {
            const auto [fieldName, caption, recNo, calc] = results[result];
            column->TotalValues()->Items(0)->setTotalResult(Kor::TKorTotalResult(result));
            total = ShowPage("ColumnTotalTabSheet");
            chooseRow(total, u"TotalValues[0]"_s);

            QVERIFY(enabled(total, u"ColumnTotalFieldNameComboBox"_s) == fieldName &&
                    enabled(total, u"ColumnTotalCaptionEdit"_s) == caption &&
                    enabled(total, u"ColumnTotalTotalRecNoEdit"_s) == recNo);
            for (const char *name : {"ColumnTotalCalcValueComboBox", "ColumnTotalCalcApplyComboBox",
                                     "ColumnTotalNullValueCheckBox", "ColumnTotalFormatComboBox",
                                     "ColumnTotalFormatAsFloatCheckBox"})
                QVERIFY(enabled(total, QString::fromLatin1(name)) == calc);
        }
        // Without total images there is no image to choose.
        QVERIFY(enabled(total, u"ColumnTotalTotalResultComboBox"_s) &&
                enabled(total, u"ColumnTotalPopupMenuComboBox"_s) &&
                !enabled(total, u"ColumnTotalImageIndexComboBox"_s));

        // The grid hiding the values rows switches the row's controls off.
        grid->setOptionsEx(grid->OptionsEx() & ~Kor::TKorDBGridOptionsEx(Kor::dgxTotalValues));
        total->List().LoadPropList();
        QVERIFY(!enabled(total, u"ColumnTotalTotalResultComboBox"_s) &&
                !enabled(total, u"ColumnTotalVisibleCheckBox"_s));
    }

    void headerRowKeepsResultControlState()
    {
        grid->setOptionsEx(grid->OptionsEx() | Kor::dgxTotalHeader | Kor::dgxTotalValues);
        column->TotalValues()->Items(0)->setTotalResult(Kor::trCaption);
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
        chooseRow(total, u"TotalValues[0]"_s);
        QVERIFY(!enabled(total, u"ColumnTotalCalcValueComboBox"_s));
        // The header has no result of its own: the controls stay as the values row left them,
        // while the header's field name follows the header row.
        chooseRow(total, u"TotalHeader"_s);
        QVERIFY(!enabled(total, u"ColumnTotalCalcValueComboBox"_s) &&
                enabled(total, u"ColumnTotalCaptionEdit"_s) &&
                enabled(total, u"ColumnTotalFieldNameComboBox"_s));
    }

    void editorSwitchesAlternateGroups()
    {
        TPageTableList *editor = ShowPage("ColumnEditorTabSheet");
        auto *boxes = editor->PageControl<TCheckBox>(u"ColumnExpandGrpCheckBox"_s);
        auto *lists = editor->PageControl<TCheckBox>(u"ColumnMultiSelectCheckBox"_s);
        QVERIFY(boxes->Checked() && lists->Checked() &&
                shown(editor, u"ColumnCheckBoxGroupBox"_s) &&
                !shown(editor, u"ColumnExpandBoxGroupBox"_s) &&
                shown(editor, u"ColumnDropDownGroupBox"_s) &&
                !shown(editor, u"ColumnMultiSelectGroupBox"_s));
        boxes->click();
        lists->click();
        QVERIFY(!shown(editor, u"ColumnCheckBoxGroupBox"_s) &&
                shown(editor, u"ColumnExpandBoxGroupBox"_s) &&
                !shown(editor, u"ColumnDropDownGroupBox"_s) &&
                shown(editor, u"ColumnMultiSelectGroupBox"_s));
        // The switches are the designer's own: the column keeps its settings.
        QVERIFY(!column->CheckBox() && !column->ExpandBox());
        // The switch keeps its place over the caption of the group it shows.
        QCOMPARE(boxes->parentWidget(),
                 editor->PageControl<QWidget>(u"ColumnExpandBoxGroupBox"_s)->parentWidget());
    }

    void linksPageShowsChosenTotalRow()
    {
        auto *menu = designer->Create<TPopupMenu>();
        column->TotalFooter()->setPopupMenu(menu);
        column->TotalFooter()->setImageIndex(3);
        TPageTableList *total = ShowPage("ColumnTotalTabSheet");
        chooseRow(total, u"TotalFooter"_s);

        TPageTableList *links = ShowPage("ColumnLinksTabSheet");
        auto *popup = links->PageControl<TComboBox>(u"ColumnTotalPopupMenuComboBox"_s);
        QVERIFY(popup->Text() == menu->Name() &&
                popup->parentWidget()->objectName() == u"ColumnLinkageGroupBox"_s &&
                links->PageControl<QWidget>(u"ColumnTotalImageIndexComboBox"_s)->parentWidget() ==
                    popup->parentWidget());
        // The Links list stays the active one, and the total sheet is not shown over it.
        QVERIFY(links->List().ParentList()->ActiveList() == &links->List() &&
                total->TabSheet()->isHidden() && !links->TabSheet()->isHidden());

        // A change of the chosen row from the Links page writes the footer.
        popup->SetText(QString());
        total->Item(u"ColumnTotalPopupMenuComboBox"_s)->SaveEditControl();
        QVERIFY(!column->TotalFooter()->PopupMenu() &&
                column->TotalHeader()->PopupMenu() == nullptr);
    }

    // The lookup page's field lists offer the fields of the column's lookup data set.
    void lookupFieldListsOfferTheLookupFields()
    {
        column->setLookupColumn(Kor::lcList);
        column->setLookupDataSet(&data->Countries);
        TPageTableList *lookup = ShowPage("ColumnLookupTabSheet");
        for (const char *name :
             {"ColumnLookupKeyFieldComboBox", "ColumnLookupResultFieldComboBox"}) {
            auto *box = lookup->PageControl<TComboBox>(QLatin1String(name));
            box->showPopup();
            QCOMPARE(box->Items(), (QStringList{"id", "title"}));
            box->hidePopup();
        }
    }

    void linksDialogGroupsNeverShow()
    {
        window->GetPropList()->AllEnabled = true;
        TPageTableList *links = ShowPage("ColumnLinksTabSheet");
        for (const char *name :
             {"ColumnDialogGroupBox", "ColumnReportDialogGroupBox", "ColumnReportGroupBox"})
            QVERIFY(!shown(links, QString::fromLatin1(name)));
        QVERIFY(shown(links, u"ColumnLinkageGroupBox"_s));
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
                QVERIFY(!item->Visible() || !IsBold(item->EditControl()));
            }
        }
    }
};

QTEST_MAIN(TestDesignerColumnPages)
#include "tst_designercolumnpages.moc"

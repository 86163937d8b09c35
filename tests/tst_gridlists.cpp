// The grid, column, total-row and collection property lists over a real grid on an SQLite data
// set: total rows and their paths, hints and clamping; choosing a row or a column without
// marking the design modified; grid-driven defaults, image lists and data sources; the grid
// refresh before every modification notice; the current item of a collection list.

#include <QtTest>

#include "probedesigner.h"

#include "briskdesigner.h"
#include "collectionlists.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "designintf.h"
#include "displayformats.h"
#include "edititems.h"
#include "grid.h"
#include "korgriditems.h"
#include "korgridlists.h"
#include "tst_runtime_fixture.h"
#include "variants.h"

using namespace Qt::StringLiterals;

namespace {

// A designer window that counts its page reloads.
class TCountingWindow : public TBriskDesigner {
    Q_OBJECT
public:
    int Updates = 0;
    void SetRoot(std::unique_ptr<TPropList> Root) { PropList = std::move(Root); }
    void UpdatePropList() override
    {
        ++Updates;
        TBriskDesigner::UpdatePropList();
    }
};

// A parent list that records the items reported to it.
class TRecordingList : public TPropList {
    Q_OBJECT
public:
    using TPropList::TPropList;
    QList<TPropItem *> Reported;
    void PropItemChanged(TPropItem *Item) override
    {
        Reported.append(Item);
        TPropList::PropItemChanged(Item);
    }
};

template <class L, class... Args> L *addList(TPropList &Parent, QWidget *Control, Args &&...args)
{
    return static_cast<L *>(
        Parent.AddPropList(TPropList::Create<L>(std::forward<Args>(args)...), Control));
}

QStringList totalRows(int Values)
{
    QStringList rows{u"TotalHeader"_s};
    for (int i = 0; i < Values; ++i)
        rows.append(u"TotalValues[%1]"_s.arg(i));
    return rows << u"TotalFields"_s << u"TotalFooter"_s;
}

} // namespace

class TestGridLists : public QObject {
    Q_OBJECT

    std::unique_ptr<RuntimeFixture> data;
    std::unique_ptr<TProbeDesigner> designer;
    std::unique_ptr<TKorDBGrid> grid;
    std::unique_ptr<TCountingWindow> window;
    std::unique_ptr<QWidget> page;
    TKorColumn *column = nullptr;
    TComboBox *combo = nullptr, *combo2 = nullptr;
    TColorBox *colors = nullptr;
    TCheckBox *check = nullptr;
    QWidget *resultGroup = nullptr, *colorGroup = nullptr, *fontGroup = nullptr;

    QWidget *addPage(const QString &Name)
    {
        auto *sheet = new QWidget(page.get());
        sheet->setObjectName(Name);
        sheet->show(); // the page is on show already
        return sheet;
    }
    template <class T> T *item(TPropList *List, QWidget *Control)
    {
        return dynamic_cast<T *>(List->FindItem(Control));
    }

private slots:
    void init()
    {
        data = std::make_unique<RuntimeFixture>();
        designer = std::make_unique<TProbeDesigner>();
        grid = std::make_unique<TKorDBGrid>();
        column = grid->Columns()->Add();
        column->setFieldName(u"rating"_s);
        grid->setDataSource(&data->Source);
        window = std::make_unique<TCountingWindow>();
        window->SetDesigner(designer.get());
        page = std::make_unique<QWidget>();
        combo = new TComboBox(page.get());
        combo2 = new TComboBox(page.get());
        colors = new TColorBox(page.get());
        check = new TCheckBox(page.get());
        resultGroup = new QWidget(page.get());
        colorGroup = new QWidget(page.get());
        fontGroup = new QWidget(page.get());
        page->show();
    }
    void cleanup()
    {
        window.reset();
        page.reset();
        grid.reset();
        designer.reset();
        data.reset();
    }

    void totalRowsNamesPathsAndHints()
    {
        for (int i = 0; i < 3; ++i)
            column->TotalValues()->Add();
        auto list = TPropList::Create<TKorColumnTotalPropList>(window.get(), column);
        list->AddKorColumnTotalNameProp(combo, check, resultGroup, colorGroup, fontGroup);
        list->AddKorColumnTotalColorProp(u"Color"_s, colors);
        list->LoadPropList();
        QCOMPARE(combo->Items(), totalRows(3));
        QCOMPARE(combo->Style(), int(csDropDownList));
        QCOMPARE(combo->Text(), u"TotalHeader"_s);

        // The empty path of the row item stands for the row itself.
        TPropItem *nameItem = list->FindItem(combo), *colorItem = list->FindItem(colors);
        QCOMPARE(nameItem->GetMainHint(), u" property TotalHeader: TKorColumnTotal"_s);
        QCOMPARE(colorItem->GetMainHint(), u" property TotalHeader.Color: TColor"_s);

        // Paths start at the row chosen.
        column->TotalHeader()->setColor(clBlue);
        column->TotalValues()->Items(1)->setColor(clRed);
        QCOMPARE(colorItem->GetPropValue(), qint32(clBlue));
        QCOMPARE(list->GetTotalItem(), column->TotalHeader());
        list->TotalName = TKorColumnTotalPropList::TotalValuesName(1);
        QVERIFY(list->IsTotalValues() && list->TotalValuesIndex() == 1);
        QCOMPARE(colorItem->GetPropValue(), qint32(clRed));
        QCOMPARE(list->SelectedItem(), column->TotalValues()->Items(1));
        QCOMPARE(nameItem->GetMainHint(), u" property TotalValues: TKorColumnTotalValues"_s);
        list->TotalName = u"TotalFooter"_s;
        QVERIFY(!list->IsTotalValues() && list->GetTotalItem() == column->TotalFooter());

        // Values row 4 names itself in the hints of its items.
        column->TotalValues()->Add();
        column->TotalValues()->Add();
        list->TotalName = TKorColumnTotalPropList::TotalValuesName(4);
        QCOMPARE(list->GetHintPropName(u"Color"_s), u"TotalValues[4].Color"_s);
        list->LoadPropList();
        QCOMPARE(colorItem->GetMainHint(), u" property TotalValues[4].Color: TColor"_s);
        QVERIFY(colors->toolTip().startsWith(u" property TotalValues[4].Color"_s));

        // A values-row name without a number reaches no object; a new column clamps it.
        list->TotalName = u"TotalValues[x]"_s;
        QVERIFY(list->TotalValuesIndex() == -1 && !list->GetTotalItem());
        QCOMPARE(colorItem->GetPropValue(), 0);
        TKorColumn *other = grid->Columns()->Add();
        other->TotalValues()->Add();
        list->SetInstance(other);
        QCOMPARE(list->TotalName, u"TotalValues[0]"_s);

        // Without a column only the stand-alone rows are listed and nothing is selected.
        list->SetInstance(nullptr);
        QCOMPARE(list->SelectedItem(), nullptr);
        QStringList rows;
        QCOMPARE(dynamic_cast<TListPropItem *>(nameItem)->AddListValues(rows), int(csDropDownList));
        QCOMPARE(rows, totalRows(0));
    }

    // The values row chosen follows deletions: to the row before, or to the header.
    void valuesRowClampsAfterDeletions()
    {
        for (int i = 0; i < 3; ++i)
            column->TotalValues()->Add();
        auto list = TPropList::Create<TKorColumnTotalPropList>(window.get(), column);
        list->TotalName = TKorColumnTotalPropList::TotalValuesName(2);
        QObject *gone = column->TotalValues()->Items(2);
        column->TotalValues()->Delete(2);
        list->ItemDeleted(gone);
        QCOMPARE(list->TotalName, u"TotalValues[1]"_s);
        // Reported while the entry is still in its collection: it no longer counts.
        list->ItemDeleted(column->TotalValues()->Items(0));
        QCOMPARE(list->TotalName, u"TotalValues[0]"_s);
        column->TotalValues()->Delete(0);
        list->ItemDeleted(grid.get()); // any other object: the row is still valid
        QCOMPARE(list->TotalName, u"TotalValues[0]"_s);
        gone = column->TotalValues()->Items(0);
        column->TotalValues()->Delete(0);
        list->ItemDeleted(gone);
        QCOMPARE(list->TotalName, u"TotalHeader"_s);
    }

    void choosingARowReloadsWithoutModifying()
    {
        column->TotalValues()->Add();
        auto root = TPropList::Create<TPropList>(window.get(), column);
        auto *list = addList<TKorColumnTotalPropList>(*root, addPage("ColumnTotalTabSheet"),
                                                      window.get(), column);
        list->AddKorColumnTotalNameProp(combo, check, resultGroup, colorGroup, fontGroup);
        list->AddKorColumnTotalColorProp(u"Color"_s, colors);
        TPropList *rootList = root.get();
        window->SetRoot(std::move(root));
        window->UpdatePropList();
        auto *nameItem = item<TKorColumnTotalNamePropItem>(list, combo);
        QVERIFY(nameItem && nameItem->IsDefault());

        // "TotalFields" disables the switch and shows colour and font whatever it says.
        check->SetChecked(true);
        const int updates = window->Updates;
        combo->SetItemIndex(combo->IndexOf(u"TotalFields"_s));
        nameItem->ComboBoxSelect();
        QCOMPARE(list->TotalName, u"TotalFields"_s);
        QCOMPARE(window->Updates, updates + 1);
        QCOMPARE(combo->Text(), u"TotalFields"_s);
        QVERIFY(!check->isEnabled() && resultGroup->isHidden());
        QVERIFY(!colorGroup->isHidden() && !fontGroup->isHidden());

        // A values row with the switch on shows the result group; the switch turns it back.
        combo->SetItemIndex(combo->IndexOf(u"TotalValues[0]"_s));
        nameItem->ComboBoxSelect();
        QVERIFY(check->isEnabled() && !resultGroup->isHidden());
        QVERIFY(colorGroup->isHidden() && fontGroup->isHidden());
        check->SetChecked(false);
        QVERIFY(resultGroup->isHidden() && !colorGroup->isHidden());
        QVERIFY(rootList->SelectedItem() == column->TotalValues()->Items(0) && !designer->modified);

        // A text that names no row is not taken.
        nameItem->SetPropText(u"Bogus"_s);
        QCOMPARE(list->TotalName, u"TotalValues[0]"_s);

        // Changing a colour of the row is a modification of that row only.
        colors->SetSelected(clRed);
        item<TKorColumnTotalColorPropItem>(list, colors)->ColorBoxSelect();
        QCOMPARE(designer->modified, 1);
        QCOMPARE(column->TotalValues()->Items(0)->Color(), clRed);
        QCOMPARE(column->TotalHeader()->Color(), clDefault);
    }

    void totalItemsFollowTheGrid()
    {
        TKorColumnTotalValue *value = column->TotalValues()->Add();
        TDataSource totalsSource;
        totalsSource.setDataSet(&data->Countries);
        grid->Totals()->setDataSource(&totalsSource);
        TImageList images;
        for (int i = 0; i < 2; ++i)
            images.Add(QImage(16, 16, QImage::Format_ARGB32));
        grid->Totals()->setImages(&images);
        grid->Totals()->setColor(clLime);

        auto list = TPropList::Create<TKorColumnTotalPropList>(window.get(), column);
        list->AddKorColumnTotalColorProp(u"Color"_s, colors);
        list->AddKorColumnTotalFieldNameProp(u"FieldName"_s, combo);
        list->AddKorColumnTotalImageIndexProp(u"ImageIndex"_s, combo2);
        auto *colorItem = item<TKorColumnTotalColorPropItem>(list.get(), colors);
        auto *fieldItem = item<TKorColumnTotalFieldNamePropItem>(list.get(), combo);

        QVERIFY(colorItem->GetPropDefault() == qint32(clLime) && !colorItem->IsDefault());
        column->TotalHeader()->setColor(clLime);
        QVERIFY(colorItem->IsDefault());

        list->LoadPropList();
        QCOMPARE(combo2->Items(), (QStringList{u"0"_s, u"1"_s}));

        // Stand-alone rows read the totals' data source; values rows by calculation kind.
        QVERIFY(fieldItem->GetDataSource() == &totalsSource && combo->Items().contains(u"title"_s));
        list->TotalName = TKorColumnTotalPropList::TotalValuesName(0);
        for (const auto &[kind, source] :
             {std::pair<Kor::TKorTotalResult, QObject *>{Kor::trNone, nullptr},
              {Kor::trCaption, nullptr},
              {Kor::trCurrentField, &data->Source},
              {Kor::trTotalsRecord, &totalsSource},
              {Kor::trCalcValue, &data->Source}}) {
            value->setTotalResult(kind);
            QCOMPARE(fieldItem->GetDataSource(), source);
        }
        value->setTotalResult(Kor::trCalcValue);
        list->LoadPropList();
        QVERIFY(combo->Items().contains(u"rating"_s));
        value->setTotalResult(Kor::trCaption);
        list->LoadPropList();
        QVERIFY(combo->Style() == int(csSimple) && combo->Items().isEmpty());
    }

    void totalFormatsFollowTheCurrentValue()
    {
        TKorColumnTotalValue *value = column->TotalValues()->Add();
        auto list = TPropList::Create<TKorColumnTotalPropList>(window.get(), column);
        list->AddKorColumnTotalFormatProp(u"Format"_s, combo);
        auto *formatItem = item<TKorColumnTotalFormatPropItem>(list.get(), combo);

        // A stand-alone row has no sample: every group is offered.
        list->LoadPropList();
        QCOMPARE(combo->Items(), TotalFormatPlainValues(QVariant()));
        QCOMPARE(combo->Style(), int(csDropDown));

        list->TotalName = TKorColumnTotalPropList::TotalValuesName(0);
        value->SetResult(QDate(2024, 5, 6), false);
        list->LoadPropList();
        QCOMPARE(combo->Items(), TotalFormatPlainValues(QDate(2024, 5, 6)));
        QVERIFY(combo->Items() != TotalFormatPlainValues(QVariant()));
        value->SetResult(7, true);
        list->LoadPropList();
        QCOMPARE(combo->Items(),
                 TotalFormatPlainValues(QVariant::fromValue(Currency::FromScaled(10000))));

        // A separator is not stored; a format is.
        value->setFormat(u"%d"_s);
        formatItem->SetPropText(u"----- Numbers -----"_s);
        QCOMPARE(value->Format(), u"%d"_s);
        formatItem->SetPropText(u"%.2n"_s);
        QCOMPARE(value->Format(), u"%.2n"_s);
    }

    void columnListsReportAndSelect()
    {
        auto root = TPropList::Create<TRecordingList>(window.get(), grid.get());
        auto *columnList =
            addList<TKorColumnPropList>(*root, addPage("ColumnTabSheet"), window.get(), column);
        auto *titleList = addList<TKorColumnPropList>(*root, addPage("ColumnTitleTabSheet"),
                                                      window.get(), column);
        QCOMPARE(columnList->SelectedItem(), column);
        QCOMPARE(titleList->SelectedItem(), column->Title());
        titleList->SetInstance(nullptr);
        QCOMPARE(titleList->SelectedItem(), nullptr);

        // FieldName lists the grid's fields and reaches the parent too; other paths do not.
        auto *hint = new TEdit(page.get());
        hint->show();
        columnList->AddKorColumnFieldNameProp(u"FieldName"_s, combo);
        columnList->AddTextProp(u"Hint"_s, hint);
        columnList->LoadPropList();
        QVERIFY(combo->Items().contains(u"name"_s));
        combo->SetText(u"name"_s);
        item<TListPropItem>(columnList, combo)->ComboBoxSelect();
        QCOMPARE(root->Reported, QList<TPropItem *>{columnList->FindItem(combo)});
        QCOMPARE(std::pair(column->FieldName(), designer->modified), std::pair(u"name"_s, 2));
        hint->setText(u"tip"_s);
        item<TTextPropItem>(columnList, hint)->EditCheckChange();
        QCOMPARE(std::tuple(column->Hint(), root->Reported.size(), designer->modified),
                 std::tuple(u"tip"_s, qsizetype(1), 3));
        // The notice names what the page wrote, so that undo need look at nothing else.
        QCOMPARE(designer->named, QList<QObject *>{column});
    }

    void gridRefreshesBeforeEveryModification()
    {
        // The footer sums "rating" (3 + 5 + 1) only when the grid works its totals out.
        TKorColumnTotal *footer = column->TotalFooter();
        footer->setTotalResult(Kor::trCalcValue);
        QVariantList seen;
        designer->OnModified = [&] { seen.append(footer->Value()); };

        auto gridList = TPropList::Create<TKorDBGridPropList>(window.get(), grid.get());
        gridList->AddBoolProp(u"ReadOnly"_s, check);
        gridList->LoadPropList();
        footer->SetResult(QVariant(), false);
        check->SetChecked(true);
        QVERIFY(grid->ReadOnly());

        auto columnList = TPropList::Create<TKorColumnPropList>(window.get(), column);
        columnList->AddColorProp(u"Color"_s, colors, clDefault, clNone);
        columnList->LoadPropList();
        footer->SetResult(QVariant(), false);
        colors->SetSelected(clRed);
        item<TColorPropItem>(columnList.get(), colors)->ColorBoxSelect();

        QVERIFY(seen.size() == 2 && seen[0].toDouble() == 9.0 && seen[1].toDouble() == 9.0);
    }

    void gridAndColumnItemsTakeTheGridsDefaults()
    {
        TImageList titles;
        for (int i = 0; i < 3; ++i)
            titles.Add(QImage(16, 16, QImage::Format_ARGB32));
        grid->setTitleImages(&titles);
        grid->setFixedColor(clTeal);

        auto gridList = TPropList::Create<TKorDBGridPropList>(window.get(), grid.get());
        gridList->AddKorDBGridFixedColorProp(u"HeaderColor"_s, colors);
        gridList->AddKorDBGridImageIndexProp(u"FillerIndex"_s, combo);
        gridList->LoadPropList();
        QCOMPARE(gridList->FindItem(colors)->GetPropDefault(), qint32(clTeal));
        QStringList expected{u"0"_s, u"1"_s, u"2"_s, u"-1"_s};
        for (int i = 0; i < grid->Indicators()->Count(); ++i)
            expected.append(QString::number(-2 - i));
        QCOMPARE(combo->Items(), expected);

        // Title colour follows FixedColor until set; title images list no indicators.
        auto columnList = TPropList::Create<TKorColumnPropList>(window.get(), column);
        columnList->AddKorColumnTitleColorProp(u"Title.Color"_s, colors);
        columnList->AddKorColumnTitleImageIndexProp(u"Title.ImageIndex"_s, combo);
        columnList->AddKorColumnFormatProp(u"PickTextFormat"_s, combo2);
        columnList->LoadPropList();
        TPropItem *titleColor = columnList->FindItem(colors);
        QVERIFY(titleColor->GetPropDefault() == qint32(clTeal) && titleColor->IsDefault());
        column->Title()->setColor(clRed);
        QVERIFY(!titleColor->IsDefault());
        QCOMPARE(combo->Items(), expected.mid(0, 3));
        QCOMPARE(combo2->Items(), PickTextFormatPlainValues());
        QCOMPARE(combo2->Items().first(), u"%0:s - %1:s"_s);
        QCOMPARE(combo2->Style(), int(csDropDown));
    }

    void collectionListsFollowTheCurrentItem()
    {
        // An empty collection lists nothing and chooses nothing.
        grid->Columns()->Clear();
        auto root = TPropList::Create<TPropList>(window.get(), grid.get());
        auto *columns = addList<TKorDBGridColumnsPropList>(*root, addPage("ColumnsTabSheet"),
                                                           window.get(), grid.get(), nullptr);
        columns->AddCollectionProp(u"Columns"_s, combo);
        auto *columnPage =
            addList<TKorColumnPropList>(*columns, addPage("ColumnTabSheet"), window.get(), nullptr);
        auto *totalPage = addList<TKorColumnTotalPropList>(*columns, addPage("ColumnTotalTabSheet"),
                                                           window.get(), nullptr);
        auto *fixedPage =
            addList<TKorColumnPropList>(*columns, addPage("Fixed"), window.get(), nullptr);
        // The chosen item and what the pages show.
        const auto shown = [&] {
            return QList<QObject *>{columns->CollItem(), columnPage->Instance(),
                                    totalPage->Instance(), fixedPage->Instance()};
        };
        TPropList *rootList = root.get();
        window->SetRoot(std::move(root));
        window->UpdatePropList();
        QVERIFY(combo->Items().isEmpty() && !columns->CollItem());
        QCOMPARE(columns->Instance(), grid.get());

        // The first fill of a non-empty collection chooses item 0.
        for (const QString field : {"name", "rating", "id"})
            grid->Columns()->Add()->setFieldName(field);
        TKorColumn *first = grid->Columns()->Items(0), *second = grid->Columns()->Items(1);
        TKorColumn *third = grid->Columns()->Items(2);
        fixedPage->SetInstance(third);
        window->UpdatePropList();
        QCOMPARE(combo->Items(), (QStringList{u"0 - name"_s, u"1 - rating"_s, u"2 - id"_s}));
        QCOMPARE(combo->Text(), u"0 - name"_s);
        QCOMPARE(shown(), (QList<QObject *>{first, first, first, third}));

        // Choosing an item drags the sub-lists that showed the previous one, and only those.
        const int updates = window->Updates;
        auto *collItem = item<TCollectionPropItem>(columns, combo);
        combo->SetItemIndex(1);
        collItem->ComboBoxSelect();
        QCOMPARE(shown(), (QList<QObject *>{second, second, second, third}));
        QCOMPARE(std::pair(window->Updates, designer->modified), std::pair(updates + 1, 0));
        QCOMPARE(rootList->SelectedItem(), second);
        collItem->SetPropText(u"7 - nothing"_s);
        QVERIFY(columns->CollItem() == second && collItem->GetDisplayName(nullptr).isEmpty());

        // Deleting the current item clears it and the lists that showed it.
        grid->Columns()->Delete(1);
        rootList->ItemDeleted(second);
        QCOMPARE(shown(), (QList<QObject *>{nullptr, nullptr, nullptr, third}));
        window->UpdatePropList();
        QVERIFY(columns->CollItem() == first && columnPage->Instance() == first);

        // An empty text chooses none.
        collItem->SetPropText(QString());
        QVERIFY(!columns->CollItem() && !columnPage->Instance());
    }

    void columnPagesFollowAColumnDeletedAndAnotherAdded()
    {
        // The columns are replaced without a deletion notice, as rebuilding them does; the new
        // column may well take the memory, and so the address, of the one deleted.
        auto *edit = new TEdit(page.get());
        edit->show();
        auto root = TPropList::Create<TPropList>(window.get(), grid.get());
        auto *columns = addList<TKorDBGridColumnsPropList>(*root, addPage("ColumnsTabSheet"),
                                                           window.get(), grid.get(), nullptr);
        columns->AddCollectionProp(u"Columns"_s, combo);
        QWidget *columnSheet = addPage("ColumnTabSheet");
        auto *columnPage =
            addList<TKorColumnPropList>(*columns, columnSheet, window.get(), nullptr);
        columnPage->AddTextProp(u"FieldName"_s, edit);
        window->SetRoot(std::move(root));
        window->UpdatePropList();
        QVERIFY(columnPage->Instance() == column && edit->Text() == u"rating"_s);

        for (const char *field : {"name", "id"}) {
            grid->Columns()->Delete(0);
            TKorColumn *added = grid->Columns()->Add();
            added->setFieldName(QLatin1String(field));
            window->UpdatePropList();
            QVERIFY(columns->CollItem() == added && columnPage->Instance() == added);
            QVERIFY(columnSheet->isVisible());
            QCOMPARE(edit->Text(), QLatin1String(field));
        }
    }
};

QTEST_MAIN(TestGridLists)
#include "tst_gridlists.moc"

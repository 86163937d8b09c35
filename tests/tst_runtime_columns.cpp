// Grid columns: default and customised columns over a real data set, moves and expand groups,
// restoring defaults, total rows and their values.

#include <QtTest>

#include "tst_runtime_fixture.h"

using namespace Qt::StringLiterals;

namespace {

} // namespace

class TestRuntimeColumns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void defaultColumnsFollowTheDataSet()
    {
        RuntimeFixture db;
        TKorDBGrid grid;
        TKorDBGridColumns &columns = *grid.Columns();
        QCOMPARE(std::pair(columns.State(), columns.Count()), std::pair(Kor::csDefault, 0));
        grid.setDataSource(&db.Source);
        QCOMPARE(std::pair(columns.State(), columns.Count()), std::pair(Kor::csDefault, 9));
        QCOMPARE(columns.Items(1)->Field(), db.Customers.FieldByName("name"));
        QCOMPARE(columns.Items(1)->Title()->Caption(), u"name"_s);
        db.Customers.FieldByName("name")->setDisplayLabel("Customer");
        QCOMPARE(columns.Items(1)->Title()->Caption(), u"Customer"_s);

        // Hidden fields get no default column; closing and reopening regenerates.
        db.Customers.Close();
        QCOMPARE(columns.Count(), 0);
        db.Customers.Open();
        db.Customers.FieldByName("notes")->setVisible(false);
        QVERIFY(columns.Count() == 8 && !ColumnFieldNames(columns).contains("notes"));
    }

    void addingMakesTheColumnsCustomised()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        TKorColumn *added = grid.Columns()->Add();
        added->setFieldName("balance");
        QCOMPARE(grid.Columns()->State(), Kor::csCustomized);
        QCOMPARE(grid.Columns()->Count(), 10); // the default columns are kept
        QCOMPARE(grid.Columns()->Items(9), added);

        // Customised columns stay when the data set changes.
        db.Customers.Close();
        db.Customers.Open();
        QCOMPARE(grid.Columns()->Count(), 10);

        // Back to default columns: one per visible field again.
        grid.Columns()->setState(Kor::csDefault);
        QCOMPARE(grid.Columns()->Count(), 9);
        QCOMPARE(grid.Columns()->State(), Kor::csDefault);
    }

    void rebuildColumnsReadsTheFlatFieldList()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        db.AddCountryLookup();
        grid.Columns()->Clear();
        grid.Columns()->Add()->setFieldName("score");
        grid.Columns()->RebuildColumns();
        QCOMPARE(grid.Columns()->State(), Kor::csCustomized);
        QCOMPARE(ColumnFieldNames(*grid.Columns()),
                 (QStringList{"id", "name", "balance", "born", "active", "rating", "notes", "score",
                              "country_id", "country"}));
        QCOMPARE(grid.Columns()->Items(9)->Field()->FieldKind(), Db::fkLookup);
        QCOMPARE(grid.Columns()->ColumnByFieldName("COUNTRY"), grid.Columns()->Items(9));
        QCOMPARE(grid.Columns()->ColumnByDisplayName("score"), grid.Columns()->Items(7));

        // Without a data set the rebuild leaves no columns.
        grid.setDataSource(nullptr);
        grid.Columns()->RebuildColumns();
        QCOMPARE(grid.Columns()->Count(), 0);
    }

    void indexMovesAndExpandGroups()
    {
        TKorDBGrid grid;
        TKorDBGridColumns &columns = *grid.Columns();
        for (const char *name : {"a", "head", "m1", "m2", "b"})
            columns.Add()->setFieldName(QLatin1String(name));
        TKorColumn *head = columns.Items(1);
        head->setExpandCols(2);
        QVERIFY(head->Expandable());
        QCOMPARE(std::pair(head->ExpandIndex(), columns.Items(0)->ExpandIndex()), std::pair(3, 0));
        QVERIFY(columns.Items(2)->Group() == head && columns.Items(3)->Group() == head);
        QVERIFY(columns.Items(0)->Group() == columns.Items(4)->Group());
        QVERIFY(head->Group() == columns.Items(0)->Group());
        QVERIFY(columns.Items(2)->Group() != columns.Items(0)->Group());

        // A nested group stays inside its parent's.
        columns.Items(2)->setExpandCols(5);
        QCOMPARE(columns.Items(2)->ExpandIndex(), 3);
        QCOMPARE(columns.Items(3)->Group(), columns.Items(2));
        columns.Items(2)->setExpandCols(0);

        // Moving a column down past an expandable target lands after the target's group.
        TKorColumn *moved = columns.Items(0);
        columns.BeginDesignUpdate();
        QCOMPARE(columns.DesignUpdateCount(), 1);
        moved->SetIndex(head->ExpandIndex());
        columns.EndDesignUpdate();
        QCOMPARE(ColumnFieldNames(columns), (QStringList{"head", "m1", "m2", "a", "b"}));
        QCOMPARE(moved->Index(), 3);
        columns.Items(4)->SetIndex(0);
        QCOMPARE(ColumnFieldNames(columns), (QStringList{"b", "head", "m1", "m2", "a"}));

        // Collapsing the group hides its members from the grid.
        QCOMPARE(grid.VisibleColumns().size(), 5);
        head->setExpanded(false);
        QCOMPARE(grid.VisibleColumns().size(), 3);
        columns.Items(0)->setVisible(false);
        QCOMPARE(grid.VisibleColumns().size(), 2);
    }

    void restoreDefaultsFollowsFieldAndGridAgain()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        TKorColumn *balance = grid.Columns()->Items(2);
        const int defaultWidth = balance->Width();
        QVERIFY(defaultWidth > 0 && balance->Alignment() == Vcl::taRightJustify);
        balance->setWidth(defaultWidth + 40);
        balance->setAlignment(Vcl::taCenter);
        balance->setReadOnly(true);
        balance->Font()->setSize(20);
        balance->Title()->setCaption("Money");
        balance->Title()->setColor(clRed);
        balance->RestoreDefaults();
        QCOMPARE(balance->Width(), defaultWidth);
        QCOMPARE(balance->Alignment(), Vcl::taRightJustify);
        QVERIFY(!balance->ReadOnly() && balance->Font()->Size() == grid.Font()->Size());
        QCOMPARE(balance->Title()->Caption(), u"balance"_s);
        QCOMPARE(balance->Title()->Color(), grid.FixedColor());

        // Read-only follows the grid and the field while not set.
        grid.setReadOnly(true);
        QVERIFY(balance->ReadOnly());
        grid.setReadOnly(false);
        QVERIFY(!balance->ReadOnly());
        // A field change regenerates the default columns: take the new one.
        db.Customers.FieldByName("balance")->setReadOnly(true);
        balance = grid.Columns()->ColumnByFieldName("balance");
        QVERIFY(balance->ReadOnly());

        // Grid limits bound the default width.
        grid.setDefaultWidthMax(30);
        QCOMPARE(balance->Width(), 30);
    }

    // A copy of the columns takes their totals along; a total value is named by its place.
    void assignCopiesColumnsWithTheirTotalsNamedByPlace()
    {
        TKorDBGrid source, target;
        source.setObjectName("KorDBGrid1");
        TKorColumn *column = source.Columns()->Add();
        column->setFieldName("balance");
        column->setWidth(77);
        column->TotalValues()->Add()->setCaption("Sum");
        TKorColumnTotalValue *second = column->TotalValues()->Add();
        second->setTotalResult(Kor::trCalcValue);
        column->TotalFooter()->setFormat("%.2n");
        target.Columns()->Assign(source.Columns());
        QCOMPARE(target.Columns()->Count(), 1);
        TKorColumn *copy = target.Columns()->Items(0);
        QCOMPARE(std::pair(copy->FieldName(), copy->Width()), std::pair(u"balance"_s, 77));
        QVERIFY(copy->IsWidthStored() && !copy->IsColorStored());
        QCOMPARE(copy->TotalValues()->Count(), 2);
        QCOMPARE(copy->TotalValues()->Items(0)->Caption(), u"Sum"_s);
        QCOMPARE(copy->TotalValues()->Items(1)->TotalResult(), Kor::trCalcValue);
        QCOMPARE(copy->TotalFooter()->Format(), u"%.2n"_s);
        QCOMPARE(copy->TotalValues()->Items(1)->Column(), copy);
        QCOMPARE(target.Columns()->State(), Kor::csCustomized);

        QCOMPARE(second->Column(), column);
        QCOMPARE(second->GetNamePath(), u"KorDBGrid1.Columns[0].TotalValues[1]"_s);
        QCOMPARE(column->TotalHeader()->GetNamePath(), u"KorDBGrid1.Columns[0].TotalHeader"_s);
        column->TotalValues()->Delete(0);
        QCOMPARE(second->DisplayName(), u"TotalValues[0]"_s);
    }

    void totalsAreWorkedOutFromTheRows()
    {
        GridOnCustomers db;
        TKorDBGrid &grid = db.Grid;
        TKorColumn *balance = grid.Columns()->ColumnByFieldName("balance");
        const std::tuple<Kor::TKorTotalCalcValue, double, bool> cases[] = {
            {Kor::cvSum, 60.75, true}, {Kor::cvAverage, 20.25, true}, {Kor::cvMin, 10.5, true},
            {Kor::cvMax, 30.0, true},  {Kor::cvCount, 3, false},      {Kor::cvDistinct, 3, false}};
        for (const auto &[kind, expected, currency] : cases) {
            TKorColumnTotalValue *value = balance->TotalValues()->Add();
            value->setTotalResult(Kor::trCalcValue);
            value->setCalcValue(kind);
        }
        grid.Refresh();
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(balance->TotalValues()->Items(i)->Value().toDouble(), std::get<1>(cases[i]));
            QCOMPARE(balance->TotalValues()->Items(i)->IsCurrency(), std::get<2>(cases[i]));
        }

        // An integer sum stays an integer; the selected-rows total follows the current record;
        // an average leaves nulls out (scores 1.5, 2.5 and none).
        TKorColumnTotal *ratings = grid.Columns()->ColumnByFieldName("rating")->TotalFooter();
        ratings->setTotalResult(Kor::trCalcValue);
        TKorColumnTotal *score = grid.Columns()->ColumnByFieldName("score")->TotalFooter();
        score->setTotalResult(Kor::trCalcValue);
        score->setCalcValue(Kor::cvAverage);
        TKorColumnTotal *current = grid.Columns()->ColumnByFieldName("rating")->TotalHeader();
        current->setTotalResult(Kor::trCalcValue);
        current->setCalcApply(Kor::caSelectedRows);
        db.Customers.Last();
        grid.Refresh();
        QCOMPARE(std::tuple(ratings->Value(), score->Value().toDouble(), current->Value().toInt()),
                 std::tuple(QVariant(qlonglong(9)), 2.0, 1));

        // Field values of the current record and of the totals' own data set.
        TKorColumnTotal *name = grid.Columns()->ColumnByFieldName("name")->TotalHeader();
        name->setTotalResult(Kor::trCurrentField);
        TKorColumnTotal *country = grid.Columns()->ColumnByFieldName("name")->TotalFooter();
        country->setTotalResult(Kor::trTotalsRecord);
        country->setFieldName("title");
        country->setTotalRecNo(2);
        TDataSource countries;
        countries.setDataSet(&db.Countries);
        grid.Totals()->setDataSource(&countries);
        db.Customers.First();
        grid.Refresh();
        QCOMPARE(name->DisplayText(), u"Ann"_s);
        QCOMPARE(country->DisplayText(), u"Ohio"_s);

        // Without calculation the values stay empty; a null result may show as zero.
        grid.Totals()->setCalcValues(false);
        grid.Refresh();
        QVERIFY(balance->TotalValues()->Items(0)->Value().isNull());
        QCOMPARE(balance->TotalValues()->Items(0)->DisplayText(), QString());
        balance->TotalValues()->Items(0)->setNullValue(true);
        QCOMPARE(balance->TotalValues()->Items(0)->DisplayText(), u"0"_s);
        balance->TotalValues()->Items(0)->setTotalResult(Kor::trCaption);
        balance->TotalValues()->Items(0)->setCaption("Total:");
        QCOMPARE(balance->TotalValues()->Items(0)->DisplayText(), u"Total:"_s);
    }

    void totalFormats()
    {
        const std::tuple<QVariant, const char *, bool, const char *> rows[] = {
            {1000, "", false, "1,000"},
            {1000, "%d", false, "1000"},
            {1000, "%8d", false, "    1000"},
            {1000, "%.8d", false, "00001000"},
            {255, "%x", false, "FF"},
            {1000.1, "%.4f", false, "1000.1000"},
            {1000.1, "%n", false, "1,000.10"},
            {50.0, "%.0n%%", false, "50%"},
            {5, "Sum: %d pcs", false, "Sum: 5 pcs"},
            {2.6, "%d", true, "3"},
            {"Text", "%8s", false, "    Text"},
            {true, "%Yes;No%", false, "Yes"},
            {false, "%True;False%", false, "False"},
            {QDate(2024, 5, 6), "%yyyy%", false, "2024"},
            {QVariant(), "%d", false, ""},
        };
        for (const auto &[value, format, asFloat, expected] : rows)
            QCOMPARE(FormatTotalValue(value, format, asFloat), QLatin1String(expected));
    }
};

QTEST_MAIN(TestRuntimeColumns)
#include "tst_runtime_columns.moc"

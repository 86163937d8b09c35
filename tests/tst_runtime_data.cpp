// Data access over SQLite: field types from the declared column types, converted values, lookup
// and calculated fields, field lists, the record cursor, errors (database files that do not
// exist, the driver's words after ours), and links that go away.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "kordbeditors.h"
#include "tst_runtime_fixture.h"

using namespace Qt::StringLiterals;

namespace {

// A source that answers Counted when asked how many records it has, and then gives Rows: one
// that grew after it was counted.
class TGrownDataSet : public TDataSet {
public:
    int Counted = 0, Rows = 0, Given = 0;

protected:
    void InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &, bool) override
    {
        Columns.push_back({u"n"_s, Db::ftInteger, 0});
        Given = 0;
    }
    int InternalFetch(TRowBuffer &Buffer, int Count) override
    {
        int read = 0;
        for (; read < Count && Given < Rows; ++read)
            Buffer.AppendRow()[0] = ++Given;
        return read;
    }
    int InternalRecordCount() override { return Counted; }
};

} // namespace

class TestRuntimeData : public QObject {
    Q_OBJECT

private slots:
    void openDataSetReadsTypedFieldsAndValues()
    {
        RuntimeFixture db;
        TDataSet &set = db.Customers;
        QCOMPARE(std::pair(set.RecordCount(), set.FieldCount()), std::pair(3, 9));
        const std::pair<const char *, Db::TFieldType> fields[] = {
            {"id", Db::ftInteger}, {"name", Db::ftString},    {"balance", Db::ftCurrency},
            {"born", Db::ftDate},  {"active", Db::ftBoolean}, {"rating", Db::ftSmallint},
            {"notes", Db::ftMemo}, {"score", Db::ftFloat},    {"country_id", Db::ftInteger},
        };
        for (const auto &[name, type] : fields)
            QCOMPARE(set.FieldByName(QLatin1String(name))->DataType(), type);
        QCOMPARE(set.FieldByName("name")->Size(), 30);
        // A declared type of no known kind reads as text.
        QCOMPARE(TSQLDataSet::FieldTypeOf(u"mystery"_s), Db::ftString);
        QCOMPARE(set.FieldByName("NAME")->FullName(), u"name"_s);
        QCOMPARE(set.FieldByName("balance")->Alignment(), Vcl::taRightJustify);

        set.First();
        QCOMPARE(set.FieldByName("born")->Value(), QVariant(QDate(1980, 2, 3)));
        QCOMPARE(set.FieldByName("active")->Value().typeId(), int(QMetaType::Bool));
        QCOMPARE(set.FieldByName("balance")->AsFloat(), 10.5);
        set.Next();
        QVERIFY(!set.FieldByName("active")->AsBoolean() && set.FieldByName("notes")->IsNull());
        set.Last();
        QVERIFY(set.FieldByName("born")->IsNull());
        QCOMPARE(set.FieldByName("balance")->AsString(), QLocale().toString(30.0, 'f', 2));
    }

    void lookupAndCalculatedFieldsJoinTheFieldList()
    {
        RuntimeFixture db;
        TField *country = db.AddCountryLookup();
        TField *doubled = db.Customers.AddCalculatedField(
            "doubled", Db::ftFloat, [](const TDataSet &set, int row) {
                return set.FieldByName("balance")->ValueAt(row).toDouble() * 2;
            });
        QVERIFY(db.Customers.FieldCount() == 11 && db.Customers.Fields(10) == doubled);
        QCOMPARE(std::pair(country->AsString(), doubled->AsFloat()), std::pair(u"Kansas"_s, 21.0));
        db.Customers.Next();
        QCOMPARE(country->AsString(), u"Ohio"_s);
        QVERIFY_THROWS_EXCEPTION(
            EDatabaseError,
            db.Customers.AddLookupField("Country", &db.Countries, "country_id", "id", "title"));

        // Definitions stay across Close and Open; the data fields come back before them.
        db.Customers.Close();
        QCOMPARE(db.Customers.FieldCount(), 2);
        QStringList closedNames;
        db.Customers.GetFieldNames(closedNames);
        QCOMPARE(closedNames.size(), 11);
        QCOMPARE(closedNames.first(), u"id"_s);
        QCOMPARE(closedNames.last(), u"doubled"_s);
        db.Customers.Open();
        QCOMPARE(db.Customers.Fields(9)->FieldName(), u"country"_s);
        QCOMPARE(db.Customers.FieldByName("country")->AsString(), u"Kansas"_s);
    }

    // A field that cannot be written (read-only, looked up, calculated) refuses a value with an
    // error naming it; the record keeps every value, and the other fields can still be written.
    void fieldsThatCannotBeWrittenSaySo()
    {
        RuntimeFixture db;
        db.AddCountryLookup();
        db.Customers.AddCalculatedField("twice", Db::ftInteger, [](const TDataSet &Set, int Row) {
            return QVariant(2 * Set.FieldByName("rating")->ValueAt(Row).toInt());
        });
        db.Customers.FieldByName("name")->setReadOnly(true);
        db.Customers.Next();
        const auto values = [&db] {
            QStringList shown;
            for (TField *each : db.Customers.FieldList())
                shown.append(each->AsString());
            return shown;
        };
        for (const QString field : {"name", "country", "twice"}) { // read-only, lookup, calculated
            TKorDBEditor editor;
            editor.setDataSource(&db.Source);
            editor.setDataField(field);
            QVERIFY(editor.EditControl()->isReadOnly());
            const QStringList before = values();
            QVERIFY(ErrorOf<EDatabaseError>([&] {
                        db.Customers.FieldByName(field)->SetValue(u"7"_s);
                    }).contains(u"'%1'"_s.arg(field)));
            QCOMPARE(values(), before);
        }
        db.Customers.FieldByName("rating")->SetValue(4);
        QCOMPARE(db.Customers.FieldByName("rating")->AsInteger(), 4);
        QCOMPARE(db.Customers.FieldByName("twice")->AsInteger(), 8);
    }

    // The record count the database gives without reading the rows is that of the rows read to
    // the end, whatever the statement ends with or is made of.
    void recordCountOfEveryKindOfStatement()
    {
        RuntimeFixture db;
        db.Connection.ExecuteDirect(
            u"CREATE TABLE many AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r "
            "WHERE n < 1000) SELECT n FROM r"_s);
        for (const char *statement :
             {"SELECT * FROM many ORDER BY n DESC", "SELECT * FROM many ORDER BY n LIMIT 700",
              "SELECT n FROM many ORDER BY n LIMIT 900 OFFSET 50",
              "SELECT * FROM many WHERE n > 10; ",
              "SELECT n FROM many WHERE n < 300 UNION ALL SELECT n + 5000 FROM many WHERE n < 400 "
              "ORDER BY 1",
              "WITH few AS (SELECT * FROM many WHERE n <= 600) SELECT * FROM few ORDER BY n",
              "SELECT * FROM many -- every one\n",
              "SELECT n % 700 AS k, COUNT(*) FROM many GROUP BY k"}) {
            TSQLDataSet set;
            set.setSQLConnection(&db.Connection);
            set.setCommandText(statement);
            set.Open();
            const int counted = set.RecordCount();
            QVERIFY(!set.AllRowsRead());
            set.Last();
            QVERIFY(counted == set.RecNo() && set.RecordCount() == set.RecNo());
        }
    }

    // A source that grew after it was counted: once more rows are read than were counted, the
    // count is the rows read.
    void recordCountGrowsWithTheRowsRead()
    {
        TGrownDataSet set;
        set.Counted = TDataSet::FetchBlockSize + 10;
        set.Rows = 3 * TDataSet::FetchBlockSize;
        set.Open();
        QCOMPARE(set.RecordCount(), set.Counted);
        set.setRecNo(2 * TDataSet::FetchBlockSize);
        QVERIFY(set.RecNo() == 2 * TDataSet::FetchBlockSize && set.RecordCount() >= set.RecNo());
        set.Last();
        QCOMPARE(std::pair(set.RecNo(), set.RecordCount()), std::pair(set.Rows, set.Rows));
    }

    void failuresLeaveTheDataSetClosedAndKeepTheDatabaseWordsApart()
    {
        RuntimeFixture db;
        TSQLDataSet broken;
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, broken.Open()); // no connection
        broken.setSQLConnection(&db.Connection);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, broken.Open()); // no statement
        broken.setCommandText("SELECT * FROM nowhere");
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, broken.Open());
        QVERIFY(!broken.Active());
        QStringList names{"stale"};
        broken.GetFieldNames(names);
        QVERIFY(names.isEmpty());
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, db.Customers.FieldByName("nothing"));

        // Changing the statement closes the set; it opens again on the new one.
        db.Customers.setCommandText("SELECT id, name FROM customers WHERE id > 1");
        QVERIFY(!db.Customers.Active());
        db.Customers.Open();
        QCOMPARE(std::pair(db.Customers.RecordCount(), db.Customers.FieldCount()), std::pair(2, 2));

        // Closing a connection closes its data sets, and no other connection's.
        TSQLConnection second;
        second.setDatabaseName(":memory:");
        second.ExecuteDirect("CREATE TABLE customers (id INTEGER)");
        TSQLDataSet empty;
        empty.setSQLConnection(&second);
        empty.setCommandText("SELECT * FROM customers");
        empty.Open();
        QVERIFY(empty.Eof() && empty.Bof());
        second.Close();
        QVERIFY(!empty.Active());
        db.Customers.Refresh();
        QCOMPARE(db.Customers.RecordCount(), 2);

        // What we say and what the database says are sentences of their own.
        for (const auto &[statement, words] :
             {std::pair{"SELEC * FROM customers", "Near \"SELEC\": syntax error."},
              {"SELECT * FROM nowhere", "No such table: nowhere."},
              {"SELECT nickname FROM customers", "No such column: nickname."}}) {
            const QString message = u"Unable to execute statement. "_s + words;
            db.Customers.setCommandText(statement);
            QCOMPARE(ErrorOf<EDatabaseError>([&] { db.Customers.Open(); }),
                     "Customers: " + message);
            QCOMPARE(ErrorOf<EDatabaseError>([&] { db.Connection.ExecuteDirect(statement); }),
                     message);
        }
    }

    void deletedComponentsClearTheirLinks()
    {
        RuntimeFixture db;
        TField *country = db.AddCountryLookup();
        auto *lookup = new TSQLDataSet;
        lookup->setSQLConnection(&db.Connection);
        lookup->setCommandText("SELECT * FROM countries");
        lookup->Open();
        country->setLookupDataSet(lookup);
        QCOMPARE(country->AsString(), u"Kansas"_s);
        QSignalSpy changed(&db.Customers, &TDataSet::dataChanged);
        delete lookup;
        QVERIFY(!country->LookupDataSet() && country->IsNull());
        QVERIFY(changed.count() >= 1);

        auto *set = new TSQLDataSet;
        TDataSource source;
        source.setDataSet(set);
        QSignalSpy sourceChanged(&source, &TDataSource::dataChanged);
        delete set;
        QVERIFY(!source.DataSet() && !GetObjectProp(&source, "DataSet"));
        QCOMPARE(sourceChanged.count(), 1);
    }
    // A mistyped database name must not become a new, empty database that looks connected.
    void missingDatabaseFileIsNeverCreated()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"custmers.sqlite"_s);
        TSQLConnection connection;
        connection.setDatabaseName(file);
        QCOMPARE(ErrorOf<EDatabaseError>([&] { connection.setConnected(true); }),
                 u"Cannot open database '%1'. The file does not exist."_s.arg(file));
        QVERIFY(!connection.Connected() && !QFile::exists(file));

        // A data set opening its connection fails the same way.
        TSQLDataSet set;
        set.setSQLConnection(&connection);
        set.setCommandText(u"SELECT 1"_s);
        QVERIFY_THROWS_EXCEPTION(EDatabaseError, set.Open());
        QVERIFY(!QFile::exists(file));

        // An existing file opens, an empty one as an empty database.
        QFile(file).open(QIODevice::WriteOnly);
        connection.Open();
        QVERIFY(connection.Connected());
        set.Open();
        QCOMPARE(set.RecordCount(), 1);
    }
};

QTEST_MAIN(TestRuntimeData)
#include "tst_runtime_data.moc"

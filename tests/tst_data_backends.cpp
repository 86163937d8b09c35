// Data sets that read on demand, against SQLite and against a PostgreSQL server: every test runs
// once per database (the global data rows). The PostgreSQL rows use the private server that
// scripts/test.sh starts for the run (KOR_PG_HOST, KOR_PG_PORT, KOR_PG_USER, KOR_PG_PASSWORD,
// KOR_PG_DATABASE); without one they are skipped and say why.

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "grid.h"
#include "hostdialogs.h"
#include "privatepostgres.h"
#include "sqldata.h"
#include "tst_runtime_fixture.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kItems = 5000;

const auto isPostgres = [](const QString &backend) { return backend == u"postgresql"_s; };

// A database of the backend under test with `items` (kItems rows: id, name, amount, flag,
// group_id) and `groups` (ten titles). Opening it skips the test when the backend is missing.
struct Backend {
    QString Name;
    QTemporaryDir Dir;
    TSQLConnection Connection;
    TSQLDataSet Items;
    TSQLDataSet Groups;
    TDataSource Source;

    explicit Backend(const QString &name) : Name(name)
    {
        Items.setObjectName(u"Items"_s);
        Items.setSQLConnection(&Connection);
        Items.setCommandText(u"SELECT * FROM items ORDER BY id"_s);
        Groups.setSQLConnection(&Connection);
        Groups.setCommandType(Db::ctTable);
        Groups.setCommandText(u"groups"_s);
        Source.setDataSet(&Items);
    }

    // Why the backend cannot be used here; empty when it can.
    QString Unavailable() const
    {
        if (!isPostgres(Name))
            return {};
        if (!QSqlDatabase::isDriverAvailable(u"QPSQL"_s))
            return u"Qt's PostgreSQL driver is not installed"_s;
        if (qEnvironmentVariableIsEmpty("KOR_PG_HOST")) {
            const QString why = qEnvironmentVariable("KOR_PG_UNAVAILABLE");
            return u"no PostgreSQL server for this run: %1"_s.arg(
                why.isEmpty() ? u"run the tests through scripts/test.sh"_s : why);
        }
        return {};
    }

    static void Configure(TSQLConnection &connection, const QString &name, const QString &file)
    {
        if (!isPostgres(name))
            return connection.setDatabaseName(file);
        connection.setDriverName(u"QPSQL"_s);
        UsePrivatePostgres(connection);
    }

    // Opens Set on the connection with the statement Sql, holding at most Window blocks.
    void Open(TSQLDataSet &Set, const QString &Sql, int Window = TDataSet::DefaultBlockWindow())
    {
        Set.setSQLConnection(&Connection);
        Set.setCommandText(Sql);
        Set.setBlockWindow(Window);
        Set.Open();
    }

    QString FileName() const { return Dir.filePath(u"data.sqlite"_s); }

    void Create()
    {
        if (!isPostgres(Name))
            QFile(FileName()).open(QIODevice::Append); // an empty file is an empty database
        Configure(Connection, Name, FileName());
        Connection.Open();
        if (isPostgres(Name))
            Connection.ExecuteDirect(u"SET client_min_messages TO warning"_s);
        for (const char *table : {"items", "groups", "wide"})
            Connection.ExecuteDirect(u"DROP TABLE IF EXISTS "_s + table);
        Connection.ExecuteDirect(u"CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(30), "
                                 "amount NUMERIC(10,2), flag BOOLEAN, group_id INTEGER)"_s);
        Connection.ExecuteDirect(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                 "FROM n WHERE i < %1) INSERT INTO items SELECT i, "
                                 "'Item ' || i, i * 1.5, i % 3 = 0, i % 10 FROM n"_s.arg(kItems));
        Connection.ExecuteDirect(u"CREATE TABLE groups (id INTEGER, title VARCHAR(20))"_s);
        Connection.ExecuteDirect(
            u"WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9) "
            "INSERT INTO groups SELECT i, 'Group ' || i FROM n"_s);
    }

    // A table of rows far larger than what a socket or page cache holds ahead of the reader.
    void CreateWide(int rows)
    {
        const QString padding =
            isPostgres(Name) ? u"repeat('x', 2000)"_s : u"hex(zeroblob(1000))"_s;
        Connection.ExecuteDirect(u"CREATE TABLE wide (id INTEGER, padding TEXT)"_s);
        Connection.ExecuteDirect(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                                 "SELECT i + 1 FROM n WHERE i < %1) INSERT "
                                 "INTO wide SELECT i, %2 FROM n"_s.arg(rows)
                                     .arg(padding));
    }

    // The database goes away under the open data sets: the server ends their connections, or
    // the SQLite file is overwritten.
    void PullTheDatabaseAway()
    {
        if (isPostgres(Name)) {
            TSQLConnection admin;
            Configure(admin, Name, QString());
            admin.ExecuteDirect(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                "datname = current_database() AND pid <> pg_backend_pid()"_s);
            return;
        }
        QFile file(FileName());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        const QByteArray zeros(64 * 1024, '\0');
        for (qint64 written = 0; written < size; written += zeros.size())
            file.write(zeros);
    }
};

} // namespace

#define OPEN_BACKEND(db)                                                                           \
    QFETCH_GLOBAL(QString, backend);                                                               \
    Backend db(backend);                                                                           \
    if (const QString why = db.Unavailable(); !why.isEmpty())                                      \
        QSKIP(qPrintable(why));                                                                    \
    db.Create();                                                                                   \
    db.Groups.Open();                                                                              \
    db.Items.Open()

class TestDataBackends : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("sqlite") << u"sqlite"_s;
        QTest::newRow("postgresql") << u"postgresql"_s;
    }

    void opensReadingOnlyTheFirstBlock()
    {
        OPEN_BACKEND(db);
        QVERIFY(db.Items.Active() && !db.Items.AllRowsRead());
        QVERIFY(db.Items.RowsRead() > 0 && db.Items.RowsRead() <= TDataSet::FetchBlockSize);
        QCOMPARE(db.Items.RecNo(), 1);
        for (const auto &[name, type, size] : {std::tuple{"id", Db::ftInteger, 0},
                                               {"name", Db::ftString, 30},
                                               {"amount", Db::ftBCD, 10},
                                               {"flag", Db::ftBoolean, 0},
                                               {"group_id", Db::ftInteger, 0}}) {
            QCOMPARE(db.Items.FieldByName(QLatin1String(name))->DataType(), type);
            QCOMPARE(db.Items.FieldByName(QLatin1String(name))->Size(), size);
        }
        QCOMPARE(db.Items.FieldByName("name")->AsString(), u"Item 1"_s);
        QCOMPARE(db.Items.FieldByName("amount")->AsFloat(), 1.5);
        QCOMPARE(db.Items.FieldByName("flag")->Value(), QVariant(false));

        // Counting asks the database, not the rows.
        QCOMPARE(db.Items.RecordCount(), kItems);
        QVERIFY(db.Items.RowsRead() <= TDataSet::FetchBlockSize);

        // The designer's field list of a closed data set reads no rows at all.
        db.Items.Close();
        QStringList names;
        db.Items.GetFieldNames(names);
        QCOMPARE(names, (QStringList{"id", "name", "amount", "flag", "group_id"}));
    }

    void movesToTheEndFarDownAndBack()
    {
        OPEN_BACKEND(db);
        TDataSet &set = db.Items;
        TField *id = set.FieldByName("id");
        set.setRecNo(4000);
        QCOMPARE(id->AsInteger(), 4000);
        QVERIFY(set.RowsRead() >= 4000 && set.RowsRead() < 4000 + TDataSet::FetchBlockSize);
        QCOMPARE(set.MoveBy(-4005), -3999); // stops at the first record
        QVERIFY(id->AsInteger() == 1 && set.Bof());

        set.Last();
        QCOMPARE(std::pair(set.RecNo(), id->AsInteger()), std::pair(kItems, kItems));
        QVERIFY(set.AllRowsRead());
        QSignalSpy moved(&set, &TDataSet::recordChanged);
        QVERIFY(set.MoveBy(10) == 0 && set.Eof()); // past the end: stays on the last, at the end
        set.Next();
        QCOMPARE(moved.count(), 0); // staying on the last record is no move
        set.First();
        QCOMPARE(id->AsInteger(), 1);
        set.Next();
        set.Prior();
        QVERIFY(set.RecNo() == 1 && !set.Bof());
        set.Prior(); // before the first: stays on it, at the beginning
        QVERIFY(set.RecNo() == 1 && set.Bof());
        set.setRecNo(kItems + 100); // past the end stops at the last record
        QCOMPARE(set.RecNo(), kItems);
    }

    void gridReadsWhatItShowsAndScrolls()
    {
        OPEN_BACKEND(db);
        TKorDBGrid grid;
        grid.resize(800, 600);
        grid.setDataSource(&db.Source);
        TKorColumn *name = grid.Columns()->ColumnByFieldName("name");
        QVERIFY(name);
        grid.grab();
        QVERIFY(db.Items.RowsRead() <= TDataSet::FetchBlockSize);
        QCOMPARE(grid.CellText(name, 0), u"Item 1"_s);

        grid.setTopRow(kItems); // scrolls only as far as the last page
        QCOMPARE(grid.TopRow(), kItems - grid.VisibleRowCount());
        QCOMPARE(grid.CellText(name, kItems - 1), u"Item %1"_s.arg(kItems));
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(db.Items.RecNo(), kItems);
        QCOMPARE(grid.TopRow(), kItems - grid.VisibleRowCount());
        grid.grab();
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(std::pair(grid.TopRow(), grid.CellText(name, 0)), std::pair(0, u"Item 1"_s));
    }

    void locatesReadingOnlyUpToTheRecord()
    {
        OPEN_BACKEND(db);
        TDataSet &set = db.Items;
        QVERIFY(set.Locate("name", {u"Item 3210"_s}) && set.RowsRead() < kItems);
        QCOMPARE(set.RecNo(), 3210);
        QVERIFY(set.Locate("group_id;flag", {1, true})); // each key with its own value
        QCOMPARE(set.FieldByName("id")->AsInteger(), 21);
        QCOMPARE(set.FindRow("id", {4999}), 4998);
        QVERIFY(!set.Locate("name", {u"Item 0"_s}) && set.AllRowsRead());
        QCOMPARE(set.RecNo(), 21);
    }

    void refreshKeepsTheRecord()
    {
        OPEN_BACKEND(db);
        TDataSet &set = db.Items;
        set.setRecNo(1234);
        db.Connection.ExecuteDirect(u"DELETE FROM items WHERE id < 11"_s);
        set.Refresh();
        QCOMPARE(std::pair(set.RecNo(), set.FieldByName("id")->AsInteger()), std::pair(1224, 1234));
        QVERIFY(set.RowsRead() < kItems);

        // A record that is gone leaves the cursor at the same record number.
        db.Connection.ExecuteDirect(u"DELETE FROM items WHERE id = 1234"_s);
        set.Refresh();
        QCOMPARE(std::pair(set.RecNo(), set.FieldByName("id")->AsInteger()), std::pair(1224, 1235));
        QCOMPARE(set.RecordCount(), kItems - 11);
    }

    void lookupReadsAnotherTableWhileBothRead()
    {
        OPEN_BACKEND(db);
        TField *group = db.Items.AddLookupField("group", &db.Groups, "group_id", "id", "title");
        db.Items.setRecNo(3007);
        QCOMPARE(group->AsString(), u"Group 7"_s);
        // Both data sets go on reading after each other's reads.
        for (int row : {3999, 4500, kItems - 1})
            QCOMPARE(group->ValueAt(row).toString(), u"Group %1"_s.arg((row + 1) % 10));
        QCOMPARE(std::pair(db.Items.RecordCount(), db.Groups.RecordCount()), std::pair(kItems, 10));
    }

    // Persistent fields are exactly the fields shown, open or closed, in their order, a lookup
    // and a calculation among them, whatever the driver; one whose column the result lacks or
    // whose type the driver cannot give for it stops Open, named.
    void persistentFieldsReadTheirColumns()
    {
        OPEN_BACKEND(db);
        db.Items.Close();
        const auto field = [&db](const char *Name, Db::TFieldType Type) {
            auto *made = new TField(&db.Items);
            made->setFieldName(QLatin1String(Name));
            made->setDataType(Type);
            return made;
        };
        TField *amount = field("amount", Db::ftFloat);
        TField *group = field("group", Db::ftString);
        group->setFieldKind(Db::fkLookup);
        group->setKeyFields("group_id");
        group->setLookupDataSet(&db.Groups);
        group->setLookupKeyFields("id");
        group->setLookupResultField("title");
        TField *name = field("name", Db::ftString);
        TField *upper = field("upper", Db::ftString);
        upper->setFieldKind(Db::fkCalculated);
        const auto shown = [&db] {
            QStringList names;
            for (TField *each : db.Items.FieldList())
                names.append(each->FieldName());
            return names;
        };
        const QStringList order{"amount", "group", "name", "upper"};
        QStringList closedNames;
        db.Items.GetFieldNames(closedNames);
        QCOMPARE(closedNames, order);
        db.Items.Open();
        QCOMPARE(shown(), order);
        db.Items.setRecNo(3007);
        QCOMPARE(name->AsString(), u"Item 3007"_s);
        QCOMPARE(amount->AsFloat(), 3007 * 1.5);
        QCOMPARE(group->AsString(), u"Group 7"_s);
        upper->OnCalcValue = [](const TDataSet &set, int row) {
            return set.FieldByName("name")->ValueAt(row).toString().toUpper();
        };
        QCOMPARE(upper->AsString(), u"ITEM 3007"_s);
        db.Items.MoveField(name, 0);
        delete amount;
        QCOMPARE(shown(), (QStringList{"name", "group", "upper"}));
        QCOMPARE(name->AsString(), u"Item 3007"_s);

        for (const auto &[wrong, type] :
             {std::pair{"flag", Db::ftGraphic}, {"fax", Db::ftString}}) {
            db.Items.Close();
            const std::unique_ptr<TField> bad(field(wrong, type));
            const QString error = ErrorOf<EDatabaseError>([&] { db.Items.Open(); });
            QVERIFY(error.contains(u"'%1'"_s.arg(QLatin1String(wrong))) && !db.Items.Active());
        }
    }

    void totalReadsEveryRowWhenShown()
    {
        OPEN_BACKEND(db);
        TKorDBGrid grid;
        grid.resize(800, 600);
        grid.setDataSource(&db.Source);
        grid.grab();
        QVERIFY(!db.Items.AllRowsRead()); // no total over all rows: no reading them

        grid.Totals()->setActive(true);
        grid.setOptionsEx(Kor::dgxTotalFooter);
        TKorColumnTotal *sum = grid.Columns()->ColumnByFieldName("amount")->TotalFooter();
        sum->setTotalResult(Kor::trCalcValue);
        sum->setCalcValue(Kor::cvSum);
        grid.UpdateTotals();
        QVERIFY(db.Items.AllRowsRead());
        QCOMPARE(sum->Value().toDouble(), 1.5 * kItems * (kItems + 1) / 2);
    }

    // With a window of a few blocks the data set lets go of what it read and reads it again
    // when wanted: rows in any order, Locate, bookmarks, the count and the grid's totals are
    // what a data set holding every row gives, and a changed value stays.
    void smallWindowGivesWhatAllRowsGive_data()
    {
        QTest::addColumn<int>("window");
        QTest::addRow("two blocks") << 2;
        QTest::addRow("three blocks") << 3;
    }

    void smallWindowGivesWhatAllRowsGive()
    {
        QFETCH(int, window);
        OPEN_BACKEND(db);
        TSQLDataSet set, reference;
        db.Open(set, u"SELECT id, name, amount FROM items ORDER BY name"_s, window);
        db.Open(reference, set.CommandText(), kItems);
        const auto rowOf = [](const TDataSet &data, int row) {
            return u"%1 %2 %3"_s.arg(data.FieldByName("id")->ValueAt(row).toInt())
                .arg(data.FieldByName("name")->ValueAt(row).toString())
                .arg(data.FieldByName("amount")->ValueAt(row).toDouble());
        };
        // Every row of the reference, read in order from the first: it holds them all.
        QStringList expected;
        for (int row = 0; reference.HasRow(row); ++row)
            expected.append(rowOf(reference, row));
        QCOMPARE(expected.size(), kItems);
        QCOMPARE(set.RecordCount(), kItems);
        // The last block first, then every row backwards, then forwards, then far apart.
        QList<int> rows{kItems - 1};
        for (int row = kItems - 1; row >= 0; row -= 7)
            rows.append(row);
        for (int row = 0; row < kItems; row += 5)
            rows.append(row);
        for (int i = 0; i < 200; ++i)
            rows.append(int((qint64(i) * 7919) % kItems));
        int held = 0;
        for (int row : std::as_const(rows)) {
            QCOMPARE(rowOf(set, row), expected[row]);
            held = std::max(held, set.BlocksHeld());
        }
        QVERIFY(held <= window + 1 && set.AllRowsRead());
        QCOMPARE(set.RecordCount(), reference.RecordCount());

        // Locate finds the same records, near the start after the end was read.
        for (const QString key : {"Item 4321", "Item 1000", "Item 10"}) {
            QVERIFY(set.Locate("name", {key}) && reference.Locate("name", {key}));
            QCOMPARE(set.RecNo(), reference.RecNo());
            QCOMPARE(set.FieldByName("id")->AsInteger(), reference.FieldByName("id")->AsInteger());
        }

        // A bookmark goes back to its record after the blocks around it went.
        set.setRecNo(1234);
        const TBookmark mark = set.GetBookmark();
        const int markedId = set.FieldByName("id")->AsInteger();
        set.Last();
        set.First();
        set.setRecNo(3333);
        QVERIFY(set.BookmarkValid(mark));
        set.GotoBookmark(mark);
        QCOMPARE(set.RecNo(), 1234);
        QCOMPARE(set.FieldByName("id")->AsInteger(), markedId);
        QCOMPARE(rowOf(set, 1233), expected[1233]);

        // A changed value survives going far away and back, while rows around it read again.
        set.setRecNo(1300);
        set.FieldByName("name")->SetValue(u"Changed"_s);
        set.First();
        for (int row = kItems - 1; row >= 0; row -= 97)
            QCOMPARE(rowOf(set, row), expected[row]);
        QCOMPARE(set.FieldByName("name")->ValueAt(1299).toString(), u"Changed"_s);
        QCOMPARE(set.FieldByName("id")->ValueAt(1299), reference.FieldByName("id")->ValueAt(1299));
        QCOMPARE(rowOf(set, 1300), expected[1300]);

        // The grid's totals over every row are those of all rows in memory.
        const auto totals = [](TDataSet &data) {
            TDataSource source;
            source.setDataSet(&data);
            TKorDBGrid grid;
            grid.setDataSource(&source);
            grid.Totals()->setActive(true);
            TKorColumnTotal *total = grid.Columns()->ColumnByFieldName("amount")->TotalFooter();
            total->setTotalResult(Kor::trCalcValue);
            QStringList values;
            for (auto kind : {Kor::cvSum, Kor::cvCount, Kor::cvMin, Kor::cvMax, Kor::cvAverage}) {
                total->setCalcValue(kind);
                grid.UpdateTotals();
                values.append(total->Value().toString());
            }
            return values;
        };
        QCOMPARE(totals(set), totals(reference));
        QVERIFY(set.BlocksHeld() <= window + 2);
    }

    void failuresSayWhyInTheDriversWords()
    {
        OPEN_BACKEND(db);
        db.Items.setCommandText(u"SELECT missing_column FROM items"_s);
        QVERIFY(ErrorOf<EDatabaseError>([&] { db.Items.Open(); }).contains("missing_column"));
        QVERIFY(!db.Items.Active());

        // A connection that cannot log in says so, and never shows the password.
        TSQLConnection refused;
        Backend::Configure(refused, backend, u"/nonexistent/folder/db.sqlite"_s);
        refused.setPassword(u"not-the-password"_s);
        if (isPostgres(backend))
            refused.setUserName(u"nobody_here"_s);
        const QString refusal = ErrorOf<EDatabaseError>([&] { refused.Open(); });
        QVERIFY(refusal.contains(isPostgres(backend) ? "nobody_here" : "open"));
        QVERIFY(!refusal.contains(QLatin1String("not-the-password")) && !refused.Connected());
        QVERIFY(!IsStoredProp(&refused, u"Password"_s) && IsStoredProp(&refused, u"UserName"_s));
    }

    void databaseGoingAwayStopsReadingWithAClearError()
    {
        OPEN_BACKEND(db);
        db.CreateWide(20000);
        TSQLDataSet wide, shown;
        // In table order: a sort would read every row before the first one comes.
        db.Open(wide, u"SELECT * FROM wide"_s);
        db.Open(shown, wide.CommandText());
        db.Source.setDataSet(&shown);
        TKorDBGrid grid;
        grid.resize(800, 600);
        grid.setDataSource(&db.Source);
        grid.grab();
        const int before = wide.RowsRead();

        TScriptedDialogs reported; // errors go to its list instead of a message box
        const THostDialogsScope reportedScope(reported);
        db.PullTheDatabaseAway();
        // Moving from the keyboard reports the failure; the grid stays on what was read.
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(reported.Errors.size(), 1);
        QVERIFY(!shown.LastError().isEmpty());
        QVERIFY(reported.Errors.first().contains(shown.LastError()));
        grid.grab();

        QVERIFY_THROWS_EXCEPTION(EDatabaseError, wide.Last());
        QVERIFY(!wide.LastError().isEmpty() && wide.AllRowsRead());
        QVERIFY(wide.RowsRead() >= before && wide.RowsRead() < 20000);
        // What was read stays; reading further gives nothing, painting goes on.
        QCOMPARE(wide.FieldByName("id")->ValueAt(0).toInt(), 1);
        QVERIFY(wide.FieldByName("id")->ValueAt(19999).isNull());
        QCoreApplication::processEvents();

        // Opening again fails with the driver's message instead of crashing.
        ErrorOf<EDatabaseError>([&] { wide.Refresh(); });
        grid.grab();
        QCOMPARE(reported.Errors.size(), 1); // the failures after the first were raised
    }
};

QTEST_MAIN(TestDataBackends)
#include "tst_data_backends.moc"

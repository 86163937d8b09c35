// Opening a large table: the grid over a data set against QTableView over QSqlQueryModel, on the
// same table, in SQLite and (when a server is at hand) in PostgreSQL. For each driver and side:
// the time from opening the data to the first painted frame of an 800 x 600 view, the time to go
// to the last row and paint it, and the process's peak resident size (VmHWM) before, after the
// first frame and after the last row. Each measurement runs in a child process of its own (the
// program runs itself with --child), so one side's memory never counts for the other.
//
//   bench_data [rows]          (default 1000000)
//
// The SQLite table is made in a temporary folder. The PostgreSQL one is made in the database the
// KOR_PG_* variables name, as the tests use it: run the bench under the test scripts' private
// server with `source scripts/postgres.sh; postgres_start; build/bench/bench_data; postgres_stop`.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "grid.h"
#include "privatepostgres.h"
#include "sqldata.h"

namespace {

constexpr int kRuns = 3;

// A figure of /proc/self/status in KiB ("VmHWM", "VmRSS").
qint64 statusKiB(const char *key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool isPostgres(const QString &driver)
{
    return driver == QLatin1String("postgresql");
}

// The connection settings of a driver: the SQLite file, or the server the variables name.
void configure(QSqlDatabase &db, const QString &driver, const QString &file)
{
    if (!isPostgres(driver)) {
        db.setDatabaseName(file);
        return;
    }
    UsePrivatePostgres(db);
}

void configure(TSQLConnection &connection, const QString &driver, const QString &file)
{
    if (!isPostgres(driver)) {
        connection.setDatabaseName(file);
        return;
    }
    connection.setDriverName(QStringLiteral("QPSQL"));
    UsePrivatePostgres(connection);
}

QString qtDriver(const QString &driver)
{
    return isPostgres(driver) ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
}

bool makeTable(const QString &driver, const QString &file, int rows)
{
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(qtDriver(driver), QStringLiteral("make"));
        configure(db, driver, file);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("DROP TABLE IF EXISTS bench_items"));
            made = query.exec(QStringLiteral("CREATE TABLE bench_items (id INTEGER PRIMARY KEY, "
                                             "name VARCHAR(30), amount NUMERIC(10,2), "
                                             "flag BOOLEAN, group_id INTEGER)")) &&
                   query.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                                             "i + 1 FROM n WHERE i < %1) INSERT INTO bench_items "
                                             "SELECT i, 'Item ' || i, i * 1.5, i % 3 = 0, i % 10 "
                                             "FROM n")
                                  .arg(rows));
            if (made && isPostgres(driver))
                query.exec(QStringLiteral("VACUUM ANALYZE bench_items"));
            if (!made)
                std::fprintf(stderr, "bench_data: %s\n", qPrintable(query.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    return made;
}

void dropTable(const QString &driver, const QString &file)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(qtDriver(driver), QStringLiteral("drop"));
        configure(db, driver, file);
        if (db.open())
            QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS bench_items"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("drop"));
}

struct ChildFigures {
    double openMs = 0;
    double lastMs = 0;
    qint64 hwmOpen = 0;
    QString lastText;
};

// Opens the statement on one side and paints the first frame, then (unless FirstFrameOnly)
// goes to the last row and paints again.
ChildFigures openAndScroll(const QString &side, const QString &driver, const QString &file,
                           const QString &statement, bool firstFrameOnly)
{
    ChildFigures figures;
    QElapsedTimer timer;
    if (side == QLatin1String("grid")) {
        timer.start();
        TSQLConnection connection;
        configure(connection, driver, file);
        TSQLDataSet set;
        set.setSQLConnection(&connection);
        set.setCommandText(statement);
        TDataSource source;
        source.setDataSet(&set);
        TKorDBGrid grid;
        grid.resize(800, 600);
        set.Open();
        grid.setDataSource(&source);
        grid.grab();
        figures.openMs = timer.nsecsElapsed() / 1e6;
        figures.hwmOpen = statusKiB("VmHWM:");
        if (firstFrameOnly)
            return figures;
        timer.restart();
        set.Last();
        grid.grab();
        figures.lastMs = timer.nsecsElapsed() / 1e6;
        figures.lastText = set.FieldByName(QStringLiteral("name"))->AsString();
        return figures;
    }
    timer.start();
    const QString name = QStringLiteral("view");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(qtDriver(driver), name);
        configure(db, driver, file);
        db.open();
        QSqlQueryModel model;
        QTableView view;
        view.resize(800, 600);
        model.setQuery(statement, db);
        view.setModel(&model);
        view.grab();
        figures.openMs = timer.nsecsElapsed() / 1e6;
        figures.hwmOpen = statusKiB("VmHWM:");
        if (!firstFrameOnly) {
            timer.restart();
            // The model knows its last row only once it has fetched every row.
            while (model.canFetchMore())
                model.fetchMore();
            view.scrollToBottom();
            view.setCurrentIndex(model.index(model.rowCount() - 1, 1));
            view.grab();
            figures.lastMs = timer.nsecsElapsed() / 1e6;
            figures.lastText = model.index(model.rowCount() - 1, 1).data().toString();
        }
        view.setModel(nullptr);
        model.clear();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return figures;
}

// One side, in this process: prints "open_ms last_ms hwm0 hwm1 hwm2 text" on one line. A first
// round over a few rows loads the driver, fonts and style, which are no part of opening data.
int runChild(const QString &side, const QString &driver, const QString &file)
{
    openAndScroll(side, driver, file, QStringLiteral("SELECT * FROM bench_items LIMIT 50"), true);
    const qint64 hwmBefore = statusKiB("VmHWM:");
    const ChildFigures figures = openAndScroll(
        side, driver, file, QStringLiteral("SELECT * FROM bench_items ORDER BY id"), false);
    std::printf("%.2f %.2f %lld %lld %lld %s\n", figures.openMs, figures.lastMs, hwmBefore,
                figures.hwmOpen, statusKiB("VmHWM:"), qPrintable(figures.lastText));
    return 0;
}

struct Figures {
    double openMs = 0;
    double lastMs = 0;
    qint64 hwmBefore = 0;
    qint64 hwmOpen = 0;
    qint64 hwmLast = 0;
    QString lastText;
    bool measured = false;
};

Figures measure(const QString &side, const QString &driver, const QString &file)
{
    std::vector<Figures> runs;
    for (int i = 0; i < kRuns; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), side, driver, file});
        child.waitForFinished(-1);
        const QStringList parts =
            QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (parts.size() < 5) {
            std::fprintf(stderr, "bench_data: the %s child on %s failed\n", qPrintable(side),
                         qPrintable(driver));
            continue;
        }
        runs.push_back({parts[0].toDouble(), parts[1].toDouble(), parts[2].toLongLong(),
                        parts[3].toLongLong(), parts[4].toLongLong(),
                        parts.mid(5).join(QLatin1Char(' ')), true});
    }
    if (runs.empty())
        return {};
    // The median run by time to the first frame; the median time to the last row; the highest
    // memory figures.
    std::sort(runs.begin(), runs.end(),
              [](const Figures &a, const Figures &b) { return a.openMs < b.openMs; });
    Figures result = runs[runs.size() / 2];
    std::vector<double> last;
    for (const Figures &run : runs) {
        last.push_back(run.lastMs);
        result.hwmOpen = std::max(result.hwmOpen, run.hwmOpen);
        result.hwmLast = std::max(result.hwmLast, run.hwmLast);
    }
    std::sort(last.begin(), last.end());
    result.lastMs = last[last.size() / 2];
    return result;
}

struct DriverFigures {
    QString driver;
    Figures grid;
    Figures view;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args[1] == QLatin1String("--child"))
        return runChild(args[2], args[3], args[4]);

    const int rows = args.size() >= 2 ? std::max(1, args[1].toInt()) : 1000000;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.sqlite"));
    QStringList drivers{QStringLiteral("sqlite")};
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")) &&
        !qEnvironmentVariableIsEmpty("KOR_PG_HOST"))
        drivers.append(QStringLiteral("postgresql"));
    else
        std::printf("bench_data: no PostgreSQL server (KOR_PG_HOST); SQLite only\n");

    std::vector<DriverFigures> all;
    for (const QString &driver : std::as_const(drivers)) {
        QElapsedTimer timer;
        timer.start();
        if (!makeTable(driver, file, rows))
            continue;
        std::printf("bench_data: %s table of %d rows made in %.0f ms\n", qPrintable(driver), rows,
                    timer.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        DriverFigures figures{driver, measure(QStringLiteral("grid"), driver, file),
                              measure(QStringLiteral("view"), driver, file)};
        all.push_back(figures);
        if (isPostgres(driver))
            dropTable(driver, file);
    }
    std::printf("median of %d runs, each in its own process; memory is the peak resident size\n",
                kRuns);
    std::printf("%-32s", "");
    for (const DriverFigures &figures : all)
        std::printf(" | %-10s %10s %11s %6s", qPrintable(figures.driver), "grid", "QTableView",
                    "ratio");
    std::printf("\n");
    const auto line = [&all](const char *what, const char *unit, auto value) {
        std::printf("%-32s", what);
        for (const DriverFigures &figures : all) {
            const double a = value(figures.grid);
            const double b = value(figures.view);
            std::printf(" | %-10s %7.1f %-2s %8.1f %-2s %5.2fx", "", a, unit, b, unit,
                        b > 0 ? a / b : 0.0);
        }
        std::printf("\n");
    };
    line("open to first 800x600 frame", "ms", [](const Figures &f) { return f.openMs; });
    line("then to the last row, painted", "ms", [](const Figures &f) { return f.lastMs; });
    line("open plus last row", "ms", [](const Figures &f) { return f.openMs + f.lastMs; });
    line("peak memory before opening", "MB", [](const Figures &f) { return f.hwmBefore / 1024.0; });
    line("peak memory after first frame", "MB",
         [](const Figures &f) { return f.hwmOpen / 1024.0; });
    line("peak memory after the last row", "MB",
         [](const Figures &f) { return f.hwmLast / 1024.0; });
    line("  growth for the last row", "MB",
         [](const Figures &f) { return (f.hwmLast - f.hwmBefore) / 1024.0; });
    for (const DriverFigures &figures : all)
        std::printf("%s last row shown: grid \"%s\", QTableView \"%s\"\n",
                    qPrintable(figures.driver), qPrintable(figures.grid.lastText),
                    qPrintable(figures.view.lastText));
    return 0;
}

// Opening a large table: the grid over a data set against QTableView over QSqlQueryModel, on the
// same SQLite table. For each side: the time from opening the data to the first painted frame of
// an 800 x 600 view, the time to scroll to the last row and paint it, and the process's peak
// memory (VmHWM) before, after the first frame and after the last row. Each measurement runs in
// a child process of its own, so one side's memory never counts for the other.
//
//   bench_data [rows]          (default 1000000; the table is made once in a temporary folder)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

#include "grid.h"
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

void makeTable(const QString &file, int rows)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
    db.setDatabaseName(file);
    db.open();
    QSqlQuery query(db);
    query.exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name VARCHAR(30), "
                              "amount NUMERIC(10,2), flag BOOLEAN, group_id INTEGER)"));
    query.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                              "WHERE i < %1) INSERT INTO items SELECT i, 'Item ' || i, "
                              "i * 1.5, i % 3 = 0, i % 10 FROM n")
                   .arg(rows));
    query.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
}

struct ChildFigures {
    double openMs = 0;
    double lastMs = 0;
    qint64 hwmOpen = 0;
    QString lastText;
};

// Opens the statement on one side and paints the first frame, then (unless FirstFrameOnly)
// scrolls to the last row and paints again.
ChildFigures openAndScroll(const QString &side, const QString &file, const QString &statement,
                           bool firstFrameOnly)
{
    ChildFigures figures;
    QElapsedTimer timer;
    if (side == QLatin1String("grid")) {
        timer.start();
        TSQLConnection connection;
        connection.setDatabaseName(file);
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
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
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
int runChild(const QString &side, const QString &file)
{
    openAndScroll(side, file, QStringLiteral("SELECT * FROM items LIMIT 50"), true);
    const qint64 hwmBefore = statusKiB("VmHWM:");
    const ChildFigures figures =
        openAndScroll(side, file, QStringLiteral("SELECT * FROM items"), false);
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
};

Figures measure(const QString &side, const QString &file)
{
    std::vector<Figures> runs;
    for (int i = 0; i < kRuns; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), side, file});
        child.waitForFinished(-1);
        const QStringList parts =
            QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
        if (parts.size() < 5) {
            std::fprintf(stderr, "bench_data: the %s child failed\n", qPrintable(side));
            continue;
        }
        runs.push_back({parts[0].toDouble(), parts[1].toDouble(), parts[2].toLongLong(),
                        parts[3].toLongLong(), parts[4].toLongLong(),
                        parts.mid(5).join(QLatin1Char(' '))});
    }
    if (runs.empty())
        return {};
    // The median run by time to the first frame; memory figures are alike in every run.
    std::sort(runs.begin(), runs.end(),
              [](const Figures &a, const Figures &b) { return a.openMs < b.openMs; });
    Figures result = runs[runs.size() / 2];
    std::vector<double> last;
    for (const Figures &run : runs)
        last.push_back(run.lastMs);
    std::sort(last.begin(), last.end());
    result.lastMs = last[last.size() / 2];
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == QLatin1String("--child"))
        return runChild(args[2], args[3]);

    const int rows = args.size() >= 2 ? std::max(1, args[1].toInt()) : 1000000;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.sqlite"));
    QElapsedTimer timer;
    timer.start();
    makeTable(file, rows);
    std::printf("bench_data: SQLite table of %d rows made in %.0f ms (%lld KiB on disk)\n", rows,
                timer.nsecsElapsed() / 1e6, QFile(file).size() / 1024);
    std::printf("median of %d runs, each in its own process; memory is the peak resident size\n",
                kRuns);

    const Figures grid = measure(QStringLiteral("grid"), file);
    const Figures view = measure(QStringLiteral("view"), file);
    std::printf("%-34s %14s %14s %8s\n", "", "grid", "QTableView", "ratio");
    const auto line = [](const char *what, double a, double b, const char *unit) {
        std::printf("%-34s %11.1f %-2s %11.1f %-2s %7.2fx\n", what, a, unit, b, unit,
                    b > 0 ? a / b : 0.0);
    };
    line("open to first 800x600 frame", grid.openMs, view.openMs, "ms");
    line("scroll to the last row, paint", grid.lastMs, view.lastMs, "ms");
    line("peak memory before opening", grid.hwmBefore / 1024.0, view.hwmBefore / 1024.0, "MB");
    line("peak memory after first frame", grid.hwmOpen / 1024.0, view.hwmOpen / 1024.0, "MB");
    line("  growth for the first frame", (grid.hwmOpen - grid.hwmBefore) / 1024.0,
         (view.hwmOpen - view.hwmBefore) / 1024.0, "MB");
    line("peak memory after the last row", grid.hwmLast / 1024.0, view.hwmLast / 1024.0, "MB");
    line("  growth for every row", (grid.hwmLast - grid.hwmBefore) / 1024.0,
         (view.hwmLast - view.hwmBefore) / 1024.0, "MB");
    std::printf("last row shown: grid \"%s\", QTableView \"%s\"\n", qPrintable(grid.lastText),
                qPrintable(view.lastText));
    return 0;
}

// A grid over a small SQLite table, in an application of its own that links the installed
// run-time package. Its window comes from griddemo.ui through uic: the grid, its data source,
// data set and connection (placeholders, hidden at run time), the grid's columns with their
// titles kept in the grid's formText, and the links between them by name. The program only
// points the connection at its database and opens the data set.
// With --offscreen-check (or on the offscreen platform) it exits once the grid has painted its
// rows: 0 when every row is on show with its text drawn under the titles the form gave its
// columns, 1 otherwise.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <iterator>

#include "column.h"
#include "grid.h"
#include "hosterrors.h"
#include "sqldata.h"
#include "ui_griddemo.h"

namespace {

const char *const Rows[][2] = {
    {"Ann", "Springfield"}, {"Bob", "Shelbyville"}, {"Cid", "Ogdenville"}};
constexpr int RowCount = int(std::size(Rows));

// Creates the table in a fresh database file and opens the data set over it.
void openSample(TSQLConnection &connection, TDataSet &dataSet, const QString &file)
{
    // A connection opens only a file that exists: an empty file is an empty SQLite database.
    QFile(file).open(QIODevice::Append);
    connection.setDatabaseName(file);
    connection.Open();
    connection.ExecuteDirect(
        QStringLiteral("CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(20), "
                       "city VARCHAR(30))"));
    for (int i = 0; i < RowCount; ++i)
        connection.ExecuteDirect(QStringLiteral("INSERT INTO customers VALUES (%1, '%2', '%3')")
                                     .arg(i + 1)
                                     .arg(QLatin1String(Rows[i][0]), QLatin1String(Rows[i][1])));
    dataSet.Open();
}

// The columns are those the form designed, with their titles.
bool columnsAsDesigned(TKorDBGrid &grid)
{
    const QStringList titles = {QStringLiteral("Customer"), QStringLiteral("City")};
    const QList<TKorColumn *> columns = grid.VisibleColumns();
    bool same = columns.size() == titles.size();
    for (int i = 0; same && i < columns.size(); ++i)
        same = columns[i]->Title()->Caption() == titles[i];
    if (!same)
        std::fprintf(stderr, "griddemo: the grid does not have the columns its form gave it\n");
    return same;
}

// True when the cell shows more than its background, i.e. text was drawn into it.
bool cellHasText(const QImage &picture, const QRect &cell)
{
    const QRgb background = picture.pixel(cell.topLeft());
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (picture.pixel(x, y) != background)
                return true;
    return false;
}

// Every record row is on show, with text in each of its cells.
bool rowsPainted(TKorDBGrid &grid)
{
    const QList<TKorColumn *> columns = grid.VisibleColumns();
    if (columns.isEmpty())
        return false;
    const QImage picture = grid.grab().toImage();
    for (int row = 0; row < RowCount; ++row)
        for (TKorColumn *column : columns) {
            const QRect cell = grid.CellRect(column, row).intersected(picture.rect());
            if (cell.isEmpty() || !cellHasText(picture, cell)) {
                std::fprintf(stderr, "griddemo: row %d of column %s is not painted\n", row,
                             qPrintable(column->FieldName()));
                return false;
            }
        }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool check = app.arguments().contains(QStringLiteral("--offscreen-check")) ||
                       QApplication::platformName() == QLatin1String("offscreen");
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "griddemo: no temporary folder\n");
        return 1;
    }

    QWidget window;
    Ui::GridDemo form;
    form.setupUi(&window);
    auto *connection = dynamic_cast<TSQLConnection *>(form.Database->Component());
    auto *customers = dynamic_cast<TDataSet *>(form.Customers->Component());
    TKorDBGrid &grid = *form.CustomersGrid;
    if (!connection || !customers || grid.DataSet() != customers) {
        std::fprintf(stderr, "griddemo: the form's components are not linked\n");
        return 1;
    }
    try {
        openSample(*connection, *customers, folder.filePath(QStringLiteral("demo.sqlite")));
    } catch (const EHostError &error) {
        std::fprintf(stderr, "griddemo: %s\n", qPrintable(error.Message()));
        return 1;
    }
    window.show();

    if (!check)
        return app.exec();
    int result = 1;
    QTimer::singleShot(0, &app, [&] {
        result = columnsAsDesigned(grid) && rowsPainted(grid) ? 0 : 1;
        if (result == 0)
            std::printf("griddemo: %d rows painted\n", RowCount);
        app.quit();
    });
    app.exec();
    return result;
}

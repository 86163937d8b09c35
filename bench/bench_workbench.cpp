// Prints how fast the workbench is for a person: the start to a usable main window (the
// application, the host's services, the sample database, the design-time package loaded and the
// window shown and settled), first start (the sample database is created) and later starts,
// each in a process of its own; and the time to open a saved form of 20 grids with 20 columns
// each over the sample customers (the form read, its components made and linked, the grids
// filled with rows and the window settled). Targets: start under 1 s, opening under 300 ms.
//
//   bench_workbench            runs the start five times in child processes, then the opening

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "column.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "formsurface.h"
#include "grid.h"
#include "sampledatabase.h"
#include "scriptrunner.h"
#include "sqldata.h"
#include "workbenchapplication.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

namespace {

constexpr int Runs = 5;
constexpr int Grids = 20;
constexpr int ColumnsPerGrid = 20;

double median(std::vector<double> Values)
{
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0 : Values[Values.size() / 2];
}

// One start as main.cpp does it; prints the milliseconds to a usable window.
int startOnce(int argc, char **argv)
{
    QElapsedTimer timer;
    timer.start();
    int result = 0;
    {
        TWorkbenchApplication app(argc, argv);
        const TWorkbenchSession session;
        const QString sample = SampleDatabasePath();
        {
            TWorkbenchWindow window;
            window.LoadDesignPackage(QStringLiteral("DCLKorDBGrid90"));
            window.SetSampleDatabase(sample);
            window.show();
            TScriptRunner::Settle();
            std::printf("%.1f\n", double(timer.nsecsElapsed()) / 1e6);
            result = window.Palette()->topLevelItemCount() > 1 ? 0 : 1;
        }
    }
    return result;
}

// Starts the workbench Runs times in child processes sharing one data folder: the first creates
// the sample database.
void benchStart(const QString &Program)
{
    const QTemporaryDir data;
    std::vector<double> later;
    double first = 0;
    for (int i = 0; i <= Runs; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KOR_DATA_DIR"), data.path());
        child.setProcessEnvironment(env);
        child.start(Program, {QStringLiteral("--start-once")});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::printf("start %d failed: %s\n", i, child.readAllStandardError().constData());
            return;
        }
        const double value = child.readAllStandardOutput().trimmed().split('\n').last().toDouble();
        if (i == 0)
            first = value;
        else
            later.push_back(value);
    }
    std::printf("start to a usable window, first (creates the sample database): %8.1f ms\n", first);
    std::printf("start to a usable window, median of %d later starts:           %8.1f ms"
                "  (target < 1000 ms)\n",
                Runs, median(later));
}

// A form of Grids grids, each with ColumnsPerGrid customised columns, over the sample customers.
void buildForm(TWorkbenchWindow &Window, const QString &Sample)
{
    TFormSurface *surface = Window.Surface();
    TFormDesigner *designer = Window.Document()->Designer();
    auto *connection = qobject_cast<TSQLConnection *>(
        surface->PlaceComponent(&TSQLConnection::staticMetaObject, QRect(8, 8, 0, 0))->Object());
    connection->setDatabaseName(Sample);
    connection->setConnected(true);
    auto *customers = qobject_cast<TSQLDataSet *>(
        surface->PlaceComponent(&TSQLDataSet::staticMetaObject, QRect(48, 8, 0, 0))->Object());
    customers->setSQLConnection(connection);
    customers->setCommandText(QStringLiteral("SELECT * FROM Customers"));
    customers->setActive(true);
    auto *source = qobject_cast<TDataSource *>(
        surface->PlaceComponent(&TDataSource::staticMetaObject, QRect(88, 8, 0, 0))->Object());
    source->setDataSet(customers);
    QStringList fields;
    customers->GetFieldNames(fields);
    for (int g = 0; g < Grids; ++g) {
        auto *grid = qobject_cast<TKorDBGrid *>(
            surface
                ->PlaceComponent(&TKorDBGrid::staticMetaObject,
                                 QRect(8 + (g % 4) * 250, 48 + (g / 4) * 130, 240, 120))
                ->Object());
        grid->setDataSource(source);
        grid->Columns()->BeginUpdate();
        grid->Columns()->Clear();
        for (int c = 0; c < ColumnsPerGrid; ++c) {
            TKorColumn *column = grid->Columns()->Add();
            column->setFieldName(fields.at(c % fields.size()));
            column->Title()->setCaption(QStringLiteral("%1 %2").arg(column->FieldName()).arg(c));
            if (c % 3 == 1)
                column->setColor(0xE0F0FF);
        }
        grid->Columns()->EndUpdate();
        grid->Columns()->setState(Kor::csCustomized);
    }
    designer->Modified();
    TScriptRunner::Settle();
}

void benchOpen(int argc, char **argv)
{
    TWorkbenchApplication app(argc, argv);
    const TWorkbenchSession session;
    const QTemporaryDir files;
    {
        TWorkbenchWindow window;
        window.LoadDesignPackage(QStringLiteral("DCLKorDBGrid90"));
        window.show();
        buildForm(window, SampleDatabasePath());
        const QString form = QDir(files.path()).filePath(QStringLiteral("grids.kwf"));
        window.Document()->Save(form);
        std::printf("form of %d grids x %d columns: %lld bytes\n", Grids, ColumnsPerGrid,
                    QFileInfo(form).size());
        std::vector<double> times;
        std::vector<double> reading;
        QElapsedTimer timer;
        for (int i = 0; i < Runs; ++i) {
            timer.start();
            window.Document()->Open(form);
            reading.push_back(double(timer.nsecsElapsed()) / 1e6);
            TScriptRunner::Settle();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("open the saved form, median of %d:                              %8.1f ms"
                    "  (target < 300 ms)\n",
                    Runs, median(times));
        std::printf("  of which the document's Open (read, make, link):              %8.1f ms\n",
                    median(reading));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Window state goes to a scratch folder, not into the user's settings.
    const QTemporaryDir settings;
    if (qEnvironmentVariableIsEmpty("KOR_SETTINGS_DIR"))
        qputenv("KOR_SETTINGS_DIR", settings.path().toLocal8Bit());
    if (argc > 1 && qstrcmp(argv[1], "--start-once") == 0)
        return startOnce(argc, argv);

    const QString program = QString::fromLocal8Bit(argv[0]);
    benchStart(QFileInfo(program).absoluteFilePath());
    const QTemporaryDir data;
    qputenv("KOR_DATA_DIR", data.path().toLocal8Bit());
    benchOpen(argc, argv);
    return 0;
}

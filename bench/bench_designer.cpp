// Prints how fast the grid designer is on a grid with 50 customised columns over the sample
// database: opening it (create, build the list tree and the page on show, load it, show),
// showing every page once (which builds each page on its first showing), and the median of 300
// change round trips on the heaviest page (a check box is clicked: the property is written, the
// grid refreshes, the designer hears of the modification and the page reloads). Beside the opening
// time it prints what opening cost when every page was built and loaded at once, as the designer
// did before it built pages on demand. Then the fields editor, opened on a data set of 200
// persistent fields.

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "controls/checkbox.h"
#include "designerpages.h"
#include "fieldseditor.h"
#include "samplegrid.h"

namespace {

double ms(qint64 Nanoseconds)
{
    return double(Nanoseconds) / 1e6;
}

// The first enabled check box bound by a Boolean or set-element item of the page, or nullptr.
TCheckBox *firstCheckBox(TPageTableList *Page)
{
    for (const TPageRow &row : Page->Table().Rows)
        if (row.Factory == TFactory::AddBoolProp || row.Factory == TFactory::AddElemProp)
            if (TPropItem *item = Page->Item(QString::fromLatin1(row.Control)))
                if (item->Visible() && item->EditControl()->isEnabled())
                    return qobject_cast<TCheckBox *>(item->EditControl());
    return nullptr;
}

// Opens the designer anew and builds and loads every page at once, the way it opened before pages
// were built when first shown. Answers the time taken.
qint64 openBuildingEveryPage(TSampleGrid &Sample)
{
    QElapsedTimer timer;
    timer.start();
    ShowKorDBGridDesigner(Sample.Designer.get(), Sample.Grid, false);
    auto *window = qobject_cast<TKorDBGridDesigner *>(
        ShowBriskDesignerClass(Sample.Designer.get(), Sample.Grid, {}, nullptr));
    BuildAllPages(window->GetPropList());
    window->GetPropList()->LoadPropList();
    QApplication::processEvents();
    const qint64 taken = timer.nsecsElapsed();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return taken;
}

// Opens the fields editor on a data set of 200 persistent fields, first and again (a second
// data set, so the editor is made anew), and prints the times.
void benchFieldsEditor()
{
    TSQLConnection connection;
    connection.setDatabaseName(QStringLiteral(":memory:"));
    connection.Open();
    QStringList columns;
    for (int i = 1; i <= 200; ++i)
        columns.append(QStringLiteral("Field%1 INTEGER").arg(i));
    connection.ExecuteDirect(
        QStringLiteral("CREATE TABLE Wide (%1)").arg(columns.join(QStringLiteral(", "))));
    TFormDesigner designer;
    std::vector<double> times;
    for (int run = 0; run < 2; ++run) {
        auto *dataSet = designer.Create<TSQLDataSet>();
        dataSet->setSQLConnection(&connection);
        dataSet->setCommandText(QStringLiteral("SELECT * FROM Wide"));
        dataSet->Open();
        {
            TFieldsEditor maker(dataSet, &designer);
            maker.AddFields(maker.AvailableFields());
        }
        QElapsedTimer timer;
        timer.start();
        TFieldsEditor *editor = TFieldsEditor::Open(dataSet, &designer);
        QApplication::processEvents();
        times.push_back(ms(timer.nsecsElapsed()));
        if (editor->List()->count() != 200)
            std::fprintf(stderr, "the fields editor lists %d fields\n", editor->List()->count());
        editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("open fields editor, 200 fields (first): %8.2f ms\n", times[0]);
    std::printf("open fields editor, 200 fields:         %8.2f ms\n", times[1]);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's form state goes to a scratch folder, not into the user's settings.
    const QTemporaryDir settings;
    qputenv("KOR_SETTINGS_DIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    TSampleGrid sample(50);
    QElapsedTimer timer;

    // The first window of a process also pays for loading fonts and styles once; it is opened,
    // closed and timed apart.
    timer.start();
    ShowKorDBGridDesigner(sample.Designer.get(), sample.Grid, false);
    QApplication::processEvents();
    const qint64 first = timer.nsecsElapsed();
    if (QWidget *open = ShowBriskDesignerClass(sample.Designer.get(), sample.Grid, {}, nullptr))
        open->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    timer.restart();
    ShowKorDBGridDesigner(sample.Designer.get(), sample.Grid, false);
    auto *window = qobject_cast<TKorDBGridDesigner *>(
        ShowBriskDesignerClass(sample.Designer.get(), sample.Grid, {}, nullptr));
    QApplication::processEvents();
    const qint64 open = timer.nsecsElapsed();
    if (!window) {
        std::fprintf(stderr, "the designer did not open\n");
        return 1;
    }

    const QList<TPageTableList *> pages = DesignerPages(window->GetPropList());
    timer.restart();
    for (TPageTableList *page : pages)
        ShowDesignerPage(window, page);
    const qint64 all = timer.nsecsElapsed();

    // The heaviest page: the slowest median of five loads among pages with a check box to click.
    TPageTableList *heaviest = nullptr;
    qint64 heaviestTime = -1;
    for (TPageTableList *page : pages) {
        if (!firstCheckBox(page))
            continue;
        ShowDesignerPage(window, page);
        std::vector<qint64> loads;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer one;
            one.start();
            page->List().LoadPropList();
            loads.push_back(one.nsecsElapsed());
        }
        std::sort(loads.begin(), loads.end());
        if (loads[2] > heaviestTime) {
            heaviestTime = loads[2];
            heaviest = page;
        }
    }

    std::printf("grid with %d customised columns, %d pages\n", sample.Grid->Columns()->Count(),
                int(pages.size()));
    std::printf("open designer (first):  %8.2f ms\n", ms(first));
    std::printf("show every page once:   %8.2f ms\n", ms(all));
    benchFieldsEditor();
    if (heaviest) {
        ShowDesignerPage(window, heaviest);
        TCheckBox *box = firstCheckBox(heaviest);
        std::vector<qint64> trips;
        for (int i = 0; i < 300; ++i) {
            QElapsedTimer one;
            one.start();
            box->click();
            trips.push_back(one.nsecsElapsed());
        }
        std::sort(trips.begin(), trips.end());
        std::printf("change round trip on %s (%s): median %.3f ms, 90%% %.3f ms\n",
                    qPrintable(heaviest->TabSheet()->objectName()), qPrintable(box->objectName()),
                    ms(trips[trips.size() / 2]), ms(trips[trips.size() * 9 / 10]));
    }
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::printf("open designer:          %8.2f ms (building and loading every page at "
                "open instead: %.2f ms)\n",
                ms(open), ms(openBuildingEveryPage(sample)));
    return 0;
}

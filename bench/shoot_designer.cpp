// Writes one picture per page of the grid designer: shoot_designer OUTDIR. The designer is
// opened offscreen on a sample grid with customised columns; each grid-level and column-level
// page is shown in turn and the window is saved as OUTDIR/<tab sheet>.png.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include "designerpages.h"
#include "samplegrid.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's form state goes to a scratch folder, not into the user's settings.
    const QTemporaryDir settings;
    qputenv("KOR_SETTINGS_DIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: shoot_designer OUTDIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    QDir().mkpath(out.absolutePath());

    TSampleGrid sample(12);
    ShowKorDBGridDesigner(sample.Designer.get(), sample.Grid, false);
    auto *window = qobject_cast<TKorDBGridDesigner *>(
        ShowBriskDesignerClass(sample.Designer.get(), sample.Grid, {}, nullptr));
    if (!window) {
        QTextStream(stderr) << "the designer did not open\n";
        return 1;
    }
    int written = 0;
    for (TPageTableList *page : DesignerPages(window->GetPropList())) {
        ShowDesignerPage(window, page);
        QApplication::processEvents();
        const QString file = out.filePath(page->TabSheet()->objectName() + QStringLiteral(".png"));
        if (window->grab().save(file))
            ++written;
        else
            QTextStream(stderr) << "cannot write " << file << "\n";
    }
    QTextStream(stdout) << written << " pages written to " << out.absolutePath() << "\n";
    window->close();
    return written > 0 ? 0 : 1;
}

// The workbench: a small design host that loads the design-time package so a person can place
// the grid components on a form and use every design window. The command line is described in
// workbenchapplication.h.

#include "hosterrors.h"
#include "hostmessages.h"
#include "sampledatabase.h"
#include "workbenchapplication.h"
#include "workbenchdialogs.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

int main(int argc, char **argv)
{
    TWorkbenchApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorDesignHost"));
    const TWorkbenchOptions options = ParseWorkbenchOptions(QApplication::arguments());

    const TWorkbenchSession session;
    TWorkbenchDialogs dialogs;
    const THostDialogsScope dialogsScope(dialogs);
    QString sample;
    try {
        sample = SampleDatabasePath();
    } catch (...) {
        HandleHostException();
    }

    int result = 0;
    {
        TWorkbenchWindow window;
        window.LoadDesignPackage(QStringLiteral("DCLKorDBGrid90"));
        window.SetSampleDatabase(sample);
        window.show();
        result = StartWorkbench(window, options);
        if (result < 0)
            result = app.exec();
    }
    return result;
}

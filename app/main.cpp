// The workbench: a small design host that loads the design-time package so a person can place
// the grid components on a form and use every design window.
//
//   korworkbench [--script FILE] [--screenshot DIR]
//
// --script runs a scenario (see scriptrunner.h) once the window is up; --screenshot writes a PNG
// of the main window and of every open window into DIR at the end. With either, the workbench
// exits when done (non-zero when a step failed) instead of waiting for a person; both work
// under QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include "formdocument.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "sampledatabase.h"
#include "scriptrunner.h"
#include "workbenchapplication.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

namespace {

// Runs the scenario and writes the pictures; answers the exit code.
int runHeadless(TWorkbenchWindow &Window, const QString &Script, const QString &ShotDir)
{
    TScriptRunner runner(&Window);
    runner.SetScreenshotDirectory(ShotDir);
    TScriptRunner::Settle();
    int result = 0;
    if (!Script.isEmpty() && !runner.RunFile(Script)) {
        QTextStream(stderr) << runner.Error() << "\n";
        result = 1;
    }
    if (!ShotDir.isEmpty()) {
        try {
            TScriptRunner::Settle();
            for (const QString &file : runner.WriteScreenshots(ShotDir))
                QTextStream(stdout) << file << "\n";
        } catch (const EHostError &e) {
            QTextStream(stderr) << e.Message() << "\n";
            result = 1;
        }
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    TWorkbenchApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorDesignHost"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The Kor-DBGrid workbench"));
    parser.addHelpOption();
    const QCommandLineOption scriptOption(QStringLiteral("script"),
                                          QStringLiteral("Runs the scenario in FILE, then exits."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption shotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Writes a PNG of every open window into DIR, then exits."),
        QStringLiteral("DIR"));
    parser.addOption(scriptOption);
    parser.addOption(shotOption);
    parser.process(app);
    const QString script = parser.value(scriptOption);
    const QString shotDir = parser.value(shotOption);

    const TWorkbenchSession session;
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
        if (!script.isEmpty() || !shotDir.isEmpty())
            result = runHeadless(window, script, shotDir);
        else
            result = app.exec();
    }
    return result;
}

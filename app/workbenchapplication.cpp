#include "workbenchapplication.h"

#include <QCommandLineParser>
#include <QTextStream>

#include "hosterrors.h"
#include "hostmessages.h"
#include "scriptrunner.h"
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

TWorkbenchApplication::TWorkbenchApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TWorkbenchApplication::notify(QObject *Receiver, QEvent *Event)
{
    try {
        return QApplication::notify(Receiver, Event);
    } catch (...) {
        HandleHostException();
        return false;
    }
}

TWorkbenchOptions ParseWorkbenchOptions(const QStringList &Arguments)
{
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
    parser.addPositionalArgument(QStringLiteral("form"), QStringLiteral("The form file to open."),
                                 QStringLiteral("[FORM]"));
    parser.process(Arguments);
    TWorkbenchOptions options;
    options.Script = parser.value(scriptOption);
    options.ShotDir = parser.value(shotOption);
    const QStringList forms = parser.positionalArguments();
    if (forms.size() > 1)
        parser.showHelp(2);
    options.Form = forms.value(0);
    return options;
}

int StartWorkbench(TWorkbenchWindow &Window, const TWorkbenchOptions &Options)
{
    // A form that cannot be opened has been reported; the workbench goes on with a new one.
    const bool opened = Options.Form.isEmpty() || Window.OpenForm(Options.Form);
    if (!Options.Headless())
        return -1;
    const int result = runHeadless(Window, Options.Script, Options.ShotDir);
    return opened ? result : 1;
}

#pragma once
// The workbench's application object and its start. The application's one addition is the
// last-resort error barrier: an error that escapes every handler on its way out of component or
// package code is reported by the host (HandleHostException) instead of ending the session with
// the form unsaved.
//
//   korworkbench [--script FILE] [--screenshot DIR] [FORM]
//
// FORM is a form file opened at start. --script runs a scenario (see scriptrunner.h) once the
// window is up; --screenshot writes a PNG of the main window and of every open window into DIR at
// the end. With either, the workbench exits when done (non-zero when a step failed) instead of
// waiting for a person; both work under QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QString>
#include <QStringList>

class TWorkbenchWindow;

class TWorkbenchApplication : public QApplication {
    Q_OBJECT
public:
    TWorkbenchApplication(int &argc, char **argv);

    bool notify(QObject *Receiver, QEvent *Event) override;
};

// What the command line asks of the workbench.
struct TWorkbenchOptions {
    QString Script;  // --script FILE
    QString ShotDir; // --screenshot DIR
    QString Form;    // the form file to open at start; empty for a new form

    // Nobody waits for the workbench to be done: it runs the scenario or takes the pictures
    // and exits.
    bool Headless() const { return !Script.isEmpty() || !ShotDir.isEmpty(); }
};

// Reads the arguments (the program's name first). --help, --version and arguments it does not
// know are answered as QCommandLineParser::process answers them: a text, and the process ends.
TWorkbenchOptions ParseWorkbenchOptions(const QStringList &Arguments);

// Opens the form the options name in Window, then, for a headless run, runs the scenario and
// writes the pictures: answers the exit code (non-zero when the form could not be opened or a
// step failed). For a run that waits for a person it answers -1 once the form is open.
int StartWorkbench(TWorkbenchWindow &Window, const TWorkbenchOptions &Options);

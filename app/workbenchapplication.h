#pragma once
// The workbench's application object. Its one addition is the last-resort error barrier: an
// error that escapes every handler on its way out of component or package code is reported by
// the host (HandleHostException) instead of ending the session with the form unsaved.

#include <QApplication>

class TWorkbenchApplication : public QApplication {
    Q_OBJECT
public:
    TWorkbenchApplication(int &argc, char **argv);

    bool notify(QObject *Receiver, QEvent *Event) override;
};

#pragma once
// TScriptRunner: runs a scenario of simple line commands against the workbench's main window,
// as a person would use it: place components, set properties, select, run component-editor
// verbs, switch designer pages, click and type into bound controls, undo, save and open, and
// check what the form and its windows show. One command per line; `#` starts a comment; a
// text with spaces is written in double quotes ("a \"quoted\" word"). ${SAMPLE_DB} stands for
// the sample database, ${NAME} for the environment variable NAME. Relative file names are taken
// from the scenario's folder.
//
//   place CLASS [NAME] [X Y [W H]]     a component from the palette (default size without W H)
//   set NAME.PROP.PATH VALUE           a property through its property editor, as the inspector
//   select NAME[.Columns[2].Title] ... the objects the inspector and design windows show
//   verb NAME "Caption"                a verb of the component's editor ("&" may be left out)
//   dblclick NAME                      what a double-click on the component does
//   page "Caption"                     a page of the frontmost design window that has it
//                                      ("Columns/Filter": the page Filter on the page Columns)
//   click CONTROL                      a button, check box or command (by object name or
//                                      caption) of the frontmost design window that has it
//   type CONTROL TEXT                  text into an edit or memo (then left, which commits it),
//                                      or the entry TEXT of a combo box
//   answer BUTTON ...                  the answers (Yes, No, OK, Cancel, ...) to the next
//                                      questions; unanswered ones get the answer that changes
//                                      nothing
//   undo / redo                        the form's undo stack
//   save FILE / open FILE              the form file
//   delete NAME                        a component, as the Delete key does
//   expect NAME.PROP VALUE             fails unless the property shows VALUE (.Count of a
//                                      collection: its number of items)
//   expect-window CLASS|none           the frontmost window besides the main window
//   close-window                       closes the frontmost window
//   expect-error TEXT COMMAND ...      runs COMMAND, which must fail with a message holding TEXT
//
// A step fails when it raises an error or the host reports one while it runs; the run stops
// there with "FILE:LINE: message". Modal windows that a step opens are answered with Cancel at
// once (and pictured first when screenshots are asked for), so nothing waits for a person.

#include <QObject>
#include <QStringList>
#include <memory>

class QWidget;
class TWorkbenchWindow;

class TScriptRunner : public QObject {
    Q_OBJECT
public:
    explicit TScriptRunner(TWorkbenchWindow *Window, QObject *parent = nullptr);
    ~TScriptRunner() override;

    // Runs the scenario of a file; answers whether every step passed.
    bool RunFile(const QString &FileName);
    // Runs the scenario Text; FileName names it in messages and gives the folder that relative
    // file names start from (the current folder when empty).
    bool Run(const QString &Text, const QString &FileName = QString());
    // "FILE:LINE: what went wrong" of the step that stopped the last run; empty when it passed.
    QString Error() const;
    // What the host told or asked during the runs (reported errors and questions), in order.
    QStringList Messages() const;

    // Where modal windows are pictured before they are answered; empty: they are not.
    void SetScreenshotDirectory(const QString &Dir);
    // Writes a PNG of the main window and of every other visible top-level window into Dir
    // (created when missing); answers the files written. Raises EHostError when Dir cannot be
    // created or a picture cannot be written.
    QStringList WriteScreenshots(const QString &Dir);

    // The frontmost visible top-level window besides the main window, or nullptr.
    QWidget *FrontWindow() const;
    // Lets queued work run (deferred refreshes, deletions) until the event queue is quiet.
    static void Settle();

private:
    class TSteps;
    std::unique_ptr<TSteps> m_steps;
};

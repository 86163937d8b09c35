#pragma once
// TFormDocument: the form the workbench is designing, as a document. It owns the form's
// designer, keeps the undo stack, and saves and opens the form as a text file.
//
// Undo keeps, for every recorded change, only what it touched: the components (in the form-file
// format) it made, deleted or changed, before and after, and the form's own properties when they
// changed (TFormChangeCommand). Undoing applies just those in place, so a change made anywhere
// (the inspector, a designer page, the columns editor, the form surface) is undone the same way,
// at what the change costs rather than what the form costs. A change is recorded whenever the
// designer announces one (ItemsModified), by the form surface, and by RecordChange; each step is
// named after what it changed.
//
// Recording costs what the change costs too: the document keeps every component's entry as last
// recorded, and writes again only those of the components the change touched, as the designer's
// notices name them: the objects a property editor wrote (the inspector, scripts:
// IDesigner::ObjectsModified), the components placed and deleted, and what the form surface says
// it changed. Components renamed, and those linking to a component deleted or renamed, are
// found by name. A change announced without naming what it wrote (a designer page, the columns
// editor), and RecordChange without a list, compare the whole form.
//
// Components that are not controls have no geometry of their own; the form surface keeps where
// their icon sits in the dynamic property "DesignPosition" (a QPoint) of the component's object,
// and the form file keeps it with the component.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "designintf.h"
// Complete, so that DesignerReplaced(TFormDesigner *) can be queued and spied on.
#include "formchangecommand.h"
#include "formdesigner.h"
#include "formfile.h"

class QUndoStack;
class TComponent;

class TFormDocument : public QObject, public IDesignNotification {
    Q_OBJECT
public:
    // How many steps undo reaches back. Each step holds what its change touched, so an
    // unbounded stack would grow for as long as the workbench runs; the oldest steps go first.
    static constexpr int UndoLimit = 256;

    explicit TFormDocument(QObject *parent = nullptr);
    ~TFormDocument() override;

    // The designer of the form now open; a new one after New and Open (see DesignerReplaced).
    TFormDesigner *Designer() const;
    QUndoStack *UndoStack() const;

    // Records the form as it is now as one undoable step named Text, when it differs from the
    // last recorded state; does nothing otherwise. An empty Text names the step after what
    // changed (DescribeChange). The whole form is compared with its last recorded state.
    void RecordChange(const QString &Text = QString());
    // The same for a change of the components of Touched (and what the designer's notices named
    // since the last step): only those are written again.
    void RecordChange(const QString &Text, const QList<QObject *> &Touched);
    // RecordChange(Text, Touched), then tells the design windows (the designer's Modified); that
    // notice records nothing more.
    void CommitChange(const QString &Text, const QList<QObject *> &Touched);
    // The name of the step from one form text to another: "Place Grid1", "Delete Grid1",
    // "Rename Grid1 to Grid2", "Move Grid1", "Change Grid1.Color" (the components and top-level
    // properties that differ; several as a list, many as a count).
    static QString DescribeChange(const QByteArray &Before, const QByteArray &After);
    // Records a change the designer announced (ItemsModified) now rather than when the event
    // loop comes round; tests and scripts call it before looking at the undo stack.
    void FlushPendingChange();
    // The bytes of form text the steps of the undo stack hold.
    qsizetype UndoBytes() const;
    // The components step Index of the undo stack holds, by their names after it (before it,
    // for those it deleted): a change of one component's properties holds that component only.
    QStringList StepComponents(int Index) const;
    // Whether the form differs from what was last saved or opened.
    bool IsModified() const;
    // The file the form was last saved to or opened from; empty for a new form.
    QString FileName() const;

    // Closes the form (its designer sends DesignerClosed) and starts an empty one.
    void New();
    // Opens a form file. A file with problems (ReadFormTextTolerant) opens with what can be
    // read once the user agrees (IHostDialogs::ConfirmFormProblems); the values the host does
    // not know are kept and written back by Save. Answers false, changing nothing, when the
    // user cancels. Raises EHostError with a message naming the file and why, changing nothing,
    // for a file that cannot be read or is not a form at all.
    bool Open(const QString &FileName);
    // Saves the form: writes a new file and renames it over the old one, so a failed save (a
    // message through EHostError) leaves the old file as it was. Saving over a file that
    // opened with problems asks first (MessageDlg); answers false, writing nothing, when the
    // user says no.
    bool Save(const QString &FileName);
    // The problems of the file last opened; empty once it is saved over, or for a new form.
    QList<TFormProblem> OpenProblems() const { return m_openProblems; }
    // Form files opened or saved lately, most recent first (kept in the settings store).
    QStringList RecentFiles() const;
    // Takes a file off that list (one that is gone).
    void RemoveRecentFile(const QString &FileName);

    // The clipboard text of some components of the form (with what they own).
    QByteArray CopyComponents(const QList<TComponent *> &Components) const;
    // Places the components of a clipboard text on the form, renamed where their names are taken,
    // and records the step "Paste". Raises EHostError for text that is not components.
    QList<TComponent *> PasteComponents(const QByteArray &Text);

    // IDesignNotification
    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemInserted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;

signals:
    // After New and Open: the old designer is closed, this one designs the form now.
    void DesignerReplaced(TFormDesigner *Designer);
    void ModifiedChanged(bool Modified);
    void FileNameChanged(const QString &FileName);

private:
    friend class TFormChangeCommand;
    // Makes the form match one side of Step (undoing or redoing it), without recording it.
    void applyStep(const TFormChangeCommand &Step, bool After);
    // Selects the components of the form that are not among Existing.
    void selectMadeAgain(const QList<QPointer<QObject>> &Existing);
    void addRecentFile(const QString &FileName);
    void writeRecentFiles(const QStringList &Files);
    // A new designer takes over from the old one.
    void replaceDesigner(std::unique_ptr<TFormDesigner> Designer);
    // Records the step Text: of what m_touched names, or (Whole) of the whole form.
    void record(const QString &Text, bool Whole);
    // Adds the components the objects belong to to m_touched; an object of none makes it the
    // whole form.
    void touch(const QList<QObject *> &Objects);

    // What the last file opened held that the host does not know, written back on Save.
    TFormKeptValues m_kept;
    QList<TFormProblem> m_openProblems;
    QString m_damagedFile; // absolute; saving over it asks first
    std::unique_ptr<TFormDesigner> m_designer;
    std::unique_ptr<QUndoStack> m_undoStack;
    QString m_fileName;
    TFormEntries m_last;       // the form as last recorded
    TFormTouched m_touched;    // what the changes since then touched
    bool m_applying = false;   // an undo or redo step is setting the form
    bool m_pending = false;    // a change was announced and is not recorded yet
    bool m_placed = false;     // components were placed or deleted since the last step
    bool m_announcing = false; // the notice after a change just recorded is going out
};

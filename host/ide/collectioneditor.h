#pragma once
// The host's collection editor: a non-modal window listing the items of one collection of a
// component (one row per item, in collection order), with commands to add, delete, move and
// select items. Selecting rows selects the items in the form designer, and the rows follow the
// designer's selection. One window per edited collection; it closes when its component, its
// collection or its designer goes.
//
// A package specialises it by subclassing with Q_OBJECT and a Q_INVOKABLE constructor taking
// the parent widget; ShowCollectionEditorClass creates the class from its meta-object. A subclass
// with a form layout of its own passes a setup function to the protected constructor; the layout
// must hold the host's controls under their names (ToolBar1, Splitter1, ListView1, PopupMenu1,
// AddCmd, DeleteCmd, MoveUpCmd, MoveDownCmd, SelectAllCmd) and may add its own.

#include <QFlags>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <functional>

#include "collection.h"
#include "designwindow.h"
#include "korhost_export.h"

class QAction;
class QTreeWidget;
class TComponent;

enum TColOption { coAdd = 0x1, coDelete = 0x2, coMove = 0x4 };
Q_DECLARE_FLAGS(TColOptions, TColOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColOptions)
inline constexpr TColOptions AllColOptions = TColOptions(coAdd | coDelete | coMove);

class KORHOST_EXPORT TCollectionEditor : public TToolbarDesignWindow {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TCollectionEditor(QWidget *parent = nullptr);
    ~TCollectionEditor() override;

    // The edited collection and its component; null once they are gone.
    TCollection *Collection() const { return m_collection.data(); }
    TComponent *Component() const;
    QString PropertyName() const { return m_propertyName; }
    TColOptions Options() const { return m_options; }

    // Controls of the form layout.
    QTreeWidget *ListView1 = nullptr;
    QAction *AddCmd = nullptr;
    QAction *DeleteCmd = nullptr;
    QAction *MoveUpCmd = nullptr;
    QAction *MoveDownCmd = nullptr;
    QAction *SelectAllCmd = nullptr;
    // The command images: add, delete, move up, move down; a subclass appends its own.
    QList<QIcon> ImageList1;

    // Brackets a change during which the window ignores the notices its own change causes
    // (ItemsModified, SelectionChanged). Brackets nest.
    void LockState();
    void UnlockState();
    bool StateLocked() const { return m_stateLock > 0; }
    // Rebuilds the rows from the collection, keeping the selected items selected.
    void UpdateListbox();
    // Makes the rows' selection follow the designer's selection.
    void GetSelection();
    // Makes the designer's selection follow the selected rows (the component when none is).
    void SetSelection();
    // The items of the selected rows, in row order.
    QList<TCollectionItem *> SelectedItems() const;
    // Tells the designer that the collection changed, naming it, so that what records the
    // change need look at the collection's component alone.
    void CollectionModified();

    // Whether a new item may be placed at Index. Add puts a new item after the selected rows
    // when the answer for that place is true, else at the end. The base answers true.
    virtual bool CanAdd(int Index);

    // Command handlers.
    virtual void AddClick(QObject *Sender);
    virtual void DeleteClick(QObject *Sender);
    virtual void MoveUpClick(QObject *Sender);
    virtual void MoveDownClick(QObject *Sender);
    virtual void SelectAllClick(QObject *Sender);
    // Brings the commands' enabled state in line with the rows.
    void UpdateActions() override;

    // Dragging rows within the list. X and Y are relative to the list's viewport. The base
    // accepts a drag that comes from the list itself and moves the dragged items before the
    // item under the drop point.
    virtual void ListView1DragOver(QObject *Sender, QObject *Source, int X, int Y, bool &Accept);
    virtual void ListView1DragDrop(QObject *Sender, QObject *Source, int X, int Y);

    // Form events: FormShow fills the rows; FormClose selects the component again and frees
    // the window.
    virtual void FormShow(QObject *Sender);
    virtual void FormClose(QObject *Sender, TCloseAction &Action);

    // Design notifications.
    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;
    void SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection) override;
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;

    // Every open collection editor, oldest first.
    static QList<TCollectionEditor *> OpenEditors();

protected:
    // Builds the window from a form layout of the subclass's own (see above).
    TCollectionEditor(const std::function<void(QMainWindow *)> &SetupForm, QWidget *parent);

    // The window comes back where it was left for a collection of the same class; the settings
    // key those places are kept under.
    void RestorePlacement() override;
    static QString PlacementKey();
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend KORHOST_EXPORT TCollectionEditor *
    ShowCollectionEditorClass(IDesigner *, const QMetaObject *, TComponent *, TCollection *,
                              const QString &, TColOptions);

    void bindForm();
    void setEdited(TComponent *Component, TCollection *Collection, const QString &PropertyName,
                   TColOptions Options);
    void selectRows(const QList<TCollectionItem *> &Items);
    // Runs a handler the way the host runs its commands: errors are reported.
    void guarded(const std::function<void()> &Handler);

    QPointer<QObject> m_componentObject;
    TComponent *m_component = nullptr;
    QPointer<TCollection> m_collection;
    QString m_propertyName;
    TColOptions m_options = AllColOptions;
    int m_stateLock = 0;
    bool m_syncing = false;
    bool m_componentGone = false;
};

// Shows the collection editor of EditorClass (a TCollectionEditor subclass; nullptr for the
// host's own) for Collection, published by Component as PropertyName: the open window of that
// collection when there is one, brought forward, else a new one. Answers the window. Raises
// EInvalidOperation for a nil collection or an editor class the host cannot create.
KORHOST_EXPORT TCollectionEditor *
ShowCollectionEditorClass(IDesigner *Designer, const QMetaObject *EditorClass,
                          TComponent *Component, TCollection *Collection,
                          const QString &PropertyName, TColOptions Options = AllColOptions);
// Destroys every open collection editor of Class or a subclass (their code is being unloaded).
KORHOST_EXPORT void DestroyCollectionEditors(const QMetaObject *Class);
// Makes the Object Inspector's collection properties open their editors with
// ShowCollectionEditorClass, with every option.
KORHOST_EXPORT void InstallCollectionEditor();

#pragma once
// TFormSurface: the form as a person edits it. Pick a class on the palette, then click on the
// form (default size) or drag a rectangle to place one; select by click, Ctrl+click and a rubber
// band; move and resize with the mouse (handles, grid snapping) and the arrow keys; Delete,
// cut, copy and paste. Components that are not controls show as small icons with their names.
// Every change is recorded on the form document's undo stack.
//
// Arranging (TArrange: align, same size, even spacing, stacking) works on the selection, lined up
// with the first component selected. The surface keeps the actions for it, enabled only when
// they can act, for the window's tool bar and Edit menu and for its own context menu. A lock
// keeps the form's components where they are against the mouse, the arrow keys and arranging;
// it belongs to the surface and is not saved with the form.
//
// The controls on the form are the real run-time widgets. A transparent overlay lies on top of
// the form and takes every mouse and key event, so the controls never see input at design time;
// it draws the grid dots, the icons, the selection handles and the rubber band.

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>

#include "arrangeactions.h"
#include "designintf.h"

class QAction;
class QMenu;
class QScrollArea;
class TComponent;
class TDesignForm;
class TFormDesigner;
class TFormDocument;
class TSurfaceOverlay;

class TFormSurface : public QWidget, public IDesignNotification {
    Q_OBJECT
public:
    explicit TFormSurface(TFormDocument *Document, QWidget *parent = nullptr);
    ~TFormSurface() override;

    // The class the next click or drag on the form places; nullptr picks the arrow again.
    void SetPendingClass(const QMetaObject *Class);
    const QMetaObject *PendingClass() const;

    // Places a component of Class at Bounds (an empty size: the class's default size at
    // Bounds' top left), selects it and records "Place <name>". Errors are reported, and then
    // the answer is nullptr.
    TComponent *PlaceComponent(const QMetaObject *Class, const QRect &Bounds);
    // Gives the form Size as one undoable step "Size <form>", as dragging its handles does.
    void ResizeForm(const QSize &Size);
    // Where the form's resize handles (TSurfaceOverlay::hRight, hBottomRight, hBottom) lie, just
    // outside its right and bottom edges, in the coordinates of Desk().
    QRect FormHandleRect(int Handle) const;
    // The area around the form, which the form and its overlay lie on.
    QWidget *Desk() const;
    // The rectangle Rect becomes when placed on the form: as big as the form at most, and moved
    // inside it.
    QRect FitInForm(const QRect &Rect) const;

    // Moves, resizes (by Delta's width and height) and deletes the selected components, each
    // one undoable step.
    void MoveSelection(const QPoint &Delta);
    void ResizeSelection(const QSize &Delta);
    void DeleteSelection();
    void CutSelection();
    void CopySelection();
    // Pastes the clipboard's components as the step "Paste". They land where they were copied
    // from when that place is free (after a cut), else on the nearest free place of the form.
    void Paste();
    // Selects every component of the form.
    void SelectAll();
    // Selects the next component of the form (Forward) or the one before, in the order the
    // form keeps them, going round; the first (or last) when none is selected.
    void SelectNext(bool Forward);

    // Arranges the selection as one undoable step named after the command ("Align Left");
    // does nothing when the command cannot act (CanArrange).
    void Arrange(TArrange Kind);
    bool CanArrange(TArrange Kind) const;
    // The action of one arranging command, and all of them in menu order with separators.
    QAction *ArrangeAction(TArrange Kind) const;
    QList<QAction *> ArrangeActions() const;
    // "Lock Components" (checkable) and "Tab Order...".
    QAction *LockAction() const { return m_lockAction; }
    QAction *TabOrderAction() const { return m_tabOrderAction; }
    void SetLocked(bool Locked);
    bool IsLocked() const { return m_locked; }

    // The controls on the form, in the order Tab moves through them at run time (their
    // TabOrder; the form's own order among equals).
    QList<TComponent *> TabOrderControls() const;
    // Asks for a new tab order (IHostDialogs::EditTabOrder) and applies it as the step
    // "Tab Order".
    void EditTabOrder();

    // The grid that placing, moving and resizing snap to, in pixels.
    static constexpr int GridSize = 8;
    // The nearest grid point.
    static QPoint Snap(const QPoint &Point);

    TFormDesigner *Designer() const;
    TDesignForm *Form() const;
    // The widget that takes the mouse and keys over the form; its coordinates are the form's.
    QWidget *Overlay() const;
    // The selected components that are on the form (a design window may also select a column or
    // a title: those are not shown here).
    QList<TComponent *> SelectedComponents() const;
    // Where a component shows on the form: a control's geometry, the icon (and name) of another.
    QRect ComponentRect(TComponent *Component) const;
    // The topmost component at Pos (form coordinates); nullptr on the bare form.
    TComponent *ComponentAt(const QPoint &Pos) const;
    // The menu a right-click on the selection shows: the component editor's verbs (for one
    // selected component), then Cut, Copy, Paste and Delete. The caller owns it.
    std::unique_ptr<QMenu> CreateContextMenu();
    // What the mouse does where it is now, for the status bar.
    QString StatusText() const;

    // IDesignNotification: the surface repaints on every change of the form and its selection.
    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemInserted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;
    void SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection) override;
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;

signals:
    // The pending class changed (placing a component picks the arrow again).
    void PendingClassChanged(const QMetaObject *Class);
    void StatusTextChanged(const QString &Text);

private:
    friend class TSurfaceOverlay;

    // Shows the document's current form (at start and after New and Open).
    void attachForm();
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void fitDesk();
    // Sets where a component shows (a control's geometry, an icon's DesignPosition).
    void setComponentRect(TComponent *Component, const QRect &Rect);
    // Deletes the selected components of the form as one step, named StepPattern ("Delete %1")
    // with their names.
    void deleteSelection(const QString &StepPattern);
    // Records the change Text of Touched, then tells the design windows (the designer's
    // Modified). Without Touched: a change of the selected components.
    void commit(const QString &Text);
    void commit(const QString &Text, const QList<TComponent *> &Touched);
    // The selected components that are controls, in the order they were selected.
    QList<TComponent *> selectedControls() const;
    void buildActions();
    void refreshActions();
    // Moves the just pasted Components, together, off the others (see Paste).
    void landOnFreeSpace(const QList<TComponent *> &Components);
    // The name of a step on Components: Pattern ("Move %1") with their names, or their count.
    static QString stepText(const QString &Pattern, const QList<TComponent *> &Components);
    void setStatusText(const QString &Text);

    TFormDocument *m_document;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_desk = nullptr;
    TSurfaceOverlay *m_overlay = nullptr;
    QPointer<TDesignForm> m_form;
    const QMetaObject *m_pendingClass = nullptr;
    QString m_statusText;
    QList<QAction *> m_arrangeActions; // in ArrangeCommands() order
    QList<QAction *> m_arrangeMenu;    // the same, with separators
    QAction *m_lockAction = nullptr;
    QAction *m_tabOrderAction = nullptr;
    bool m_locked = false;
};

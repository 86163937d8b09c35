#pragma once
// Design windows: non-modal tool windows that edit components of a form being designed. They
// hold the form's designer and hear every design notification while they are open.

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "designintf.h"
#include "korhost_export.h"

class QAction;
class QFrame;
class QMenu;
class QToolBar;

// What closing a window does with it: nothing (it stays open), hide it, free it, minimise it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class KORHOST_EXPORT TDesignWindow : public QMainWindow, public IDesignNotification {
    Q_OBJECT
public:
    explicit TDesignWindow(QWidget *parent = nullptr);
    ~TDesignWindow() override;

    IDesigner *Designer() const { return m_designer; }
    virtual void SetDesigner(IDesigner *Value);
    // True while this is the active design window.
    bool Active() const { return m_active; }

    // The window this one stays above: the top-level window that shows the designer's form,
    // else the application's active window when it is not a design window itself. Null when
    // there is none.
    QWidget *OwnerWindow() const;
    // Moves the window so that its frame lies fully on the available area of its screen (the
    // screen under its centre, else its own). Runs again once the window manager has told the
    // frame's size, so a window shown at the edge of the screen ends up fully on it.
    void MakeFullyVisible();
    // The place every design window saves and restores: the top-left corner of its frame, in
    // screen coordinates. RestorePosition puts the frame there; called before the window is
    // first shown (RestorePlacement, ReadFormState) the window manager frames it there.
    QPoint SavedPosition() const;
    void RestorePosition(const QPoint &FramePosition);
    // Puts the window right of the designer's form as it shows on the screen (else of Owner,
    // else of OwnerWindow()), top-aligned with it; where the screen leaves no room there, over
    // the form a little in from its corner. The whole frame stays on the screen.
    void PlaceNearForm(QWidget *Owner = nullptr);

    // The window closes when its designer closes.
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;

    // Showing the window first makes it a transient of OwnerWindow(), so window managers keep
    // it above that window (a click on the form never buries it). A window that no stored
    // corner placed opens beside the form, or over it where the screen leaves no room beside
    // it. A window that comes up is raised and made the active window.
    void setVisible(bool visible) override;

protected:
    // Called when the window becomes the active design window.
    virtual void Activated();
    // Called as the window is first shown, before its native window exists: the moment to put
    // it on a stored corner, so that the window manager frames it there from the start.
    virtual void RestorePlacement();
    bool event(QEvent *event) override;

private:
    void attachToOwner();
    void settlePlacement();
    void pullOnScreen();
    void waitForFrame(int Waited);

    IDesigner *m_designer = nullptr;
    bool m_active = false;
    // Set while the window waits for its frame to be pulled onto the screen.
    bool m_pendingPull = false;
    // Set once RestorePosition has put the window on a corner of its own.
    bool m_placed = false;
};

// A design window with a tool bar at the top, a thin bar below it and a context menu that
// switches the tool bar and the text labels under its icons.
//
// A window whose form layout already holds the tool bar, the bar and the menu sets ToolBar1,
// Splitter1 and PopupMenu1 before FormCreate runs; FormCreate builds whatever is still missing
// and adds the host's two commands.
class KORHOST_EXPORT TToolbarDesignWindow : public TDesignWindow {
    Q_OBJECT
public:
    explicit TToolbarDesignWindow(QWidget *parent = nullptr);
    ~TToolbarDesignWindow() override;

    QToolBar *ToolBar1 = nullptr;
    QFrame *Splitter1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    // Host commands, appended to PopupMenu1: show or hide the tool bar, text labels under icons.
    QAction *ToolbarCmd = nullptr;
    QAction *TextLabelsCmd = nullptr;

    // Bigger tool-bar icons.
    bool LargeButtons() const { return m_largeButtons; }
    void SetLargeButtons(bool Value);
    bool TextLabels() const;

    // Runs once right after construction, before anything else uses the window.
    virtual void FormCreate();
    // Shows or hides the tool bar; the bar below it follows.
    void ToolbarCmdExecute(QObject *Sender);
    // Shows or hides the text labels under the tool-bar icons.
    void TextLabelsCmdExecute(QObject *Sender);
    // Brings the check marks of the commands in line with the window; runs before the context
    // menu opens and after every command.
    virtual void UpdateActions();

    // Connects Action to Handler the way the host's action lists do: a checkable action does
    // not change its own check mark when triggered; Handler decides.
    void BindAction(QAction *Action, std::function<void(QObject *Sender)> Handler);
    // Detaches every handler this window bound to Action.
    void UnbindAction(QAction *Action);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    // Fixes the tool bar's height to what its buttons need now.
    void FitToolBar();

private:
    bool m_largeButtons = false;
};

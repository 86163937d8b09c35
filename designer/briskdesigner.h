#pragma once
// TBriskDesigner: the common base of the suite's non-modal designer windows, each editing one
// component of a form being designed. It keeps at most one window per (designer, component),
// remembers its position, size and bar choices per window class, follows and sets the
// designer's selection, shows its controls' hints in its status bar, and offers the hooks by
// which a subclass builds and refreshes its property list. A plain TBriskDesigner shows an
// empty panel.

#include <QPointer>
#include <functional>
#include <memory>

#include "controldrag.h"
#include "designwindow.h"
#include "proplistwindow.h"
#include "showhint.h"

class QStatusBar;
class QTabWidget;
class QToolButton;
class TComponent;
class TPropList;
class TBriskDesigner;

namespace Ui {
class TBriskDesigner;
}

// Makes a new designer window of one class, not yet set up (the "class of TBriskDesigner").
using TBriskDesignerClass = std::function<TBriskDesigner *()>;

template <class T> TBriskDesignerClass BriskDesignerClass()
{
    return []() -> TBriskDesigner * { return new T(); };
}

// Shows the window of DesignerClass that edits Component in Designer: the open one when there
// is one (brought forward where it is, its state not read again), else a new one: at its stored
// place, or the first time to the right of ParentForm (the parent keeps its size and place), and
// pulled fully onto the screen. Answers the window, or nullptr when setting up a new window
// failed (the window is then destroyed and the error goes no further). An error while the window
// itself is created reaches the caller.
TBriskDesigner *ShowBriskDesignerClass(IDesigner *Designer, TComponent *Component,
                                       const TBriskDesignerClass &DesignerClass,
                                       QWidget *ParentForm);
void ShowBriskDesigner(IDesigner *Designer, TComponent *Component, QWidget *ParentForm);

class TBriskDesigner : public TToolbarDesignWindow, public IPropListWindow {
    Q_OBJECT
public:
    explicit TBriskDesigner(QWidget *parent = nullptr);
    ~TBriskDesigner() override;

    // Controls of the form layout. ToolButton3 is the hidden separator of the tool bar; N2 the
    // separator of PopupMenu1 and StatusBar2 its entry for StatusBarCmd.
    QFrame *Panel1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QToolButton *ToolButton1 = nullptr;
    QToolButton *ToolButton2 = nullptr;
    QWidget *ToolButton3 = nullptr;
    QToolButton *ToolButton4 = nullptr;
    QToolButton *ToolButton5 = nullptr;
    QAction *StatusBarCmd = nullptr;
    QAction *EnableAllCmd = nullptr;
    QAction *SaveTabsCmd = nullptr;
    QAction *Button4Cmd = nullptr;
    QAction *Button5Cmd = nullptr;
    QAction *N2 = nullptr;
    QAction *StatusBar2 = nullptr;

    // The component being designed; null once it is gone or the editor closed.
    TComponent *Component() const;
    TPropList *GetPropList() const { return PropList.get(); }

    // Closes the window because its component or designer went away.
    void CloseEditor();
    // Settings key of the form state; each window class has a section of its own there.
    QString GetRegKey() const;
    // "<component name> Designer".
    void SetFormCaption();
    // The client height that gives Panel1 the height PanelHeight.
    virtual int CalcHeight(int PanelHeight);
    // Restores the page order and active page of PageControl from the value Name.
    void ReadTabsOrder(const QString &Name, QTabWidget *PageControl);
    // Stores them under Name, or deletes the value when PageControl is null or has no pages.
    void SaveTabsOrder(const QString &Name, QTabWidget *PageControl);
    // Selects the property list's selected object in the designer (only while active).
    virtual void SetSelection();
    // Hook: a subclass creates PropList here (owner form: this window; instance: Component()).
    virtual void CreatePropList();
    virtual void ReadFormState();
    // Erases the class's section first: a subclass writes its own values after calling this.
    virtual void SaveFormState();
    // Reloads the property list's active page and selects its object again.
    void UpdatePropList() override;
    // The hint handler while the window is active: hints of the window's own controls (other
    // than tool-bar buttons) go into the status bar instead of popping up.
    virtual void FormShowHint(QString &HintStr, bool &CanShow, THintInfo &HintInfo);

    // Design notifications.
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;
    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;

    // Tab drag and drop: dragging a page's tab onto another tab moves the page there.
    // BindPageControl routes a page control's mouse-downs and drags to these handlers; X and Y
    // are relative to the page control.
    void BindPageControl(QTabWidget *PageControl);
    void PageControlMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                              int X, int Y);
    void PageControlDragOver(QObject *Sender, QObject *Source, int X, int Y, TDragState State,
                             bool &Accept);
    void PageControlDragDrop(QObject *Sender, QObject *Source, int X, int Y);

    // Command handlers. The bar commands keep Panel1's height and resize the window instead.
    void ToolBarCmdExecute(QObject *Sender);
    void TextLabelsCmdExecute(QObject *Sender);
    void StatusBarCmdExecute(QObject *Sender);
    void StatusBarCmdUpdate(QObject *Sender);
    void EnableAllCmdExecute(QObject *Sender);
    void SaveTabsCmdExecute(QObject *Sender);
    void UpdateActions() override;

    // Form events.
    void FormCreate() override;
    void FormDestroy();
    void FormShow();
    void FormClose(TCloseAction &Action);
    void FormActivate();
    void FormDeactivate();

protected:
    void Activated() override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Owned; null in a plain TBriskDesigner.
    std::unique_ptr<TPropList> PropList;

private:
    friend TBriskDesigner *ShowBriskDesignerClass(IDesigner *, TComponent *,
                                                  const TBriskDesignerClass &, QWidget *);

    void SetComponent(TComponent *Value);
    bool IsComponent(const QObject *Object) const;
    // Window bounds as the form state stores them: Top and Left of the frame, Width and
    // Height of the client area.
    void SetClientSize(int Width, int Height);
    void SetClientHeight(int Height);
    // Applies pending layout changes so that control sizes are current.
    void SettleLayout();
    int CurrentPanelHeight();
    void PlaceSplitter();
    void PlaceBeside(QWidget *ParentForm);
    void RestoreHintHandler();

    std::unique_ptr<Ui::TBriskDesigner> m_ui;
    bool m_closing = false;
    // Whether ReadFormState found a stored place for the window.
    bool m_positionRestored = false;
    // Set once the window closed for good; a reused window must not be one being freed.
    bool m_released = false;
    bool m_hintInstalled = false;
    TShowHintEvent m_savedShowHint;
    TComponent *m_component = nullptr;
    QPointer<QObject> m_componentObject;
    QList<QPair<QPointer<QObject>, QPointer<QTabWidget>>> m_boundTabBars;
};

#include "briskdesigner.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "designerlist.h"
#include "hostmessages.h"
#include "persistent.h"
#include "proplist.h"
#include "regini.h"
#include "tabsorder.h"
#include "ui_briskdesigner.h"

// Resources of a static library have to be brought in by name.
static void initDesignerResources()
{
    Q_INIT_RESOURCE(designer);
}

namespace {

const QString RegKeySuffix = QStringLiteral("\\Property Editors\\Brisk Designer");
// The rectangle of a tab in the page control's coordinates.
QRect tabRect(QTabWidget *PageControl, int Index)
{
    QTabBar *bar = PageControl->tabBar();
    return bar->tabRect(Index).translated(bar->mapTo(PageControl, QPoint(0, 0)));
}

bool shown(const QWidget *Control)
{
    return Control && !Control->isHidden();
}

} // namespace

// ---- Opening ----

TBriskDesigner *ShowBriskDesignerClass(IDesigner *Designer, TComponent *Component,
                                       const TBriskDesignerClass &DesignerClass,
                                       QWidget *ParentForm)
{
    IDEDesignEd::TDesignerList &list = IDEDesignEd::EnsureDesignerList();
    const QObject *object = Component ? Component->Object() : nullptr;
    const IDEDesignEd::TDesignerList open = list;
    for (const QPointer<QWidget> &entry : open) {
        auto *window = qobject_cast<TBriskDesigner *>(entry.data());
        if (!window || window->m_released || window->Designer() != Designer ||
            !window->IsComponent(object))
            continue;
        // The open window stays where the user put it.
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }

    std::unique_ptr<TBriskDesigner> window(DesignerClass ? DesignerClass() : new TBriskDesigner);
    if (!window)
        return nullptr;
    window->FormCreate();
    try {
        window->SetDesigner(Designer);
        window->SetComponent(Component);
        window->SetFormCaption();
        window->CreatePropList();
        window->ReadFormState();
        window->UpdatePropList();
        // A window opened before goes back to where it was closed; the first one opens beside
        // the form.
        if (!window->m_positionRestored)
            window->PlaceBeside(ParentForm);
        window->show();
    } catch (...) {
        // A window that cannot be set up goes without a word; the host shows nothing.
        return nullptr;
    }
    // From here on the window frees itself when it closes.
    return window.release();
}

void ShowBriskDesigner(IDesigner *Designer, TComponent *Component, QWidget *ParentForm)
{
    ShowBriskDesignerClass(Designer, Component, BriskDesignerClass<TBriskDesigner>(), ParentForm);
}

// ---- Construction ----

TBriskDesigner::TBriskDesigner(QWidget *parent)
    : TToolbarDesignWindow(parent), m_ui(std::make_unique<Ui::TBriskDesigner>())
{
    initDesignerResources();
    m_ui->setupUi(this);
    // Single border with the system menu only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    ToolBar1 = m_ui->ToolBar1;
    Splitter1 = m_ui->Splitter1;
    PopupMenu1 = m_ui->PopupMenu1;
    Panel1 = m_ui->Panel1;
    StatusBar1 = m_ui->StatusBar1;
    StatusBarCmd = m_ui->StatusBarCmd;
    EnableAllCmd = m_ui->EnableAllCmd;
    SaveTabsCmd = m_ui->SaveTabsCmd;
    Button4Cmd = m_ui->Button4Cmd;
    Button5Cmd = m_ui->Button5Cmd;
    N2 = m_ui->N2;
    StatusBar2 = m_ui->StatusBar2;
    addActions({StatusBarCmd, EnableAllCmd, SaveTabsCmd, Button4Cmd, Button5Cmd});

    // The tool buttons the tool bar made for its actions, named as the layout names them.
    const QList<QAction *> barActions = ToolBar1->actions();
    auto button = [this](QAction *action, const char *name) {
        QWidget *widget = ToolBar1->widgetForAction(action);
        if (widget)
            widget->setObjectName(QLatin1String(name));
        return widget;
    };
    ToolButton1 = qobject_cast<QToolButton *>(button(EnableAllCmd, "ToolButton1"));
    ToolButton2 = qobject_cast<QToolButton *>(button(SaveTabsCmd, "ToolButton2"));
    if (barActions.size() > 2 && barActions.at(2)->isSeparator()) {
        barActions.at(2)->setObjectName(QStringLiteral("ToolButton3Action"));
        ToolButton3 = button(barActions.at(2), "ToolButton3");
        barActions.at(2)->setVisible(false);
    }
    ToolButton4 = qobject_cast<QToolButton *>(button(Button4Cmd, "ToolButton4"));
    ToolButton5 = qobject_cast<QToolButton *>(button(Button5Cmd, "ToolButton5"));

    // StatusBar2 is the menu's face of StatusBarCmd.
    connect(StatusBarCmd, &QAction::toggled, StatusBar2, &QAction::setChecked);
    connect(StatusBar2, &QAction::triggered, this, [this] {
        StatusBar2->setChecked(StatusBarCmd->isChecked());
        StatusBarCmd->trigger();
    });

    SetClientSize(width(), height());
}

TBriskDesigner::~TBriskDesigner()
{
    FormDestroy();
}

void TBriskDesigner::FormCreate()
{
    TToolbarDesignWindow::FormCreate();
    // The window stays a top-level window of its own (explicit pop-up mode): it belongs to no
    // other form and comes forward only when asked.
    UnbindAction(ToolbarCmd);
    BindAction(ToolbarCmd, [this](QObject *Sender) { ToolBarCmdExecute(Sender); });
    UnbindAction(TextLabelsCmd);
    BindAction(TextLabelsCmd, [this](QObject *Sender) { TextLabelsCmdExecute(Sender); });
    BindAction(StatusBarCmd, [this](QObject *Sender) { StatusBarCmdExecute(Sender); });
    BindAction(EnableAllCmd, [this](QObject *Sender) { EnableAllCmdExecute(Sender); });
    BindAction(SaveTabsCmd, [this](QObject *Sender) { SaveTabsCmdExecute(Sender); });
    IDEDesignEd::AddDesignerWindow(this);
}

void TBriskDesigner::FormDestroy()
{
    PropList.reset();
    RestoreHintHandler();
    IDEDesignEd::RemoveDesignerWindow(this);
}

// ---- Component and caption ----

TComponent *TBriskDesigner::Component() const
{
    // The host may delete the component under us: only trust the pointer while it lives.
    return m_componentObject ? m_component : nullptr;
}

void TBriskDesigner::SetComponent(TComponent *Value)
{
    if (m_componentObject)
        disconnect(m_componentObject, &QObject::destroyed, this, nullptr);
    m_component = Value;
    m_componentObject = Value ? Value->Object() : nullptr;
    if (m_componentObject) {
        // A component destroyed without a notice closes the window all the same.
        connect(m_componentObject, &QObject::destroyed, this, [this] {
            if (!m_closing)
                CloseEditor();
        });
    }
}

bool TBriskDesigner::IsComponent(const QObject *Object) const
{
    return m_componentObject.data() == Object;
}

void TBriskDesigner::SetFormCaption()
{
    const TComponent *component = Component();
    setWindowTitle(QStringLiteral("%1 Designer").arg(component ? component->Name() : QString()));
}

void TBriskDesigner::CloseEditor()
{
    m_closing = true;
    SetComponent(nullptr);
    PropList.reset();
    close();
}

// ---- Form state ----

QString TBriskDesigner::GetRegKey() const
{
    return BaseRegistryKey() + RegKeySuffix;
}

void TBriskDesigner::ReadFormState()
{
    const TRegIniFile ini(GetRegKey());
    const QString section = QString::fromLatin1(metaObject()->className());

    // Top and Left are the frame's corner, as SaveFormState wrote them.
    const QPoint place = SavedPosition();
    const int top = ini.ReadInteger(section, QStringLiteral("Top"), place.y());
    const int left = ini.ReadInteger(section, QStringLiteral("Left"), place.x());
    m_positionRestored = ini.ValueExists(section, QStringLiteral("Top")) ||
                         ini.ValueExists(section, QStringLiteral("Left"));
    if (QPoint(left, top) != place || m_positionRestored)
        RestorePosition(QPoint(left, top));
    // A size that is not positive cannot be a window's; keep the current one then.
    const int width = ini.ReadInteger(section, QStringLiteral("Width"), this->width());
    if (width > 0)
        SetClientSize(width, height());
    const int height = ini.ReadInteger(section, QStringLiteral("Height"), this->height());
    if (height > 0)
        SetClientSize(this->width(), height);

    PlaceSplitter();
    const bool toolbar = ini.ReadBool(section, QStringLiteral("Toolbar"), true);
    ToolBar1->setVisible(toolbar);
    Splitter1->setVisible(toolbar);
    SetLargeButtons(ini.ReadBool(section, QStringLiteral("LargeButtons"), false));
    StatusBar1->setVisible(ini.ReadBool(section, QStringLiteral("StatusBar"), true));
    EnableAllCmd->setChecked(ini.ReadBool(section, QStringLiteral("EnableAll"), false));
    SaveTabsCmd->setChecked(ini.ReadBool(section, QStringLiteral("SaveTabs"), false));
    // Restoring the bars keeps the window's size; Panel1 takes up the difference.
    SettleLayout();
    UpdateActions();
}

void TBriskDesigner::SaveFormState()
{
    TRegIniFile ini(GetRegKey());
    const QString section = QString::fromLatin1(metaObject()->className());
    // One save for the whole state: the file never holds the erased section alone.
    ini.BeginUpdate();
    ini.EraseSection(section);
    const QPoint place = SavedPosition();
    ini.WriteInteger(section, QStringLiteral("Top"), place.y());
    ini.WriteInteger(section, QStringLiteral("Left"), place.x());
    ini.WriteInteger(section, QStringLiteral("Width"), width());
    ini.WriteInteger(section, QStringLiteral("Height"), height());
    ini.WriteBool(section, QStringLiteral("LargeButtons"), LargeButtons());
    ini.WriteBool(section, QStringLiteral("Toolbar"), shown(ToolBar1));
    ini.WriteBool(section, QStringLiteral("StatusBar"), shown(StatusBar1));
    ini.WriteBool(section, QStringLiteral("EnableAll"), EnableAllCmd->isChecked());
    ini.WriteBool(section, QStringLiteral("SaveTabs"), SaveTabsCmd->isChecked());
    ini.EndUpdate();
}

void TBriskDesigner::ReadTabsOrder(const QString &Name, QTabWidget *PageControl)
{
    if (!PageControl || PageControl->count() == 0)
        return;
    const TRegIniFile ini(GetRegKey());
    const QString value =
        ini.ReadString(QString::fromLatin1(metaObject()->className()), Name, QString());
    if (value.isEmpty())
        return;
    ApplyTabsOrder(PageControl, value);
}

void TBriskDesigner::SaveTabsOrder(const QString &Name, QTabWidget *PageControl)
{
    TRegIniFile ini(GetRegKey());
    const QString section = QString::fromLatin1(metaObject()->className());
    if (!PageControl || PageControl->count() == 0) {
        ini.DeleteKey(section, Name);
        return;
    }
    ini.WriteString(section, Name, TabsOrderText(PageControl));
}

// ---- Sizes ----

int TBriskDesigner::CalcHeight(int PanelHeight)
{
    int height = PanelHeight;
    for (const QWidget *bar : {static_cast<QWidget *>(ToolBar1), static_cast<QWidget *>(Splitter1),
                               static_cast<QWidget *>(StatusBar1)})
        if (shown(bar))
            height += bar->height();
    return height;
}

void TBriskDesigner::SetClientSize(int Width, int Height)
{
    setFixedSize(Width, Height);
    SettleLayout();
}

void TBriskDesigner::SetClientHeight(int Height)
{
    SetClientSize(width(), Height);
}

void TBriskDesigner::SettleLayout()
{
    if (QLayout *top = layout()) {
        top->activate();
        top->setGeometry(rect());
    }
    if (QWidget *client = centralWidget(); client && client->layout()) {
        client->layout()->activate();
        client->layout()->setGeometry(client->rect());
    }
}

int TBriskDesigner::CurrentPanelHeight()
{
    SettleLayout();
    return Panel1->height();
}

void TBriskDesigner::PlaceSplitter()
{
    // Splitter1 belongs directly under the tool bar.
    auto *box = qobject_cast<QBoxLayout *>(Splitter1->parentWidget()->layout());
    if (!box || box->indexOf(ToolBar1) < 0)
        return;
    if (box->indexOf(Splitter1) == box->indexOf(ToolBar1) + 1)
        return;
    box->removeWidget(Splitter1);
    box->insertWidget(box->indexOf(ToolBar1) + 1, Splitter1);
}

void TBriskDesigner::PlaceBeside(QWidget *ParentForm)
{
    if (!ParentForm)
        return;
    // Beside the form where it shows on the screen; the parent keeps its size: in a host that
    // embeds the form it is the host's main window, not a form of its own.
    PlaceNearForm(ParentForm);
}

// ---- Bar and switch commands ----

void TBriskDesigner::ToolBarCmdExecute(QObject *Sender)
{
    const int panel = CurrentPanelHeight();
    TToolbarDesignWindow::ToolbarCmdExecute(Sender);
    SetClientHeight(CalcHeight(panel));
}

void TBriskDesigner::TextLabelsCmdExecute(QObject *Sender)
{
    const int panel = CurrentPanelHeight();
    TToolbarDesignWindow::TextLabelsCmdExecute(Sender);
    SetClientHeight(CalcHeight(panel));
}

void TBriskDesigner::StatusBarCmdExecute(QObject *)
{
    const int panel = CurrentPanelHeight();
    StatusBar1->setVisible(!StatusBarCmd->isChecked());
    SetClientHeight(CalcHeight(panel));
}

void TBriskDesigner::StatusBarCmdUpdate(QObject *)
{
    StatusBarCmd->setChecked(shown(StatusBar1));
}

void TBriskDesigner::EnableAllCmdExecute(QObject *)
{
    EnableAllCmd->setChecked(!EnableAllCmd->isChecked());
    if (PropList) {
        PropList->AllEnabled = EnableAllCmd->isChecked();
        UpdatePropList();
    }
}

void TBriskDesigner::SaveTabsCmdExecute(QObject *)
{
    SaveTabsCmd->setChecked(!SaveTabsCmd->isChecked());
}

void TBriskDesigner::UpdateActions()
{
    TToolbarDesignWindow::UpdateActions();
    if (StatusBarCmd)
        StatusBarCmdUpdate(StatusBarCmd);
}

// ---- Selection and property list ----

void TBriskDesigner::Activated()
{
    if (Designer())
        Designer()->Activate();
    SetSelection();
}

void TBriskDesigner::SetSelection()
{
    if (!PropList || !Active() || !Designer())
        return;
    QObject *item = PropList->SelectedItem();
    if (!item)
        return;
    if (AsComponent(item)) {
        Designer()->SelectComponent(item);
        return;
    }
    QList<QObject *> selection = Designer()->CreateSelectionList();
    selection.append(item);
    Designer()->SetSelections(selection);
}

void TBriskDesigner::CreatePropList() {}

void TBriskDesigner::UpdatePropList()
{
    if (PropList)
        PropList->LoadActiveList();
    SetSelection();
}

// ---- Design notifications ----

void TBriskDesigner::DesignerClosed(IDesigner *ADesigner, bool)
{
    if (ADesigner && ADesigner == Designer())
        CloseEditor();
}

void TBriskDesigner::ItemDeleted(IDesigner *, QObject *Item)
{
    if (!Item || m_closing)
        return;
    const TComponent *component = Component();
    if (!component || (component->ComponentState() & csDestroying) || IsComponent(Item)) {
        CloseEditor();
        return;
    }
    if (PropList)
        PropList->ItemDeleted(Item);
}

void TBriskDesigner::ItemsModified(IDesigner *)
{
    // A rename reaches the window as a modification: the caption follows the name.
    SetFormCaption();
    UpdatePropList();
}

// ---- Form events ----

void TBriskDesigner::FormShow()
{
    MakeFullyVisible();
}

void TBriskDesigner::FormClose(TCloseAction &Action)
{
    if (QObject *component = m_componentObject.data(); component && Designer())
        Designer()->SelectComponent(component);
    SaveFormState();
    Action = caFree;
}

void TBriskDesigner::FormActivate()
{
    if (m_hintInstalled)
        return;
    m_savedShowHint =
        Application::SetOnShowHint([this](QString &HintStr, bool &CanShow, THintInfo &HintInfo) {
            FormShowHint(HintStr, CanShow, HintInfo);
        });
    m_hintInstalled = true;
}

void TBriskDesigner::FormDeactivate()
{
    if (StatusBar1)
        StatusBar1->clearMessage();
    RestoreHintHandler();
}

void TBriskDesigner::RestoreHintHandler()
{
    if (!m_hintInstalled)
        return;
    Application::SetOnShowHint(std::move(m_savedShowHint));
    m_savedShowHint = nullptr;
    m_hintInstalled = false;
}

void TBriskDesigner::FormShowHint(QString &HintStr, bool &CanShow, THintInfo &HintInfo)
{
    QWidget *control = HintInfo.HintControl;
    if (!control || control->window() != this)
        return;
    if (qobject_cast<QToolButton *>(control) && qobject_cast<QToolBar *>(control->parentWidget()))
        return;
    StatusBar1->showMessage(HintStr);
    CanShow = false;
}

bool TBriskDesigner::event(QEvent *event)
{
    const bool result = TToolbarDesignWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    else if (event->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return result;
}

void TBriskDesigner::showEvent(QShowEvent *event)
{
    TToolbarDesignWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TBriskDesigner::closeEvent(QCloseEvent *event)
{
    TCloseAction action = caHide;
    try {
        FormClose(action);
    } catch (...) {
        HandleHostException();
    }
    if (action == caNone) {
        event->ignore();
        return;
    }
    event->accept();
    if (action == caFree && !m_released) {
        m_released = true;
        deleteLater();
    }
}

// ---- Tab drag and drop ----

void TBriskDesigner::BindPageControl(QTabWidget *PageControl)
{
    if (!PageControl)
        return;
    QTabBar *bar = PageControl->tabBar();
    m_boundTabBars.append({bar, PageControl});
    bar->installEventFilter(this);
    SetDragTarget(
        PageControl,
        [this](QObject *Sender, QObject *Source, int X, int Y, TDragState State, bool &Accept) {
            PageControlDragOver(Sender, Source, X, Y, State, Accept);
        },
        [this](QObject *Sender, QObject *Source, int X, int Y) {
            PageControlDragDrop(Sender, Source, X, Y);
        });
}

bool TBriskDesigner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (const auto &[bar, pageControl] : std::as_const(m_boundTabBars)) {
            if (bar != watched || !pageControl)
                continue;
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at =
                static_cast<QWidget *>(watched)->mapTo(pageControl, mouse->position().toPoint());
            PageControlMouseDown(pageControl, mouse->button(), mouse->modifiers(), at.x(), at.y());
            break;
        }
    }
    return TToolbarDesignWindow::eventFilter(watched, event);
}

void TBriskDesigner::PageControlMouseDown(QObject *Sender, Qt::MouseButton, Qt::KeyboardModifiers,
                                          int X, int Y)
{
    auto *pageControl = qobject_cast<QTabWidget *>(Sender);
    if (!pageControl)
        return;
    BeginDrag(pageControl, false, -1, pageControl->mapToGlobal(QPoint(X, Y)));
}

void TBriskDesigner::PageControlDragOver(QObject *Sender, QObject *Source, int, int, TDragState,
                                         bool &Accept)
{
    Accept = qobject_cast<QTabWidget *>(Sender) && Source == Sender;
}

void TBriskDesigner::PageControlDragDrop(QObject *Sender, QObject *, int X, int Y)
{
    auto *pageControl = qobject_cast<QTabWidget *>(Sender);
    if (!pageControl)
        return;
    for (int i = 0; i < pageControl->count(); ++i) {
        if (!tabRect(pageControl, i).contains(X, Y))
            continue;
        const int active = pageControl->currentIndex();
        if (active >= 0 && i != active)
            pageControl->tabBar()->moveTab(active, i);
        return;
    }
}

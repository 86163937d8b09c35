#include "designwindow.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include "hostmessages.h"
#include "persistent.h"

namespace {

constexpr int SmallIconSize = 16;
constexpr int LargeIconSize = 24;
constexpr int SplitterHeight = 3;
// How long a shown window waits for the window manager to tell the size of its frame.
constexpr int FrameWaitMs = 1000;
constexpr int FrameCheckMs = 20;

bool hasFrameMargins(const QWidget *Window)
{
    const QWindow *handle = Window->windowHandle();
    return handle && !handle->frameMargins().isNull();
}

bool onX11()
{
    return QGuiApplication::platformName().startsWith(u"xcb");
}

// The native window knows its frame as soon as the window manager has framed it; the widget
// learns it only from the next move of its window, which may never come. So a shown window's
// frame is its client area plus the native window's margins.
QRect frameOf(const QWidget *Window)
{
    const QWindow *handle = Window->windowHandle();
    if (!handle || !handle->isVisible())
        return Window->frameGeometry();
    return Window->geometry().marginsAdded(handle->frameMargins());
}

// Puts the frame's corner on Corner by placing the client area, which does not depend on what
// the widget believes about its frame.
void moveFrame(QWidget *Window, const QPoint &Corner)
{
    const QWindow *handle = Window->windowHandle();
    if (!handle || !handle->isVisible()) {
        Window->move(Corner);
        return;
    }
    const QMargins margins = handle->frameMargins();
    Window->setGeometry(QRect(Corner + QPoint(margins.left(), margins.top()), Window->size()));
}

// Whether the frame's size is still unknown: before the platform shows the window (a window
// moved from its show event is not framed yet), and on X11 until the window manager has framed
// it, some time after it is first shown.
bool frameUnknown(const QWidget *Window)
{
    const QWindow *handle = Window->windowHandle();
    if (!handle || !handle->isVisible())
        return true;
    return onX11() && !hasFrameMargins(Window);
}

// The area the screen showing Point leaves to windows, else that of the screen Window is on;
// null when there is no screen.
QRect availableAt(const QWidget *Window, const QPoint &Point)
{
    QScreen *screen = QGuiApplication::screenAt(Point);
    if (!screen)
        screen = Window->screen();
    return screen ? screen->availableGeometry() : QRect();
}

// Corner moved as little as it takes for a frame of Size there to lie within Bounds; a frame
// larger than Bounds keeps its top-left corner inside.
QPoint keptWithin(const QRect &Bounds, QPoint Corner, const QSize &Size)
{
    Corner.setX(
        qBound(Bounds.left(), Corner.x(), qMax(Bounds.left(), Bounds.right() + 1 - Size.width())));
    Corner.setY(
        qBound(Bounds.top(), Corner.y(), qMax(Bounds.top(), Bounds.bottom() + 1 - Size.height())));
    return Corner;
}

} // namespace

// ---- TDesignWindow ----

TDesignWindow::TDesignWindow(QWidget *parent) : QMainWindow(parent)
{
    RegisterDesignNotification(this);
}

TDesignWindow::~TDesignWindow()
{
    UnregisterDesignNotification(this);
}

void TDesignWindow::SetDesigner(IDesigner *Value)
{
    m_designer = Value;
}

void TDesignWindow::DesignerClosed(IDesigner *ADesigner, bool)
{
    if (ADesigner && ADesigner == m_designer)
        close();
}

QWidget *TDesignWindow::OwnerWindow() const
{
    const auto usable = [this](QWidget *Window) {
        return Window && Window != this && Window->isVisible() &&
               !qobject_cast<TDesignWindow *>(Window);
    };
    if (m_designer) {
        if (TComponent *root = m_designer->GetRoot())
            if (auto *form = qobject_cast<QWidget *>(root->Object());
                form && usable(form->window()))
                return form->window();
    }
    QWidget *active = QApplication::activeWindow();
    if (usable(active))
        return active;
    // Opened from another design window: stay above what that one stays above.
    if (auto *window = qobject_cast<TDesignWindow *>(active); window && window != this)
        return window->OwnerWindow();
    return nullptr;
}

void TDesignWindow::attachToOwner()
{
    QWidget *owner = OwnerWindow();
    if (!owner || !owner->windowHandle())
        return;
    // A tool window of the owner: window managers keep it above the owner (on X11 only tool
    // windows and dialogs tell their transient parent). The type has to be set before the
    // native window exists.
    if (windowType() == Qt::Window && !testAttribute(Qt::WA_WState_Created))
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    // Only a window with a native handle can name its transient parent; creating the handle
    // here is what showing would do a moment later.
    winId();
    if (QWindow *handle = windowHandle())
        handle->setTransientParent(owner->windowHandle());
}

void TDesignWindow::PlaceNearForm(QWidget *Owner)
{
    // The form's own area on the screen when it shows, else the window that holds it.
    QRect anchor;
    QWidget *form = nullptr;
    if (TComponent *root = m_designer ? m_designer->GetRoot() : nullptr)
        form = qobject_cast<QWidget *>(root->Object());
    if (form && form->isVisible())
        anchor = QRect(form->mapToGlobal(QPoint(0, 0)), form->size());
    else if (QWidget *owner = Owner ? Owner->window() : OwnerWindow())
        anchor = frameOf(owner);
    if (anchor.isNull())
        return;
    const QRect bounds = availableAt(this, anchor.center());
    if (bounds.isNull())
        return;
    const QSize size = frameOf(this).size();
    QPoint corner(anchor.right() + 1, anchor.top());
    if (corner.x() + size.width() > bounds.right() + 1)
        corner = anchor.topLeft() + QPoint(SmallIconSize * 3, SmallIconSize * 3);
    m_placed = true;
    moveFrame(this, keptWithin(bounds, corner, size));
}

void TDesignWindow::setVisible(bool visible)
{
    const bool comingUp = visible && !isVisible() && isWindow();
    if (comingUp) {
        try {
            if (!testAttribute(Qt::WA_WState_Created))
                RestorePlacement();
            if (!m_placed && !testAttribute(Qt::WA_WState_Created))
                PlaceNearForm();
            attachToOwner();
        } catch (...) {
            HandleHostException();
        }
    }
    QMainWindow::setVisible(visible);
    // The window the user just opened is the one to work in.
    if (comingUp) {
        raise();
        activateWindow();
    }
    if (visible && isWindow() && m_pendingPull) {
        if (!frameUnknown(this) || !onX11())
            settlePlacement();
        else
            waitForFrame(0);
    }
}

QPoint TDesignWindow::SavedPosition() const
{
    return frameOf(this).topLeft();
}

void TDesignWindow::RestorePosition(const QPoint &FramePosition)
{
    // Before the native window exists a move places the frame, and the window manager frames
    // the window there; later moves go by the frame as it is known now.
    m_placed = true;
    moveFrame(this, FramePosition);
}

void TDesignWindow::MakeFullyVisible()
{
    // Without the frame's size the window would be pulled by a wrong amount: wait for it.
    if (frameUnknown(this)) {
        m_pendingPull = true;
        return;
    }
    pullOnScreen();
}

void TDesignWindow::pullOnScreen()
{
    const QRect frame = frameOf(this);
    const QRect bounds = availableAt(this, frame.center());
    if (bounds.isNull())
        return;
    const QPoint corner = keptWithin(bounds, frame.topLeft(), frame.size());
    if (corner != frame.topLeft())
        moveFrame(this, corner);
}

void TDesignWindow::waitForFrame(int Waited)
{
    // Looks again every few milliseconds; a window manager that never frames the window must
    // not leave it waiting for good.
    QTimer::singleShot(FrameCheckMs, this, [this, Waited] {
        if (!m_pendingPull)
            return;
        if (hasFrameMargins(this) || Waited + FrameCheckMs >= FrameWaitMs)
            settlePlacement();
        else
            waitForFrame(Waited + FrameCheckMs);
    });
}

void TDesignWindow::settlePlacement()
{
    // A frame still unknown now is not waited for any longer.
    if (isVisible() && std::exchange(m_pendingPull, false))
        pullOnScreen();
}

void TDesignWindow::Activated() {}

void TDesignWindow::RestorePlacement() {}

bool TDesignWindow::event(QEvent *event)
{
    // The first move or resize that comes with a known frame finishes a restored placement.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_pendingPull &&
        isVisible() && hasFrameMargins(this))
        QTimer::singleShot(0, this, [this] { settlePlacement(); });

    if (event->type() == QEvent::WindowActivate) {
        m_active = true;
        // An error of the designer must not escape into the event loop; the host reports it.
        try {
            Activated();
        } catch (...) {
            HandleHostException();
        }
    } else if (event->type() == QEvent::WindowDeactivate) {
        m_active = false;
    }
    return QMainWindow::event(event);
}

// ---- TToolbarDesignWindow ----

TToolbarDesignWindow::TToolbarDesignWindow(QWidget *parent) : TDesignWindow(parent) {}

TToolbarDesignWindow::~TToolbarDesignWindow() = default;

void TToolbarDesignWindow::FormCreate()
{
    if (!ToolBar1 || !Splitter1) {
        // No layout of its own: tool bar and bar on top of whatever the window shows.
        auto *frame = new QWidget(this);
        auto *layout = new QVBoxLayout(frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        if (!ToolBar1)
            ToolBar1 = new QToolBar(frame);
        ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
        layout->addWidget(ToolBar1);
        if (!Splitter1) {
            Splitter1 = new QFrame(frame);
            Splitter1->setObjectName(QStringLiteral("Splitter1"));
            Splitter1->setFrameShape(QFrame::HLine);
            Splitter1->setFrameShadow(QFrame::Sunken);
            Splitter1->setFixedHeight(SplitterHeight);
        }
        layout->addWidget(Splitter1);
        QWidget *client = takeCentralWidget();
        if (!client)
            client = new QWidget(frame);
        layout->addWidget(client, 1);
        setCentralWidget(frame);
    }
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(SmallIconSize, SmallIconSize));
    if (!PopupMenu1) {
        PopupMenu1 = new QMenu(this);
        PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    }
    if (!PopupMenu1->actions().isEmpty())
        PopupMenu1->addSeparator();
    ToolbarCmd = new QAction(tr("&Toolbar"), this);
    ToolbarCmd->setObjectName(QStringLiteral("ToolbarCmd"));
    ToolbarCmd->setCheckable(true);
    TextLabelsCmd = new QAction(tr("Text &Labels"), this);
    TextLabelsCmd->setObjectName(QStringLiteral("TextLabelsCmd"));
    TextLabelsCmd->setCheckable(true);
    PopupMenu1->addAction(ToolbarCmd);
    PopupMenu1->addAction(TextLabelsCmd);
    addActions({ToolbarCmd, TextLabelsCmd});
    BindAction(ToolbarCmd, [this](QObject *Sender) { ToolbarCmdExecute(Sender); });
    BindAction(TextLabelsCmd, [this](QObject *Sender) { TextLabelsCmdExecute(Sender); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { UpdateActions(); });
    FitToolBar();
    UpdateActions();
}

void TToolbarDesignWindow::ToolbarCmdExecute(QObject *)
{
    const bool show = ToolBar1->isHidden();
    ToolBar1->setVisible(show);
    Splitter1->setVisible(show);
    UpdateActions();
}

void TToolbarDesignWindow::TextLabelsCmdExecute(QObject *)
{
    ToolBar1->setToolButtonStyle(TextLabels() ? Qt::ToolButtonIconOnly
                                              : Qt::ToolButtonTextUnderIcon);
    FitToolBar();
    UpdateActions();
}

bool TToolbarDesignWindow::TextLabels() const
{
    return ToolBar1 && ToolBar1->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
}

void TToolbarDesignWindow::SetLargeButtons(bool Value)
{
    m_largeButtons = Value;
    if (!ToolBar1)
        return;
    const int size = Value ? LargeIconSize : SmallIconSize;
    ToolBar1->setIconSize(QSize(size, size));
    FitToolBar();
}

void TToolbarDesignWindow::UpdateActions()
{
    if (ToolbarCmd && ToolBar1)
        ToolbarCmd->setChecked(!ToolBar1->isHidden());
    if (TextLabelsCmd)
        TextLabelsCmd->setChecked(TextLabels());
}

void TToolbarDesignWindow::BindAction(QAction *Action, std::function<void(QObject *Sender)> Handler)
{
    if (!Action || !Handler)
        return;
    connect(Action, &QAction::triggered, this, [this, Action, Handler](bool checked) {
        // A checkable action has already flipped its mark; put it back so the handler sees
        // the state the user acted on.
        if (Action->isCheckable())
            Action->setChecked(!checked);
        try {
            Handler(Action);
        } catch (...) {
            HandleHostException();
        }
        UpdateActions();
    });
}

void TToolbarDesignWindow::UnbindAction(QAction *Action)
{
    if (Action)
        disconnect(Action, &QAction::triggered, this, nullptr);
}

void TToolbarDesignWindow::contextMenuEvent(QContextMenuEvent *event)
{
    if (!PopupMenu1) {
        event->ignore();
        return;
    }
    PopupMenu1->popup(event->globalPos());
    event->accept();
}

void TToolbarDesignWindow::FitToolBar()
{
    if (!ToolBar1)
        return;
    // Clear the old fixed height first so the hint reflects the buttons alone.
    ToolBar1->setMinimumHeight(0);
    ToolBar1->setMaximumHeight(QWIDGETSIZE_MAX);
    ToolBar1->setFixedHeight(ToolBar1->sizeHint().height());
}

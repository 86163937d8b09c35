#include "snapshothook.h"

#include <QApplication>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerTaskMenuExtension>
#include <QExtensionManager>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include "designwindow.h"
#include "grid.h"
#include "uicomponents.h"

namespace {

// Time for Designer to lay out its window and for the design window to show.
constexpr int kSettleMs = 1500;
// Designer's window in the picture, and where the design window stands on it: over the lower
// right part of the form, so the grid it edits stays in sight.
constexpr QSize kMainSize(1440, 900);
constexpr QPoint kDesignWindowAt(540, 450);
// The offscreen platform draws no window frames: the picture gives design windows a title bar.
constexpr int kTitleHeight = 26;

QWidget *firstGrid(QDesignerFormWindowInterface *Form)
{
    QWidget *container = Form ? Form->mainContainer() : nullptr;
    if (!container)
        return nullptr;
    for (QWidget *widget : container->findChildren<QWidget *>())
        if (qobject_cast<TKorCustomDBGrid *>(widget) && Form->isManaged(widget))
            return widget;
    return nullptr;
}

// Runs the task-menu entry of Widget whose text starts with Text, as a person would.
bool runTask(QDesignerFormEditorInterface *Core, QWidget *Widget, const QString &Text)
{
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(Core->extensionManager(), Widget);
    if (!menu)
        return false;
    for (QAction *action : menu->taskActions())
        if (action->text().startsWith(Text)) {
            action->trigger();
            return true;
        }
    return false;
}

// Designer's window with every visible design window painted over it where it stands, under a
// title bar with its caption.
QImage composeScreen(QWidget *Main)
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<TDesignWindow *>(widget) && widget->isVisible())
            windows.append(widget);
    QRect area = Main->geometry();
    for (QWidget *window : windows)
        area |= window->geometry().adjusted(0, -kTitleHeight, 0, 0);
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(60, 60, 60));
    QPainter painter(&image);
    painter.drawPixmap(Main->geometry().topLeft() - area.topLeft(), Main->grab());
    for (QWidget *window : windows) {
        const QRect frame = window->geometry().translated(-area.topLeft());
        const QRect title(frame.left(), frame.top() - kTitleHeight, frame.width(), kTitleHeight);
        painter.fillRect(title, window->palette().color(QPalette::Highlight));
        painter.setPen(window->palette().color(QPalette::HighlightedText));
        painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         window->windowTitle());
        painter.drawPixmap(frame.topLeft(), window->grab());
        painter.setPen(QColor(40, 40, 40));
        painter.drawRect(frame.adjusted(0, -kTitleHeight, -1, -1));
    }
    return image;
}

void shoot(QDesignerFormEditorInterface *Core, QDesignerFormWindowInterface *Form,
           const QString &File)
{
    QWidget *grid = firstGrid(Form);
    QWidget *main = Core->topLevel() ? Core->topLevel() : Form->window();
    if (!grid || !main) {
        QTextStream(stderr) << "snapshot: no grid on the form\n";
        QCoreApplication::exit(1);
        return;
    }
    main->resize(kMainSize);
    Form->clearSelection(false);
    Form->selectWidget(grid, true);
    if (!runTask(Core, grid, QStringLiteral("Kor-DBGrid Designer"))) {
        QTextStream(stderr) << "snapshot: the grid has no designer in its task menu\n";
        QCoreApplication::exit(1);
        return;
    }
    QPointer<QWidget> mainWindow = main;
    QTimer::singleShot(kSettleMs, [mainWindow, File] {
        if (!mainWindow)
            return;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<TDesignWindow *>(widget) && widget->isVisible())
                widget->move(mainWindow->geometry().topLeft() + kDesignWindowAt);
        QCoreApplication::processEvents();
        const bool saved = composeScreen(mainWindow).save(File);
        QTextStream(saved ? stdout : stderr)
            << (saved ? "" : "snapshot: cannot write ") << File << "\n";
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

void InstallSnapshotHook(QDesignerFormEditorInterface *Core, const QString &File)
{
    QDesignerFormWindowManagerInterface *manager = Core->formWindowManager();
    if (!manager)
        return;
    auto done = std::make_shared<bool>(false);
    const auto shootLater = [Core, File, done](QDesignerFormWindowInterface *Form) {
        if (*done)
            return;
        *done = true;
        QPointer<QDesignerFormWindowInterface> form = Form;
        QTimer::singleShot(kSettleMs, [Core, form, File] {
            if (form)
                shoot(Core, form, File);
        });
    };
    QObject::connect(manager, &QDesignerFormWindowManagerInterface::formWindowAdded, manager,
                     shootLater);
    // A host that loads the plugin once a form is open (the form editor of an IDE) has it already.
    if (manager->formWindowCount() > 0)
        shootLater(manager->formWindow(0));
}

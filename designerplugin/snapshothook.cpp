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

// Designer's window with every visible design window painted over it where it stands.
QImage composeScreen(QWidget *Main)
{
    QList<QWidget *> windows{Main};
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<TDesignWindow *>(widget) && widget->isVisible())
            windows.append(widget);
    QRect area;
    for (QWidget *window : windows)
        area |= window->geometry();
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(60, 60, 60));
    QPainter painter(&image);
    for (QWidget *window : windows)
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
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
        // The design window stands over the right half of Designer's window.
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<TDesignWindow *>(widget) && widget->isVisible())
                widget->move(mainWindow->geometry().center().x() - widget->width() / 4,
                             mainWindow->geometry().top() + 60);
        QCoreApplication::processEvents();
        const bool saved = composeScreen(mainWindow).save(File);
        QTextStream(saved ? stdout : stderr) << (saved ? "" : "snapshot: cannot write ") << File
                                              << "\n";
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
    QObject::connect(manager, &QDesignerFormWindowManagerInterface::formWindowAdded, manager,
                     [Core, File, done](QDesignerFormWindowInterface *Form) {
                         if (*done)
                             return;
                         *done = true;
                         QPointer<QDesignerFormWindowInterface> form = Form;
                         QTimer::singleShot(kSettleMs, [Core, form, File] {
                             if (form)
                                 shoot(Core, form, File);
                         });
                     });
}

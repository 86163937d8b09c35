#include "workbenchwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>

#include "compedit.h"
#include "componenticons.h"
#include "designwindow.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "formsurface.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "objectproperties.h"
#include "packages.h"
#include "regini.h"
#include "registration.h"

namespace {

constexpr int ClassRole = Qt::UserRole + 1;
constexpr int ObjectRole = Qt::UserRole + 2;
const QString FormFileFilter = QStringLiteral("Form files (*.kform *.json);;All files (*)");

// Where the main window keeps its state: a section of the workbench's settings key.
const QString WindowStateSection = QStringLiteral("MainWindow");

QString workbenchKey()
{
    return BaseRegistryKey() + QStringLiteral("\\Workbench");
}

QByteArray readBytes(const TRegIniFile &Settings, const QString &Ident)
{
    return QByteArray::fromBase64(
        Settings.ReadString(WindowStateSection, Ident, QString()).toLatin1());
}

const QMetaObject *classOf(const QTreeWidgetItem *Item)
{
    return Item ? static_cast<const QMetaObject *>(Item->data(0, ClassRole).value<void *>())
                : nullptr;
}

QString describe(const TRegistration &r)
{
    const auto className = [](const QMetaObject *mo) {
        return mo ? QString::fromLatin1(mo->className()) : QStringLiteral("(any)");
    };
    switch (r.kind) {
    case TRegistration::Components: {
        QStringList names;
        for (const QMetaObject *mo : r.Classes)
            names << className(mo);
        return QStringLiteral("RegisterComponents(\"%1\", [%2])")
            .arg(r.Page, names.join(QStringLiteral(", ")));
    }
    case TRegistration::ComponentEditor:
        return QStringLiteral("RegisterComponentEditor(%1, %2)")
            .arg(className(r.ComponentClass), className(r.EditorClass));
    case TRegistration::PropertyEditor:
        return QStringLiteral("RegisterPropertyEditor(%1, %2, \"%3\", %4)")
            .arg(r.PropertyType.Class ? className(r.PropertyType.Class) : r.PropertyType.Name,
                 className(r.ComponentClass), r.PropertyName, className(r.EditorClass));
    case TRegistration::PropertiesInCategory:
        return QStringLiteral("RegisterPropertiesInCategory(\"%1\", %2, [%3])")
            .arg(r.Category, className(r.ComponentClass),
                 r.PropertyNames.join(QStringLiteral(", ")));
    case TRegistration::DemandLoadState:
        return QStringLiteral("ForceDemandLoadState(%1)").arg(r.State);
    }
    return {};
}

bool isUndoKey(const QKeyEvent *Key)
{
    return Key->matches(QKeySequence::Undo) || Key->keyCombination() == (Qt::CTRL | Qt::Key_Z);
}

bool isRedoKey(const QKeyEvent *Key)
{
    return Key->matches(QKeySequence::Redo) || Key->keyCombination() == (Qt::CTRL | Qt::Key_Y) ||
           Key->keyCombination() == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

// Whether Widget has undo (or redo) of its own to offer now: a text box being typed in keeps
// its keys; one that only shows a value leaves them to the form.
bool hasOwnUndo(QObject *Widget, bool Redo)
{
    // A spin box, an editable combo box or a host edit control types into a line edit of its own.
    auto *edit = qobject_cast<QLineEdit *>(Widget);
    if (!edit && Widget)
        edit = Widget->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    if (edit)
        return !edit->isReadOnly() && (Redo ? edit->isRedoAvailable() : edit->isUndoAvailable());
    const QTextDocument *document = nullptr;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(Widget); plain && !plain->isReadOnly())
        document = plain->document();
    else if (auto *rich = qobject_cast<QTextEdit *>(Widget); rich && !rich->isReadOnly())
        document = rich->document();
    return document && (Redo ? document->isRedoAvailable() : document->isUndoAvailable());
}

// Undo and redo keys in the design windows of the form (the grid designer, the columns editor
// and any other a package opens): they run the form's undo stack, as the Edit menu does in the
// main window. The windows are package code that knows nothing of the workbench, so the keys
// are taken on their way to the focused widget, for every window whose designer is this form's.
// A text box keeps the keys only while it has typing of its own to undo, here and in the main
// window alike.
class TDesignWindowUndo : public QObject {
public:
    explicit TDesignWindowUndo(TWorkbenchWindow *Window) : QObject(Window), m_window(Window)
    {
        qApp->installEventFilter(this);
    }
    ~TDesignWindowUndo() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        const QEvent::Type type = Event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(Event);
        const bool undo = isUndoKey(key);
        if (!undo && !isRedoKey(key))
            return false;
        if (type == QEvent::ShortcutOverride) {
            // Decided once for each press, by the widget it is headed for (the focused one),
            // before the press itself: a window that previews its keys may hand the press on
            // again after a text box has undone its typing. Taken from the widgets, the keys go
            // to the Edit menu's shortcut in the main window, to the press in a design window.
            // The focus within the key's own window: a design window shown as a tool window
            // keeps a focus of its own while the application's stays in the main window.
            auto *widget = qobject_cast<QWidget *>(Watched);
            QWidget *focus = widget ? widget->window()->focusWidget() : nullptr;
            if (!focus || Watched == focus || key->timestamp() != m_decidedAt) {
                const bool own = hasOwnUndo(Watched, !undo);
                m_undoOnPress = !own && inDesignWindow(Watched);
                m_taken = m_undoOnPress || (!own && inMainWindow(Watched));
                m_decidedAt = key->timestamp();
            }
            return m_taken;
        }
        if (!std::exchange(m_undoOnPress, false))
            return false;
        try {
            TFormDocument *document = m_window->Document();
            document->FlushPendingChange();
            if (undo)
                document->UndoStack()->undo();
            else
                document->UndoStack()->redo();
        } catch (...) {
            HandleHostException();
        }
        return true;
    }

private:
    bool inMainWindow(QObject *Watched) const
    {
        auto *widget = qobject_cast<QWidget *>(Watched);
        return widget && widget->window() == m_window;
    }

    bool inDesignWindow(QObject *Watched) const
    {
        auto *widget = qobject_cast<QWidget *>(Watched);
        auto *window = widget ? qobject_cast<TDesignWindow *>(widget->window()) : nullptr;
        return window && window->Designer() &&
               window->Designer() == static_cast<IDesigner *>(m_window->FormDesigner());
    }

    TWorkbenchWindow *m_window;
    quint64 m_decidedAt = 0;    // the time of the press decided last
    bool m_taken = false;       // the keys pressed now are the form's
    bool m_undoOnPress = false; // and their press, due in a design window, runs the step
};

} // namespace

TWorkbenchWindow::TWorkbenchWindow(QWidget *parent)
    : QMainWindow(parent), m_document(std::make_unique<TFormDocument>())
{
    RegisterDesignNotification(this);
    buildUi();
    buildMenus();
    new TDesignWindowUndo(this);
    refreshPalette();
    refreshRegistrations();
    refreshComponents();
    refreshTitle();
    refreshEditActions();
    connect(m_document.get(), &TFormDocument::DesignerReplaced, this,
            &TWorkbenchWindow::designerReplaced);
    connect(m_document.get(), &TFormDocument::ModifiedChanged, this,
            &TWorkbenchWindow::refreshTitle);
    connect(m_document.get(), &TFormDocument::FileNameChanged, this,
            &TWorkbenchWindow::refreshTitle);
    restoreWindowState();
}

TWorkbenchWindow::~TWorkbenchWindow()
{
    UnregisterDesignNotification(this);
    // The document closes the form (its designer sends DesignerClosed) while the surface that
    // shows it still exists; what it signals on the way out is no longer the window's business.
    m_document->disconnect(this);
    m_document.reset();
    // Closing the window hides its lists after this part of the object is gone; their header
    // must not report a resize back to it.
    m_components->header()->disconnect(this);
}

TFormDesigner *TWorkbenchWindow::FormDesigner() const
{
    return m_document->Designer();
}

void TWorkbenchWindow::buildUi()
{
    resize(1200, 760);

    m_surface = new TFormSurface(m_document.get());
    setCentralWidget(m_surface);
    connect(m_surface, &TFormSurface::StatusTextChanged, this,
            [this](const QString &text) { statusBar()->showMessage(text); });

    // One click on a class picks it for the next click on the form; the pointer picks nothing.
    m_palette = new QTreeWidget;
    m_palette->setObjectName(QStringLiteral("Palette"));
    m_palette->setHeaderHidden(true);
    m_palette->setIconSize(QSize(24, 24));
    connect(m_palette, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { m_surface->SetPendingClass(classOf(item)); });
    connect(m_palette, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { m_surface->SetPendingClass(classOf(item)); });
    // The palette shows the pending class, however it was picked (the arrow again after a
    // placement).
    connect(m_surface, &TFormSurface::PendingClassChanged, this, [this](const QMetaObject *mo) {
        const QSignalBlocker blocker(m_palette);
        for (QTreeWidgetItemIterator it(m_palette); *it; ++it)
            if (classOf(*it) == mo && ((*it)->parent() || !mo)) {
                m_palette->setCurrentItem(*it);
                return;
            }
    });
    auto *paletteDock = new QDockWidget(tr("Palette"));
    paletteDock->setObjectName(QStringLiteral("PaletteDock"));
    paletteDock->setWidget(m_palette);
    addDockWidget(Qt::LeftDockWidgetArea, paletteDock);

    m_components = new QTreeWidget;
    m_components->setObjectName(QStringLiteral("ComponentList"));
    m_components->setHeaderLabels({tr("Component"), tr("Class")});
    m_components->setContextMenuPolicy(Qt::CustomContextMenu);
    // Several components are edited together in the inspector, in the properties they share.
    m_components->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_components, &QTreeWidget::itemSelectionChanged, this, [this] {
        QList<QObject *> selection;
        for (QTreeWidgetItem *item : m_components->selectedItems())
            if (TComponent *component = componentOf(item))
                selection << component->Object();
        if (!selection.isEmpty())
            FormDesigner()->SetSelections(selection);
    });
    connect(m_components, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (TComponent *component = componentOf(item))
            EditComponent(component, FormDesigner());
    });
    connect(m_components, &QWidget::customContextMenuRequested, this,
            &TWorkbenchWindow::showComponentMenu);
    // A width the user drags is kept; the stretched last column follows the dock's width.
    connect(m_components->header(), &QHeaderView::sectionResized, this, [this](int Section) {
        QHeaderView *header = m_components->header();
        const bool stretched = header->stretchLastSection() && Section == header->count() - 1;
        if (!m_fittingComponentColumns && !stretched)
            m_componentColumnsKept = true;
    });
    auto *componentsDock = new QDockWidget(tr("Components"));
    componentsDock->setObjectName(QStringLiteral("ComponentsDock"));
    componentsDock->setWidget(m_components);
    addDockWidget(Qt::LeftDockWidgetArea, componentsDock);

    m_inspector = new TObjectInspector;
    m_inspector->SetDesigner(FormDesigner());
    auto *inspectorDock = new QDockWidget(tr("Object Inspector"));
    inspectorDock->setObjectName(QStringLiteral("InspectorDock"));
    inspectorDock->setWidget(m_inspector);
    addDockWidget(Qt::RightDockWidgetArea, inspectorDock);

    m_registrations = new QPlainTextEdit;
    m_registrations->setReadOnly(true);
    auto *registrationsDock = new QDockWidget(tr("Packages and registrations"));
    registrationsDock->setObjectName(QStringLiteral("RegistrationsDock"));
    registrationsDock->setWidget(m_registrations);
    addDockWidget(Qt::BottomDockWidgetArea, registrationsDock);
    // The registrations are for the curious: start with them tucked away.
    registrationsDock->hide();

    m_database = new QLabel;
    statusBar()->addPermanentWidget(m_database);
    statusBar()->showMessage(tr("Pick a component on the palette, then click on the form to "
                                "place it."));
}

void TWorkbenchWindow::buildMenus()
{
    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("&New"), QKeySequence::New, this, &TWorkbenchWindow::NewForm);
    fileMenu->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { OpenForm(); });
    fileMenu->addAction(tr("&Save"), QKeySequence::Save, this, &TWorkbenchWindow::SaveForm);
    fileMenu->addAction(tr("Save &As..."), QKeySequence::SaveAs, this,
                        &TWorkbenchWindow::SaveFormAs);
    m_recentMenu = fileMenu->addMenu(tr("&Recent Files"));
    m_recentMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &TWorkbenchWindow::refreshRecentFiles);
    refreshRecentFiles();
    fileMenu->addSeparator();
    fileMenu->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu *editMenu = menuBar()->addMenu(tr("&Edit"));
    QAction *undo = m_document->UndoStack()->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_document->UndoStack()->createRedoAction(this, tr("&Redo"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    redo->setShortcuts(redoKeys);
    editMenu->addAction(undo);
    editMenu->addAction(redo);
    editMenu->addSeparator();
    // These work on the form only while it has the focus: in the inspector the same keys edit
    // text.
    const auto formAction = [this, editMenu](const QString &text, QKeySequence::StandardKey key,
                                             void (TFormSurface::*slot)()) {
        auto *action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, m_surface, slot);
        m_surface->addAction(action);
        editMenu->addAction(action);
        return action;
    };
    m_cutAction = formAction(tr("Cu&t"), QKeySequence::Cut, &TFormSurface::CutSelection);
    m_copyAction = formAction(tr("&Copy"), QKeySequence::Copy, &TFormSurface::CopySelection);
    formAction(tr("&Paste"), QKeySequence::Paste, &TFormSurface::Paste);
    m_deleteAction =
        formAction(tr("&Delete"), QKeySequence::Delete, &TFormSurface::DeleteSelection);
    editMenu->addSeparator();
    formAction(tr("Select &All"), QKeySequence::SelectAll, &TFormSurface::SelectAll);
    editMenu->addSeparator();
    QMenu *arrangeMenu = editMenu->addMenu(tr("Arra&nge"));
    arrangeMenu->addActions(m_surface->ArrangeActions());
    editMenu->addAction(m_surface->TabOrderAction());
    editMenu->addAction(m_surface->LockAction());
    // The same commands on a tool bar above the form.
    QToolBar *arrangeBar = addToolBar(tr("Arrange"));
    arrangeBar->setObjectName(QStringLiteral("ArrangeToolBar"));
    arrangeBar->setIconSize(QSize(16, 16));
    arrangeBar->addActions(m_surface->ArrangeActions());
    arrangeBar->addSeparator();
    arrangeBar->addAction(m_surface->TabOrderAction());
    arrangeBar->addAction(m_surface->LockAction());

    QMenu *viewMenu = menuBar()->addMenu(tr("&View"));
    for (QDockWidget *dock : findChildren<QDockWidget *>())
        viewMenu->addAction(dock->toggleViewAction());
    viewMenu->addAction(arrangeBar->toggleViewAction());
}

void TWorkbenchWindow::closeEvent(QCloseEvent *Event)
{
    if (!MaybeSave()) {
        Event->ignore();
        return;
    }
    saveWindowState();
    QMainWindow::closeEvent(Event);
    QCoreApplication::quit();
}

void TWorkbenchWindow::LoadDesignPackage(const QString &FileName)
{
    try {
        const QString file = FindPackageFile(FileName);
        if (file.isEmpty())
            throw EHostError(tr("Package %1 was not found in %2")
                                 .arg(FileName, PackageSearchPath().join(QStringLiteral(", "))));
        LoadPackage(file);
    } catch (...) {
        HandleHostException();
    }
    refreshPalette();
    refreshRegistrations();
}

void TWorkbenchWindow::SetSampleDatabase(const QString &Path)
{
    m_database->setText(tr("Sample database: %1").arg(QFileInfo(Path).fileName()));
    m_database->setToolTip(Path);
}

// ---- File ----------------------------------------------------------------------------------

bool TWorkbenchWindow::NewForm()
{
    if (!MaybeSave())
        return false;
    m_document->New();
    return true;
}

bool TWorkbenchWindow::OpenForm(const QString &FileName)
{
    if (!MaybeSave())
        return false;
    const QString file =
        FileName.isEmpty()
            ? HostDialogs().GetOpenFileName(this, tr("Open Form"), formFolder(), FormFileFilter)
            : FileName;
    if (file.isEmpty())
        return false;
    try {
        return m_document->Open(file);
    } catch (...) {
        HandleHostException();
        return false;
    }
}

bool TWorkbenchWindow::SaveForm()
{
    return m_document->FileName().isEmpty() ? SaveFormAs() : saveTo(m_document->FileName());
}

bool TWorkbenchWindow::SaveFormAs()
{
    QString start = m_document->FileName();
    if (start.isEmpty()) {
        start = FormDesigner()->GetRoot()->Name() + QStringLiteral(".kform");
        if (const QString folder = formFolder(); !folder.isEmpty())
            start = QDir(folder).filePath(start);
    }
    const QString file =
        HostDialogs().GetSaveFileName(this, tr("Save Form As"), start, FormFileFilter);
    return !file.isEmpty() && saveTo(file);
}

bool TWorkbenchWindow::saveTo(const QString &FileName)
{
    try {
        return m_document->Save(FileName);
    } catch (...) {
        HandleHostException();
        return false;
    }
}

bool TWorkbenchWindow::MaybeSave()
{
    if (!m_document->IsModified())
        return true;
    const TComponent *root = FormDesigner()->GetRoot();
    switch (MessageDlg(tr("Save changes to %1?").arg(root ? root->Name() : tr("the form")),
                       mtConfirmation, mbYes | mbNo | mbCancel)) {
    case mrYes:
        return SaveForm();
    case mrNo:
        return true;
    default:
        return false;
    }
}

void TWorkbenchWindow::refreshTitle()
{
    const TComponent *root = FormDesigner()->GetRoot();
    const QString file = m_document->FileName().isEmpty()
                             ? tr("Untitled")
                             : QFileInfo(m_document->FileName()).fileName();
    setWindowTitle(tr("%1 - %2[*] - Kor-DBGrid Workbench")
                       .arg(root ? root->Name() : QStringLiteral("Form1"), file));
    setWindowModified(m_document->IsModified());
}

void TWorkbenchWindow::refreshRecentFiles()
{
    m_recentMenu->clear();
    const QStringList files = m_document->RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file), this,
                                [this, file] { openRecentFile(file); });
    }
    if (files.isEmpty())
        m_recentMenu->addAction(tr("(none)"))->setEnabled(false);
}

QString TWorkbenchWindow::formFolder() const
{
    QString file = m_document->FileName();
    if (file.isEmpty()) {
        const QStringList recent = m_document->RecentFiles();
        file = recent.isEmpty() ? QString() : recent.first();
    }
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

void TWorkbenchWindow::openRecentFile(const QString &FileName)
{
    if (QFileInfo::exists(FileName)) {
        OpenForm(FileName);
        return;
    }
    if (MessageDlg(
            tr("The form file %1 no longer exists. Remove it from the recent files?").arg(FileName),
            mtConfirmation, mbYes | mbNo) == mrYes)
        m_document->RemoveRecentFile(FileName);
}

void TWorkbenchWindow::designerReplaced()
{
    m_inspector->SetDesigner(FormDesigner());
    m_inspector->SetSelection(FormDesigner()->GetSelections());
    refreshComponents();
    refreshTitle();
    refreshEditActions();
    showFormMissingFields();
}

// ---- palette, component list ---------------------------------------------------------------

void TWorkbenchWindow::refreshPalette()
{
    m_palette->clear();
    auto *pointer = new QTreeWidgetItem(m_palette, {tr("Pointer")});
    pointer->setToolTip(0, tr("Select and arrange the components on the form"));
    pointer->setIcon(0, QIcon::fromTheme(QStringLiteral("edit-select"),
                                         style()->standardIcon(QStyle::SP_ArrowUp)));
    for (const QString &page : GetPalettePages()) {
        auto *pageItem = new QTreeWidgetItem(m_palette, {page});
        pageItem->setFlags(Qt::ItemIsEnabled);
        QFont bold = pageItem->font(0);
        bold.setBold(true);
        pageItem->setFont(0, bold);
        for (const QMetaObject *mo : GetPaletteClasses(page)) {
            auto *item = new QTreeWidgetItem(pageItem, {QString::fromLatin1(mo->className())});
            item->setData(0, ClassRole, QVariant::fromValue<void *>(const_cast<QMetaObject *>(mo)));
            item->setIcon(0, ComponentIcon(mo));
            item->setToolTip(0, tr("Click, then click on the form to place a %1")
                                    .arg(QString::fromLatin1(mo->className())));
        }
        pageItem->setExpanded(true);
    }
    const QSignalBlocker blocker(m_palette);
    m_palette->setCurrentItem(pointer);
}

void TWorkbenchWindow::refreshRegistrations()
{
    QStringList lines;
    for (const TLoadedPackage &package : LoadedPackages())
        lines << tr("Package %1 (%2) from %3, units registered: %4")
                     .arg(package.Name, package.Description, package.FileName,
                          package.RegisteredUnits.join(QStringLiteral(", ")));
    lines << QString();
    for (const TRegistration &registration : Registrations())
        lines << QStringLiteral("[%1] %2").arg(registration.Module.isEmpty() ? tr("host")
                                                                             : registration.Module,
                                               describe(registration));
    m_registrations->setPlainText(lines.join(QLatin1Char('\n')));
}

void TWorkbenchWindow::refreshComponents()
{
    {
        const QSignalBlocker blocker(m_components);
        m_components->clear();
        m_listedDesigner = FormDesigner();
        TComponent *root = FormDesigner()->GetRoot();
        if (!root)
            return;
        // Components owned by another (a data set's fields) are listed under their owner.
        const std::function<void(TComponent *, QTreeWidgetItem *)> list =
            [this, &list](TComponent *Owner, QTreeWidgetItem *Parent) {
                for (int i = 0; i < Owner->ComponentCount(); ++i) {
                    TComponent *component = Owner->Components(i);
                    if (Parent && component->Name().isEmpty())
                        continue;
                    const QStringList texts{component->Name(), component->ClassName()};
                    auto *item = Parent ? new QTreeWidgetItem(Parent, texts)
                                        : new QTreeWidgetItem(m_components, texts);
                    item->setData(0, ObjectRole, QVariant::fromValue<void *>(component->Object()));
                    item->setIcon(0, ComponentIcon(component->Object()->metaObject()));
                    list(component, item);
                    item->setExpanded(true);
                }
            };
        list(root, nullptr);
        if (!m_componentColumnsKept) {
            m_fittingComponentColumns = true;
            m_components->header()->resizeSections(QHeaderView::ResizeToContents);
            m_fittingComponentColumns = false;
        }
    }
    showSelectionInList(FormDesigner()->GetSelections());
}

void TWorkbenchWindow::showSelectionInList(const QList<QObject *> &Selection)
{
    const QSignalBlocker blocker(m_components);
    for (QTreeWidgetItemIterator it(m_components); *it; ++it) {
        QTreeWidgetItem *item = *it;
        TComponent *component = componentOf(item);
        item->setSelected(component && Selection.contains(component->Object()));
    }
}

void TWorkbenchWindow::refreshEditActions()
{
    const bool any = !m_surface->SelectedComponents().isEmpty();
    m_cutAction->setEnabled(any);
    m_copyAction->setEnabled(any);
    m_deleteAction->setEnabled(any);
}

void TWorkbenchWindow::showComponentMenu(const QPoint &Pos)
{
    TComponent *component = componentOf(m_components->itemAt(Pos));
    if (!component)
        return;
    if (!m_surface->SelectedComponents().contains(component))
        FormDesigner()->SelectComponent(component->Object());
    const std::unique_ptr<QMenu> menu = m_surface->CreateContextMenu();
    menu->exec(m_components->viewport()->mapToGlobal(Pos));
}

TComponent *TWorkbenchWindow::componentOf(QTreeWidgetItem *Item) const
{
    // An entry goes as soon as its component does (ItemDeleted), so the object is alive.
    return Item ? AsComponent(static_cast<QObject *>(Item->data(0, ObjectRole).value<void *>()))
                : nullptr;
}

// ---- design notifications ------------------------------------------------------------------

void TWorkbenchWindow::ItemDeleted(IDesigner *ADesigner, QObject *Item)
{
    if (ADesigner != FormDesigner())
        return;
    // Its entry goes at once: the component may be half destroyed already.
    QList<QTreeWidgetItem *> going;
    for (QTreeWidgetItemIterator it(m_components); *it; ++it)
        if ((*it)->data(0, ObjectRole).value<void *>() == Item)
            going.append(*it);
    {
        const QSignalBlocker blocker(m_components);
        qDeleteAll(going); // with the entries of the components it owns
    }
    // The component is still alive while this notice runs: rebuild once it is gone.
    QTimer::singleShot(0, this, [this] {
        refreshComponents();
        m_inspector->SetSelection(FormDesigner()->GetSelections());
    });
}

void TWorkbenchWindow::ItemInserted(IDesigner *ADesigner, QObject *)
{
    if (ADesigner == FormDesigner())
        QTimer::singleShot(0, this, [this] { refreshComponents(); });
}

void TWorkbenchWindow::ItemsModified(IDesigner *ADesigner)
{
    if (ADesigner != FormDesigner())
        return;
    // Values are re-read after the change that caused the notice has finished.
    QTimer::singleShot(0, this, [this] {
        m_inspector->RefreshValues();
        // Owned components may have come, gone or moved (a data set's fields): then the list is
        // made again, else only the names are brought up to date.
        QList<QObject *> listed;
        for (QTreeWidgetItemIterator it(m_components); *it; ++it)
            listed.append(static_cast<QObject *>((*it)->data(0, ObjectRole).value<void *>()));
        QList<QObject *> owned;
        const std::function<void(const TComponent *)> collect = [&](const TComponent *Owner) {
            for (int i = 0; Owner && i < Owner->ComponentCount(); ++i) {
                TComponent *component = Owner->Components(i);
                if (Owner != FormDesigner()->GetRoot() && component->Name().isEmpty())
                    continue;
                owned.append(component->Object());
                collect(component);
            }
        };
        collect(FormDesigner()->GetRoot());
        if (listed != owned)
            refreshComponents();
        for (QTreeWidgetItemIterator it(m_components); *it; ++it)
            if (TComponent *component = componentOf(*it))
                (*it)->setText(0, component->Name());
        refreshTitle();
        showMissingFields(FormDesigner()->GetSelections());
    });
}

void TWorkbenchWindow::SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection)
{
    if (ADesigner != FormDesigner())
        return;
    m_inspector->SetSelection(Selection);
    showSelectionInList(Selection);
    refreshEditActions();
    showMissingFields(Selection);
}

void TWorkbenchWindow::showFormMissingFields()
{
    QList<QObject *> components;
    if (TComponent *root = FormDesigner()->GetRoot())
        for (int i = 0; i < root->ComponentCount(); ++i)
            components << root->Components(i)->Object();
    showMissingFields(components);
}

void TWorkbenchWindow::showMissingFields(const QList<QObject *> &Selection)
{
    QStringList missing;
    for (QObject *object : Selection)
        if (auto *grid = qobject_cast<TKorCustomDBGrid *>(object))
            for (const QString &hint : grid->MissingFieldHints())
                missing << tr("%1: %2").arg(grid->Name(), hint);
    if (!missing.isEmpty())
        statusBar()->showMessage(missing.join(QStringLiteral("; ")));
}

void TWorkbenchWindow::DesignerClosed(IDesigner *ADesigner, bool)
{
    // The components listed go with their form (the document has already switched to the
    // form that replaces it when the old one closes).
    if (ADesigner == m_listedDesigner) {
        m_listedDesigner = nullptr;
        const QSignalBlocker blocker(m_components);
        m_components->clear();
    }
}

// ---- Window state ---------------------------------------------------------------------------

void TWorkbenchWindow::restoreWindowState()
{
    const TRegIniFile settings(workbenchKey());
    // Each part stands alone: a damaged or missing value leaves that part as built.
    if (const QByteArray geometry = readBytes(settings, QStringLiteral("Geometry"));
        !geometry.isEmpty())
        restoreGeometry(geometry);
    if (const QByteArray docks = readBytes(settings, QStringLiteral("DockLayout"));
        !docks.isEmpty())
        restoreState(docks);
    if (const QByteArray columns = readBytes(settings, QStringLiteral("ComponentColumns"));
        !columns.isEmpty() && m_components->header()->restoreState(columns))
        m_componentColumnsKept = true;
    if (const QByteArray columns = readBytes(settings, QStringLiteral("InspectorColumns"));
        !columns.isEmpty())
        m_inspector->RestoreColumns(columns);
}

void TWorkbenchWindow::saveWindowState()
{
    TRegIniFile settings(workbenchKey());
    settings.BeginUpdate();
    const auto write = [&settings](const QString &Ident, const QByteArray &Bytes) {
        settings.WriteString(WindowStateSection, Ident, QString::fromLatin1(Bytes.toBase64()));
    };
    write(QStringLiteral("Geometry"), saveGeometry());
    write(QStringLiteral("DockLayout"), saveState());
    // The component list's widths are kept only when the user chose them; otherwise the list
    // goes on fitting them to the names it shows.
    if (m_componentColumnsKept)
        write(QStringLiteral("ComponentColumns"), m_components->header()->saveState());
    else
        settings.DeleteKey(WindowStateSection, QStringLiteral("ComponentColumns"));
    write(QStringLiteral("InspectorColumns"), m_inspector->SaveColumns());
    // A settings folder that cannot be written costs only the window's state.
    settings.EndUpdate();
}

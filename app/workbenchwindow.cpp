#include "workbenchwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "compedit.h"
#include "formdesigner.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "objectproperties.h"
#include "packages.h"
#include "registration.h"

namespace {

constexpr int ClassRole = Qt::UserRole + 1;
constexpr int ComponentRole = Qt::UserRole + 2;

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

} // namespace

TWorkbenchWindow::TWorkbenchWindow(QWidget *parent) : QMainWindow(parent)
{
    m_designer = std::make_unique<TFormDesigner>(QStringLiteral("Form1"));
    RegisterDesignNotification(this);
    buildUi();
    refreshPalette();
    refreshRegistrations();
}

TWorkbenchWindow::~TWorkbenchWindow()
{
    UnregisterDesignNotification(this);
    m_designer->Close();
}

void TWorkbenchWindow::buildUi()
{
    setWindowTitle(tr("Kor-DBGrid Workbench"));
    resize(1200, 760);

    // The form being designed, framed on a darker background like a form in a designer.
    auto *surface = new QWidget;
    surface->setBackgroundRole(QPalette::Dark);
    surface->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(surface);
    layout->setContentsMargins(12, 12, 12, 12);
    TDesignForm *form = m_designer->Form();
    form->setBackgroundRole(QPalette::Window);
    form->setAutoFillBackground(true);
    form->setMinimumSize(640, 400);
    layout->addWidget(form);
    setCentralWidget(surface);

    m_palette = new QTreeWidget;
    m_palette->setHeaderLabel(tr("Palette"));
    connect(m_palette, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (const auto *mo =
                static_cast<const QMetaObject *>(item->data(0, ClassRole).value<void *>()))
            placeComponent(mo);
    });
    auto *paletteDock = new QDockWidget(tr("Palette (double-click to place)"));
    paletteDock->setObjectName(QStringLiteral("PaletteDock"));
    paletteDock->setWidget(m_palette);
    addDockWidget(Qt::LeftDockWidgetArea, paletteDock);

    m_components = new QTreeWidget;
    m_components->setHeaderLabels({tr("Component"), tr("Class")});
    m_components->setContextMenuPolicy(Qt::CustomContextMenu);
    // Several components of one class are edited together in the inspector.
    m_components->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_components, &QTreeWidget::itemSelectionChanged, this, [this] {
        QList<QObject *> selection;
        for (QTreeWidgetItem *item : m_components->selectedItems())
            if (TComponent *component = componentOf(item))
                selection << component->Object();
        if (!selection.isEmpty())
            m_designer->SetSelections(selection);
    });
    connect(m_components, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { editComponent(componentOf(item)); });
    connect(m_components, &QWidget::customContextMenuRequested, this,
            &TWorkbenchWindow::showComponentMenu);
    auto *componentsDock = new QDockWidget(tr("Components"));
    componentsDock->setObjectName(QStringLiteral("ComponentsDock"));
    componentsDock->setWidget(m_components);
    addDockWidget(Qt::LeftDockWidgetArea, componentsDock);

    m_inspector = new TObjectInspector;
    m_inspector->SetDesigner(m_designer.get());
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

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);
    QMenu *viewMenu = menuBar()->addMenu(tr("&View"));
    for (QDockWidget *dock : {paletteDock, componentsDock, inspectorDock, registrationsDock})
        viewMenu->addAction(dock->toggleViewAction());
    statusBar()->showMessage(tr("Double-click a palette entry to place it on Form1; right-click a "
                                "component for its commands."));
}

void TWorkbenchWindow::closeEvent(QCloseEvent *Event)
{
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
    statusBar()->showMessage(tr("Double-click a palette entry to place it on Form1; right-click a "
                                "component for its commands. Sample database: %1")
                                 .arg(Path));
}

void TWorkbenchWindow::refreshPalette()
{
    m_palette->clear();
    for (const QString &page : GetPalettePages()) {
        auto *pageItem = new QTreeWidgetItem(m_palette, {page});
        for (const QMetaObject *mo : GetPaletteClasses(page)) {
            auto *item = new QTreeWidgetItem(pageItem, {QString::fromLatin1(mo->className())});
            item->setData(0, ClassRole, QVariant::fromValue<void *>(const_cast<QMetaObject *>(mo)));
        }
        pageItem->setExpanded(true);
    }
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
    const QSignalBlocker blocker(m_components);
    m_components->clear();
    TComponent *root = m_designer->GetRoot();
    if (!root)
        return;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent *component = root->Components(i);
        auto *item = new QTreeWidgetItem(m_components, {component->Name(), component->ClassName()});
        item->setData(0, ComponentRole, QVariant::fromValue<void *>(component));
    }
    m_components->header()->resizeSections(QHeaderView::ResizeToContents);
}

void TWorkbenchWindow::placeComponent(const QMetaObject *Class)
{
    try {
        TComponent *component = m_designer->CreateComponent(Class);
        if (auto *widget = qobject_cast<QWidget *>(component->Object())) {
            widget->setParent(m_designer->Form());
            const int step = (m_placed++ % 8) * 24;
            widget->setGeometry(16 + step, 16 + step, qMax(widget->width(), 320),
                                qMax(widget->height(), 160));
            widget->show();
        } else {
            addMarker(component);
        }
        m_designer->SelectComponent(component->Object());
        m_designer->Modified();
    } catch (...) {
        HandleHostException();
    }
}

void TWorkbenchWindow::showComponentMenu(const QPoint &Pos)
{
    TComponent *component = componentOf(m_components->itemAt(Pos));
    if (!component)
        return;
    QMenu menu;
    // The verbs of the component's editor come first, as in any form designer.
    std::unique_ptr<TDefaultEditor> editor;
    try {
        editor = GetComponentEditor(component, m_designer.get());
        if (AddComponentVerbs(&menu, editor.get()) > 0)
            menu.addSeparator();
    } catch (...) {
        HandleHostException();
    }
    QPointer<QObject> target = component->Object();
    menu.addAction(tr("De&lete"), this, [this, target] {
        if (target)
            m_designer->DeleteComponent(AsComponent(target));
    });
    menu.exec(m_components->viewport()->mapToGlobal(Pos));
}

void TWorkbenchWindow::editComponent(TComponent *Component)
{
    if (Component)
        EditComponent(Component, m_designer.get());
}

void TWorkbenchWindow::addMarker(TComponent *Component)
{
    auto *marker = new QLabel(m_designer->Form());
    marker->setFrameShape(QFrame::Panel);
    marker->setFrameShadow(QFrame::Raised);
    marker->setAutoFillBackground(true);
    marker->setAlignment(Qt::AlignCenter);
    const int index = int(m_markers.size());
    // Markers stack down the right-hand side of the form.
    marker->setGeometry(m_designer->Form()->width() - 140, 16 + index * 36, 124, 28);
    marker->show();
    m_markers.append({Component->Object(), marker});
    refreshMarkers();
}

void TWorkbenchWindow::refreshMarkers()
{
    for (qsizetype i = m_markers.size() - 1; i >= 0; --i) {
        const Marker &marker = m_markers.at(i);
        TComponent *component = marker.component ? AsComponent(marker.component.data()) : nullptr;
        if (!marker.label || !component || component->Owner() != m_designer->GetRoot()) {
            delete marker.label.data();
            m_markers.removeAt(i);
            continue;
        }
        marker.label->setText(component->Name());
        marker.label->setToolTip(component->ClassName());
    }
}

TComponent *TWorkbenchWindow::componentOf(QTreeWidgetItem *Item) const
{
    return Item ? static_cast<TComponent *>(Item->data(0, ComponentRole).value<void *>()) : nullptr;
}

void TWorkbenchWindow::ItemDeleted(IDesigner *, QObject *Item)
{
    // The component is still alive while this notice runs: rebuild once it is gone.
    // The marker of a deleted component goes at once.
    for (qsizetype i = 0; i < m_markers.size(); ++i)
        if (m_markers.at(i).component == Item) {
            delete m_markers.takeAt(i).label.data();
            break;
        }
    QTimer::singleShot(0, this, [this] {
        refreshComponents();
        m_inspector->SetSelection(m_designer->GetSelections());
    });
}

void TWorkbenchWindow::ItemInserted(IDesigner *, QObject *)
{
    QTimer::singleShot(0, this, [this] { refreshComponents(); });
}

void TWorkbenchWindow::ItemsModified(IDesigner *)
{
    // Values are re-read after the change that caused the notice has finished.
    QTimer::singleShot(0, this, [this] {
        m_inspector->RefreshValues();
        refreshMarkers();
        for (int i = 0; i < m_components->topLevelItemCount(); ++i)
            if (TComponent *component = componentOf(m_components->topLevelItem(i)))
                m_components->topLevelItem(i)->setText(0, component->Name());
    });
}

void TWorkbenchWindow::SelectionChanged(IDesigner *, const QList<QObject *> &Selection)
{
    m_inspector->SetSelection(Selection);
}

void TWorkbenchWindow::DesignerOpened(IDesigner *, bool) {}

void TWorkbenchWindow::DesignerClosed(IDesigner *, bool) {}

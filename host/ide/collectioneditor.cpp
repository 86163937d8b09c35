#include "collectioneditor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <utility>

#include "collection.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "persistent.h"
#include "propedit.h"
#include "regini.h"
#include "runthenalways.h"
#include "ui_collectioneditor.h"

namespace {

// The row data that holds the address of the row's collection item.
constexpr int ItemRole = Qt::UserRole + 1;

QList<QPointer<TCollectionEditor>> &openEditors()
{
    static QList<QPointer<TCollectionEditor>> list;
    return list;
}

// A 16 x 16 image drawn by Paint on a transparent ground.
QIcon drawnIcon(const std::function<void(QPainter &)> &Paint)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter);
    return QIcon(pixmap);
}

QList<QIcon> hostImages(const QStyle *Style)
{
    const QIcon add = drawnIcon([](QPainter &p) {
        p.setPen(QPen(QColor(0x20, 0x80, 0x20), 3));
        p.drawLine(8, 2, 8, 14);
        p.drawLine(2, 8, 14, 8);
    });
    const QIcon remove = drawnIcon([](QPainter &p) {
        p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 3));
        p.drawLine(3, 3, 13, 13);
        p.drawLine(13, 3, 3, 13);
    });
    return {add, remove, Style->standardIcon(QStyle::SP_ArrowUp),
            Style->standardIcon(QStyle::SP_ArrowDown)};
}

// A child of the form layout by name, of the class the host needs; a layout that lacks it is
// a programming error of the subclass.
template <class T> T *formControl(QObject *Root, const char *Name)
{
    T *control = Root->findChild<T *>(QLatin1String(Name));
    if (!control)
        throw EInvalidOperation(
            QStringLiteral("The collection editor's form has no %1 named %2")
                .arg(QLatin1String(T::staticMetaObject.className()), QLatin1String(Name)));
    return control;
}

} // namespace

// ---- Construction ----

TCollectionEditor::TCollectionEditor(QWidget *parent)
    : TCollectionEditor([](QMainWindow *Window) { Ui::TCollectionEditor().setupUi(Window); },
                        parent)
{
}

TCollectionEditor::TCollectionEditor(const std::function<void(QMainWindow *)> &SetupForm,
                                     QWidget *parent)
    : TToolbarDesignWindow(parent)
{
    SetupForm(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    bindForm();
    openEditors().append(this);
}

TCollectionEditor::~TCollectionEditor()
{
    openEditors().removeIf([this](const QPointer<TCollectionEditor> &editor) {
        return !editor || editor.data() == this;
    });
}

void TCollectionEditor::bindForm()
{
    ToolBar1 = formControl<QToolBar>(this, "ToolBar1");
    Splitter1 = formControl<QFrame>(this, "Splitter1");
    PopupMenu1 = formControl<QMenu>(this, "PopupMenu1");
    ListView1 = formControl<QTreeWidget>(this, "ListView1");
    AddCmd = formControl<QAction>(this, "AddCmd");
    DeleteCmd = formControl<QAction>(this, "DeleteCmd");
    MoveUpCmd = formControl<QAction>(this, "MoveUpCmd");
    MoveDownCmd = formControl<QAction>(this, "MoveDownCmd");
    SelectAllCmd = formControl<QAction>(this, "SelectAllCmd");

    ImageList1 = hostImages(style());
    const QList<QAction *> commands{AddCmd, DeleteCmd, MoveUpCmd, MoveDownCmd};
    for (int i = 0; i < commands.size(); ++i)
        commands.at(i)->setIcon(ImageList1.at(i));
    addActions({AddCmd, DeleteCmd, MoveUpCmd, MoveDownCmd, SelectAllCmd});
    BindAction(AddCmd, [this](QObject *Sender) { AddClick(Sender); });
    BindAction(DeleteCmd, [this](QObject *Sender) { DeleteClick(Sender); });
    BindAction(MoveUpCmd, [this](QObject *Sender) { MoveUpClick(Sender); });
    BindAction(MoveDownCmd, [this](QObject *Sender) { MoveDownClick(Sender); });
    BindAction(SelectAllCmd, [this](QObject *Sender) { SelectAllClick(Sender); });

    ListView1->viewport()->installEventFilter(this);
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_syncing)
            return;
        guarded([this] { SetSelection(); });
        UpdateActions();
    });
}

void TCollectionEditor::setEdited(TComponent *Component, TCollection *Collection,
                                  const QString &PropertyName, TColOptions Options)
{
    m_component = Component;
    m_componentObject = Component ? Component->Object() : nullptr;
    m_collection = Collection;
    m_propertyName = PropertyName;
    m_options = Options;
    // Commands the options leave out disappear; a layout may also have hidden some already.
    if (!(Options & coAdd))
        AddCmd->setVisible(false);
    if (!(Options & coDelete))
        DeleteCmd->setVisible(false);
    if (!(Options & coMove)) {
        MoveUpCmd->setVisible(false);
        MoveDownCmd->setVisible(false);
    }
    // A collection destroyed without a notice (its owner was not on the form) closes the window.
    connect(Collection, &QObject::destroyed, this, [this] {
        m_componentGone = true;
        close();
    });
    UpdateListbox();
}

TComponent *TCollectionEditor::Component() const
{
    return m_componentObject ? m_component : nullptr;
}

QList<TCollectionEditor *> TCollectionEditor::OpenEditors()
{
    QList<TCollectionEditor *> list;
    for (const QPointer<TCollectionEditor> &editor : std::as_const(openEditors()))
        if (editor)
            list.append(editor.data());
    return list;
}

void TCollectionEditor::guarded(const std::function<void()> &Handler)
{
    try {
        Handler();
    } catch (...) {
        HandleHostException();
    }
}

// ---- Rows and selection ----

void TCollectionEditor::LockState()
{
    ++m_stateLock;
}

void TCollectionEditor::UnlockState()
{
    if (m_stateLock > 0)
        --m_stateLock;
}

void TCollectionEditor::UpdateListbox()
{
    if (!ListView1)
        return;
    const QList<TCollectionItem *> selected = SelectedItems();

    const bool syncing = std::exchange(m_syncing, true);
    ListView1->clear();
    if (TCollection *collection = Collection()) {
        QList<QTreeWidgetItem *> rows;
        for (int i = 0; i < collection->Count(); ++i) {
            TCollectionItem *item = collection->Items(i);
            auto *row =
                new QTreeWidgetItem({QStringLiteral("%1 - %2").arg(i).arg(item->DisplayName())});
            row->setData(0, ItemRole, QVariant::fromValue(quintptr(item)));
            rows.append(row);
        }
        ListView1->addTopLevelItems(rows);
    }
    m_syncing = syncing;
    selectRows(selected);

    TComponent *component = Component();
    setWindowTitle(
        tr("Editing %1.%2").arg(component ? component->Name() : QString(), m_propertyName));
    UpdateActions();
}

void TCollectionEditor::selectRows(const QList<TCollectionItem *> &Items)
{
    TCollection *collection = Collection();
    const bool syncing = std::exchange(m_syncing, true);
    ListView1->clearSelection();
    QTreeWidgetItem *current = nullptr;
    for (int i = 0; collection && i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = ListView1->topLevelItem(i);
        const quintptr item = row->data(0, ItemRole).value<quintptr>();
        if (!Items.contains(reinterpret_cast<TCollectionItem *>(item)))
            continue;
        row->setSelected(true);
        if (!current)
            current = row;
    }
    if (current)
        ListView1->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    m_syncing = syncing;
    UpdateActions();
}

QList<TCollectionItem *> TCollectionEditor::SelectedItems() const
{
    QList<TCollectionItem *> items;
    TCollection *collection = Collection();
    if (!collection || !ListView1)
        return items;
    // Rows hold the address of their item; only items still in the collection count.
    QSet<quintptr> live;
    for (int i = 0; i < collection->Count(); ++i)
        live.insert(quintptr(collection->Items(i)));
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ListView1->topLevelItem(i);
        const quintptr item = row->data(0, ItemRole).value<quintptr>();
        if (row->isSelected() && live.contains(item))
            items.append(reinterpret_cast<TCollectionItem *>(item));
    }
    return items;
}

void TCollectionEditor::GetSelection()
{
    QList<TCollectionItem *> items;
    if (IDesigner *designer = Designer())
        for (QObject *object : designer->GetSelections())
            if (auto *item = qobject_cast<TCollectionItem *>(object))
                items.append(item);
    selectRows(items);
}

void TCollectionEditor::SetSelection()
{
    IDesigner *designer = Designer();
    if (!designer)
        return;
    QList<QObject *> objects;
    for (TCollectionItem *item : SelectedItems())
        objects.append(item);
    const bool syncing = std::exchange(m_syncing, true);
    RunThenAlways(
        [&] {
            if (!objects.isEmpty())
                designer->SetSelections(objects);
            else if (TComponent *component = Component(); component && !m_componentGone)
                designer->SelectComponent(component->Object());
        },
        [&] { m_syncing = syncing; });
}

bool TCollectionEditor::CanAdd(int)
{
    return true;
}

// ---- Commands ----

void TCollectionEditor::AddClick(QObject *)
{
    TCollection *collection = Collection();
    if (!collection)
        return;
    const QList<TCollectionItem *> selected = SelectedItems();
    const int place = selected.isEmpty() ? collection->Count() : selected.last()->Index() + 1;
    TCollectionItem *added = nullptr;
    LockState();
    RunThenAlways(
        [&] {
            added = place < collection->Count() && CanAdd(place) ? collection->Insert(place)
                                                                 : collection->Add();
        },
        [&] {
            UnlockState();
            UpdateListbox();
        });
    selectRows({added});
    SetSelection();
    CollectionModified();
}

void TCollectionEditor::DeleteClick(QObject *)
{
    TCollection *collection = Collection();
    if (!collection)
        return;
    const QList<TCollectionItem *> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    int first = selected.first()->Index();
    collection->BeginUpdate();
    RunThenAlways(
        [&] {
            if (IDesigner *designer = Designer())
                designer->SetSelections({});
            for (auto it = selected.crbegin(); it != selected.crend(); ++it)
                collection->Delete((*it)->Index());
        },
        [&] {
            collection->EndUpdate();
            UpdateListbox();
        });
    first = qMin(first, collection->Count() - 1);
    selectRows(first >= 0 ? QList<TCollectionItem *>{collection->Items(first)}
                          : QList<TCollectionItem *>{});
    SetSelection();
    CollectionModified();
}

void TCollectionEditor::MoveUpClick(QObject *)
{
    TCollection *collection = Collection();
    const QList<TCollectionItem *> selected = SelectedItems();
    if (!collection || selected.isEmpty() || selected.first()->Index() == 0)
        return;
    collection->BeginUpdate();
    RunThenAlways(
        [&] {
            for (TCollectionItem *item : selected)
                item->SetIndex(item->Index() - 1);
        },
        [&] {
            collection->EndUpdate();
            UpdateListbox();
        });
    CollectionModified();
}

void TCollectionEditor::MoveDownClick(QObject *)
{
    TCollection *collection = Collection();
    const QList<TCollectionItem *> selected = SelectedItems();
    if (!collection || selected.isEmpty() || selected.last()->Index() >= collection->Count() - 1)
        return;
    collection->BeginUpdate();
    RunThenAlways(
        [&] {
            for (auto it = selected.crbegin(); it != selected.crend(); ++it)
                (*it)->SetIndex((*it)->Index() + 1);
        },
        [&] {
            collection->EndUpdate();
            UpdateListbox();
        });
    CollectionModified();
}

void TCollectionEditor::SelectAllClick(QObject *)
{
    {
        const QSignalBlocker blocker(ListView1);
        ListView1->selectAll();
    }
    SetSelection();
    UpdateActions();
}

void TCollectionEditor::UpdateActions()
{
    TToolbarDesignWindow::UpdateActions();
    if (!ListView1)
        return;
    TCollection *collection = Collection();
    const QList<TCollectionItem *> selected = SelectedItems();
    const int count = collection ? collection->Count() : 0;
    AddCmd->setEnabled(collection && (m_options & coAdd));
    DeleteCmd->setEnabled(!selected.isEmpty() && (m_options & coDelete));
    MoveUpCmd->setEnabled(!selected.isEmpty() && (m_options & coMove) &&
                          selected.first()->Index() > 0);
    MoveDownCmd->setEnabled(!selected.isEmpty() && (m_options & coMove) &&
                            selected.last()->Index() < count - 1);
    SelectAllCmd->setEnabled(count > 0);
}

// ---- Dragging ----

void TCollectionEditor::ListView1DragOver(QObject *, QObject *Source, int, int, bool &Accept)
{
    Accept = Source == ListView1;
}

void TCollectionEditor::ListView1DragDrop(QObject *, QObject *, int X, int Y)
{
    TCollection *collection = Collection();
    QTreeWidgetItem *row = ListView1->itemAt(X, Y);
    const int targetIndex = row ? ListView1->indexOfTopLevelItem(row) : -1;
    if (!collection || targetIndex < 0 || targetIndex >= collection->Count())
        return;
    TCollectionItem *target = collection->Items(targetIndex);
    const QList<TCollectionItem *> moved = SelectedItems();
    collection->BeginUpdate();
    RunThenAlways(
        [&] {
            // Each item lands just before the target, after the items moved before it.
            for (TCollectionItem *item : moved) {
                if (item == target)
                    continue;
                item->SetIndex(item->Index() < target->Index() ? target->Index() - 1
                                                               : target->Index());
            }
        },
        [&] {
            collection->EndUpdate();
            UpdateListbox();
        });
    CollectionModified();
}

bool TCollectionEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (ListView1 && watched == ListView1->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            const QPoint at = drag->position().toPoint();
            bool accept = true;
            guarded([&] { ListView1DragOver(ListView1, drag->source(), at.x(), at.y(), accept); });
            if (accept) {
                // Copy, not move: the view must not remove the dragged rows itself; the drop
                // handler reorders the collection and the rows are rebuilt from it.
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QPoint at = drop->position().toPoint();
            guarded([&] { ListView1DragDrop(ListView1, drop->source(), at.x(), at.y()); });
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            return true;
        }
        default:
            break;
        }
    }
    return TToolbarDesignWindow::eventFilter(watched, event);
}

// ---- Form events and notices ----

void TCollectionEditor::FormShow(QObject *)
{
    UpdateListbox();
    GetSelection();
}

// Where a collection editor was left, per collection class: the frame's corner, Top and Left.
QString TCollectionEditor::PlacementKey()
{
    return BaseRegistryKey() + QStringLiteral("\\Property Editors\\Collection Editor");
}

void TCollectionEditor::RestorePlacement()
{
    if (!Collection())
        return;
    const QString section = QLatin1String(Collection()->metaObject()->className());
    const TRegIniFile settings(PlacementKey());
    if (!settings.ValueExists(section, QStringLiteral("Top")) ||
        !settings.ValueExists(section, QStringLiteral("Left")))
        return;
    RestorePosition(QPoint(settings.ReadInteger(section, QStringLiteral("Left"), 0),
                           settings.ReadInteger(section, QStringLiteral("Top"), 0)));
    MakeFullyVisible();
}

void TCollectionEditor::FormClose(QObject *, TCloseAction &Action)
{
    if (Collection()) {
        const QString section = QLatin1String(Collection()->metaObject()->className());
        const QPoint place = SavedPosition();
        TRegIniFile settings(PlacementKey());
        settings.BeginUpdate();
        settings.WriteInteger(section, QStringLiteral("Top"), place.y());
        settings.WriteInteger(section, QStringLiteral("Left"), place.x());
        settings.EndUpdate();
    }
    // Back to the component in the designer, unless it or the designer is gone.
    if (TComponent *component = Component(); component && !m_componentGone && Designer())
        Designer()->SelectComponent(component->Object());
    Action = caFree;
}

void TCollectionEditor::showEvent(QShowEvent *event)
{
    TToolbarDesignWindow::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(this); });
}

void TCollectionEditor::closeEvent(QCloseEvent *event)
{
    TCloseAction action = caFree;
    guarded([&] { FormClose(this, action); });
    switch (action) {
    case caFree:
        event->accept();
        break;
    case caHide:
        event->ignore();
        hide();
        break;
    case caMinimize:
        event->ignore();
        showMinimized();
        break;
    case caNone:
        event->ignore();
        break;
    }
}

void TCollectionEditor::ItemDeleted(IDesigner *ADesigner, QObject *Item)
{
    TToolbarDesignWindow::ItemDeleted(ADesigner, Item);
    if (Item && (Item == m_componentObject.data() || Item == m_collection.data())) {
        m_componentGone = true;
        close();
    }
}

void TCollectionEditor::ItemsModified(IDesigner *ADesigner)
{
    TToolbarDesignWindow::ItemsModified(ADesigner);
    if (ADesigner == Designer() && !StateLocked())
        UpdateListbox();
}

void TCollectionEditor::SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection)
{
    TToolbarDesignWindow::SelectionChanged(ADesigner, Selection);
    if (ADesigner == Designer() && !StateLocked() && !m_syncing)
        GetSelection();
}

void TCollectionEditor::DesignerClosed(IDesigner *ADesigner, bool AGoingDormant)
{
    // The form goes with its designer: nothing to select on the way out.
    if (ADesigner && ADesigner == Designer())
        m_componentGone = true;
    TToolbarDesignWindow::DesignerClosed(ADesigner, AGoingDormant);
}

// ---- Opening ----

TCollectionEditor *ShowCollectionEditorClass(IDesigner *Designer, const QMetaObject *EditorClass,
                                             TComponent *Component, TCollection *Collection,
                                             const QString &PropertyName, TColOptions Options)
{
    if (!Collection)
        throw EInvalidOperation(QStringLiteral("There is no collection to edit"));
    for (TCollectionEditor *open : TCollectionEditor::OpenEditors()) {
        if (open->Collection() != Collection || open->Designer() != Designer ||
            open->m_componentGone)
            continue;
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    const QMetaObject *editorClass =
        EditorClass ? EditorClass : &TCollectionEditor::staticMetaObject;
    if (!editorClass->inherits(&TCollectionEditor::staticMetaObject))
        throw EInvalidOperation(QStringLiteral("%1 is not a collection editor class")
                                    .arg(QLatin1String(editorClass->className())));
    std::unique_ptr<TCollectionEditor> window(
        static_cast<TCollectionEditor *>(editorClass->newInstance()));
    if (!window)
        throw EInvalidOperation(
            QStringLiteral("Collection editor class %1 has no constructor (QWidget *)")
                .arg(QLatin1String(editorClass->className())));
    window->FormCreate();
    window->SetDesigner(Designer);
    window->setEdited(Component, Collection, PropertyName, Options);
    window->show();
    // From here on the window frees itself when it closes.
    return window.release();
}

void DestroyCollectionEditors(const QMetaObject *Class)
{
    for (TCollectionEditor *editor : TCollectionEditor::OpenEditors())
        if (!Class || editor->metaObject()->inherits(Class))
            delete editor;
}

void InstallCollectionEditor()
{
    TCollectionProperty::SetShowCollectionEditor(
        [](IDesigner *Designer, const QMetaObject *EditorClass, QObject *Component,
           TCollection *Collection, const QString &PropertyName) {
            ShowCollectionEditorClass(Designer, EditorClass, AsComponent(Component), Collection,
                                      PropertyName, AllColOptions);
        });
}

void TCollectionEditor::CollectionModified()
{
    if (IDesigner *designer = Designer())
        designer->ObjectsModified({Collection()});
}

#include "kordbgridcolumnseditor.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "column.h"
#include "db.h"
#include "designintf.h"
#include "grid.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "regini.h"
#include "runthenalways.h"
#include "ui_kordbgridcolumnseditor.h"

namespace {

QIcon addAllFieldsImage()
{
    // Three columns of a grid under a plus.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x40, 0x40, 0x80));
    for (int x = 1; x <= 11; x += 5)
        p.drawRect(x, 5, 4, 10);
    p.setPen(QPen(QColor(0x20, 0x80, 0x20), 2));
    p.drawLine(12, 0, 12, 6);
    p.drawLine(9, 3, 15, 3);
    return QIcon(pixmap);
}

// Open columns editors run this module's code: they go before the module is unloaded (the
// module's static objects are destroyed while it unloads).
struct ColumnsEditorsAtUnload {
    ~ColumnsEditorsAtUnload()
    {
        // At the exit of a program that linked this code, the application and the host's list
        // are gone already.
        if (QCoreApplication::instance())
            DestroyCollectionEditors(&TKorDBGridColumnsEditor::staticMetaObject);
    }
};
const ColumnsEditorsAtUnload columnsEditorsAtUnload;

} // namespace

// ---- TKorDBGridColumnsEditor ----

TKorDBGridColumnsEditor::TKorDBGridColumnsEditor(QWidget *parent)
    : TCollectionEditor([](QMainWindow *Window) { Ui::TKorDBGridColumnsEditor().setupUi(Window); },
                        parent)
{
    AddAllFieldsCmd = findChild<QAction *>(QStringLiteral("AddAllFieldsCmd"));
    RestoreDefaultsCmd = findChild<QAction *>(QStringLiteral("RestoreDefaultsCmd"));
    AddAllFields1 = findChild<QAction *>(QStringLiteral("AddAllFields1"));
    Restoredefaults1 = findChild<QAction *>(QStringLiteral("Restoredefaults1"));
    N1 = findChild<QAction *>(QStringLiteral("N1"));
    Q_ASSERT(AddAllFieldsCmd && RestoreDefaultsCmd && AddAllFields1 && Restoredefaults1 && N1);

    ImageList1.append(addAllFieldsImage());
    ImageList1.append(style()->standardIcon(QStyle::SP_BrowserReload));
    AddAllFieldsCmd->setIcon(ImageList1.at(4));
    RestoreDefaultsCmd->setIcon(ImageList1.at(5));
    AddAllFields1->setIcon(ImageList1.at(4));
    Restoredefaults1->setIcon(ImageList1.at(5));
    // The tool buttons carry the names of the form design.
    const auto nameButton = [this](QAction *Action, const char *Name) {
        if (QWidget *button = ToolBar1->widgetForAction(Action))
            button->setObjectName(QLatin1String(Name));
    };
    nameButton(AddAllFieldsCmd, "ToolButton7");
    nameButton(RestoreDefaultsCmd, "ToolButton8");
    if (QAction *separator = findChild<QAction *>(QStringLiteral("ToolButton6")))
        separator->setVisible(false);

    addActions({AddAllFieldsCmd, RestoreDefaultsCmd});
    BindAction(AddAllFieldsCmd, [this](QObject *Sender) { AddAllFieldsClick(Sender); });
    BindAction(RestoreDefaultsCmd, [this](QObject *Sender) { RestoreDefaultsClick(Sender); });
    // The menu entries are the commands' faces in the pop-up menu.
    connect(AddAllFields1, &QAction::triggered, AddAllFieldsCmd, &QAction::trigger);
    connect(Restoredefaults1, &QAction::triggered, RestoreDefaultsCmd, &QAction::trigger);
    // Reordering is by dragging: the host's move commands stay hidden.
    MoveUpCmd->setVisible(false);
    MoveDownCmd->setVisible(false);
}

TKorDBGridColumnsEditor::~TKorDBGridColumnsEditor() = default;

QString TKorDBGridColumnsEditor::RegKey()
{
    return BaseRegistryKey() + QStringLiteral("\\Property Editors\\Collection Editor");
}

TKorDBGridColumns *TKorDBGridColumnsEditor::Columns() const
{
    return qobject_cast<TKorDBGridColumns *>(Collection());
}

TKorCustomDBGrid *TKorDBGridColumnsEditor::Grid() const
{
    TComponent *component = Component();
    return component ? qobject_cast<TKorCustomDBGrid *>(component->Object()) : nullptr;
}

TDataSet *TKorDBGridColumnsEditor::DataSet() const
{
    TKorCustomDBGrid *grid = Grid();
    TDataSource *source = grid ? grid->DataSource() : nullptr;
    return source ? source->DataSet() : nullptr;
}

bool TKorDBGridColumnsEditor::CanAdd(int)
{
    TKorDBGridColumns *columns = Columns();
    return columns && columns->State() == Kor::csCustomized;
}

void TKorDBGridColumnsEditor::AddAllFieldsClick(QObject *)
{
    TKorDBGridColumns *columns = Columns();
    if (!columns)
        return;
    TModalResult answer = mrYes;
    if (columns->Count() > 0 && columns->State() == Kor::csCustomized)
        answer =
            MessageDlg(tr("Delete existing columns?"), mtConfirmation, mbYes | mbNo | mbCancel, 0);
    LockState();
    RunThenAlways(
        [&] {
            if (answer == mrYes) {
                columns->RebuildColumns();
            } else if (answer == mrNo) {
                // Every field of the flat list gets a new column after the existing ones.
                TDataSet *dataSet = DataSet();
                if (!dataSet)
                    return;
                columns->BeginUpdate();
                RunThenAlways(
                    [&] {
                        for (TField *field : dataSet->FieldList())
                            columns->Add()->setFieldName(field->FullName());
                    },
                    [&] { columns->EndUpdate(); });
            }
        },
        [&] {
            UnlockState();
            UpdateListbox();
            SetSelection();
            CollectionModified();
        });
}

void TKorDBGridColumnsEditor::RestoreDefaultsClick(QObject *)
{
    TKorDBGridColumns *columns = Columns();
    if (!columns)
        return;
    const QList<TCollectionItem *> selected = SelectedItems();
    columns->BeginUpdate();
    RunThenAlways(
        [&] {
            for (int i = 0; i < columns->Count(); ++i)
                if (selected.contains(columns->Items(i)))
                    columns->Items(i)->RestoreDefaults();
        },
        [&] {
            columns->EndUpdate();
            UpdateListbox();
            CollectionModified();
        });
}

void TKorDBGridColumnsEditor::AddAllFieldsCmdUpdate(QObject *)
{
    TDataSet *dataSet = DataSet();
    AddAllFieldsCmd->setEnabled(dataSet && dataSet->FieldCount() > 0);
    AddAllFields1->setEnabled(AddAllFieldsCmd->isEnabled());
}

void TKorDBGridColumnsEditor::RestoreDefaultsCmdUpdate(QObject *)
{
    TKorDBGridColumns *columns = Columns();
    RestoreDefaultsCmd->setEnabled(columns && columns->State() == Kor::csCustomized);
    Restoredefaults1->setEnabled(RestoreDefaultsCmd->isEnabled());
}

void TKorDBGridColumnsEditor::UpdateActions()
{
    TCollectionEditor::UpdateActions();
    if (!AddAllFieldsCmd)
        return; // still being constructed
    AddAllFieldsCmdUpdate(AddAllFieldsCmd);
    RestoreDefaultsCmdUpdate(RestoreDefaultsCmd);
}

void TKorDBGridColumnsEditor::DeleteClick(QObject *)
{
    TKorDBGridColumns *columns = Columns();
    if (!columns)
        return;
    const QList<TCollectionItem *> selected = SelectedItems();
    int index = -1;
    columns->BeginUpdate();
    RunThenAlways(
        [&] {
            if (IDesigner *designer = Designer())
                designer->SetSelections({});
            index = selected.isEmpty() ? -1 : selected.first()->Index();
            if (selected.size() == columns->Count()) {
                columns->Clear();
            } else {
                // From the last to the first, so that the earlier indexes stay valid.
                for (auto it = selected.crbegin(); it != selected.crend(); ++it)
                    columns->Delete((*it)->Index());
            }
        },
        [&] {
            columns->EndUpdate();
            UpdateListbox();
        });
    if (index >= columns->Count())
        index = columns->Count() - 1;
    if (index >= 0) {
        ListView1->clearSelection();
        ListView1->topLevelItem(index)->setSelected(true);
    }
    SetSelection();
    CollectionModified();
}

void TKorDBGridColumnsEditor::ListView1DragOver(QObject *Sender, QObject *Source, int X, int Y,
                                                bool &Accept)
{
    TCollectionEditor::ListView1DragOver(Sender, Source, X, Y, Accept);
    if (!Accept)
        return;
    TKorDBGridColumns *columns = Columns();
    QTreeWidgetItem *row = ListView1->itemAt(X, Y);
    const int index = row ? ListView1->indexOfTopLevelItem(row) : -1;
    if (!columns || index < 0 || index >= columns->Count()) {
        Accept = false;
        return;
    }
    // Columns move only within their own group.
    const QObject *group = columns->Items(index)->Group();
    for (TCollectionItem *item : SelectedItems())
        if (static_cast<TKorColumn *>(item)->Group() != group) {
            Accept = false;
            return;
        }
    Accept = true;
}

void TKorDBGridColumnsEditor::ListView1DragDrop(QObject *, QObject *, int X, int Y)
{
    TKorDBGridColumns *columns = Columns();
    QTreeWidgetItem *row = ListView1->itemAt(X, Y);
    const int index = row ? ListView1->indexOfTopLevelItem(row) : -1;
    if (!columns || index < 0 || index >= columns->Count())
        return;
    TKorColumn *target = columns->Items(index);
    QList<TKorColumn *> moved;
    for (TCollectionItem *item : SelectedItems())
        moved.append(static_cast<TKorColumn *>(item));
    columns->BeginDesignUpdate();
    RunThenAlways(
        [&] {
            for (TKorColumn *column : std::as_const(moved)) {
                const bool before = column->Index() < target->Index();
                // Downwards past the whole group of an expandable target, else onto its place.
                column->SetIndex(before && target->Expandable() ? target->ExpandIndex()
                                                                : target->Index());
                // The next column moving down follows this one.
                if (before)
                    target = columns->Items(column->Index());
            }
        },
        [&] { columns->EndDesignUpdate(); });
    GetSelection();
    UpdateListbox();
    CollectionModified();
}

void TKorDBGridColumnsEditor::readPosition()
{
    m_positionRead = true;
    if (TCollection *collection = Collection())
        SectionName = QLatin1String(collection->metaObject()->className());
    // Top and Left are the frame's corner, the same corner FormClose writes.
    const TRegIniFile settings(RegKey());
    const QPoint place = SavedPosition();
    const int top = settings.ReadInteger(SectionName, QStringLiteral("Top"), place.y());
    const int left = settings.ReadInteger(SectionName, QStringLiteral("Left"), place.x());
    if (QPoint(left, top) != place)
        RestorePosition(QPoint(left, top));
    // The size the user left it at, never below the least the window needs.
    const QSize least = minimumSizeHint().expandedTo(minimumSize());
    const int width = settings.ReadInteger(SectionName, QStringLiteral("Width"), this->width());
    const int height = settings.ReadInteger(SectionName, QStringLiteral("Height"), this->height());
    resize(QSize(width, height).expandedTo(least));
}

void TKorDBGridColumnsEditor::RestorePlacement()
{
    readPosition();
}

void TKorDBGridColumnsEditor::FormShow(QObject *Sender)
{
    if (!m_positionRead)
        readPosition();
    MakeFullyVisible();
    TCollectionEditor::FormShow(Sender);
}

void TKorDBGridColumnsEditor::FormClose(QObject *Sender, TCloseAction &Action)
{
    TCollectionEditor::FormClose(Sender, Action);
    TRegIniFile settings(RegKey());
    settings.BeginUpdate();
    const QPoint place = SavedPosition();
    settings.WriteInteger(SectionName, QStringLiteral("Top"), place.y());
    settings.WriteInteger(SectionName, QStringLiteral("Left"), place.x());
    settings.WriteInteger(SectionName, QStringLiteral("Width"), width());
    settings.WriteInteger(SectionName, QStringLiteral("Height"), height());
    settings.EndUpdate();
}

// ---- Opening ----

TKorDBGridColumnsEditor *ShowKorDBGridColumnsEditor(IDesigner *Designer, TComponent *Component)
{
    auto *grid = Component ? qobject_cast<TKorCustomDBGrid *>(Component->Object()) : nullptr;
    if (!grid)
        throw EInvalidOperation(QStringLiteral("Only a grid's columns can be edited here"));
    return qobject_cast<TKorDBGridColumnsEditor *>(
        ShowCollectionEditorClass(Designer, &TKorDBGridColumnsEditor::staticMetaObject, Component,
                                  grid->Columns(), QStringLiteral("Columns"), AllColOptions));
}

// ---- TKorDBGridColumnsProperty ----

TKorDBGridColumnsProperty::TKorDBGridColumnsProperty(const TPropertyEditorArgs &Args)
    : TCollectionProperty(Args)
{
}

const QMetaObject *TKorDBGridColumnsProperty::GetEditorClass()
{
    return &TKorDBGridColumnsEditor::staticMetaObject;
}

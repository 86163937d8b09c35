#include "objectproperties.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "designintf.h"
#include "persistent.h"
#include "propertyrowdelegate.h"

TObjectInspector::TObjectInspector(QWidget *parent)
    : QWidget(parent), m_model(new TInspectorModel(this)),
      m_delegate(new TInspectorDelegate(m_model, this)), m_caption(new QLabel(this)),
      m_tabs(new QTabBar(this)), m_arrange(new QComboBox(this)), m_filter(new QLineEdit(this)),
      m_view(new QTreeView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_caption->setObjectName(QStringLiteral("SelectionLabel"));
    m_caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_caption->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_caption);

    auto *bar = new QHBoxLayout;
    m_tabs->setObjectName(QStringLiteral("PageTabs"));
    m_tabs->addTab(tr("Properties"));
    m_tabs->addTab(tr("Events"));
    m_tabs->setDrawBase(false);
    bar->addWidget(m_tabs);
    bar->addStretch();
    m_arrange->setObjectName(QStringLiteral("ArrangeBox"));
    m_arrange->addItem(tr("by Name"));
    m_arrange->addItem(tr("by Category"));
    m_arrange->setToolTip(tr("Arrange the rows"));
    bar->addWidget(m_arrange);
    layout->addLayout(bar);
    m_filter->setObjectName(QStringLiteral("FilterBox"));
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setToolTip(tr("Show the properties whose name contains this text"));
    layout->addWidget(m_filter);
    connect(m_filter, &QLineEdit::textChanged, this, [this] { applyFilter(); });

    m_view->setObjectName(QStringLiteral("PropertyView"));
    connect(m_view->header(), &QHeaderView::sectionResized, this, [this](int Section) {
        if (Section == 0 && !m_fittingNames)
            m_nameWidthKept = true;
        if (Section == 1 && !m_fittingValues)
            m_valueWidthKept = true;
        if (Section == 0)
            fitValueColumn();
    });
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_view->setIndentation(12);
    // Both columns are sized by the user; the view never scrolls sideways, not even to show an
    // editor opening in a wide value column.
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_view->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int Value) {
        if (Value != 0)
            m_view->horizontalScrollBar()->setValue(0);
    });
    m_view->viewport()->installEventFilter(this);
    layout->addWidget(m_view);
    // Rows loaded later (a sub-object opened) are filtered as the others.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_filtering && !m_filter->text().isEmpty())
            applyFilter();
    });

    // The value cell of the current row is always open for typing, as in a form designer.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &Current) {
                if (Current.isValid() && Current.column() == 0)
                    m_view->setCurrentIndex(Current.sibling(Current.row(), 1));
            });
    // A double-click on a name runs the editor's Edit, as a double-click on its value does.
    connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex &Index) {
        if (Index.column() == 0 && m_model->EditorAt(Index))
            m_model->Edit(Index);
    });
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int Tab) {
        m_model->SetPage(Tab == 1 ? TInspectorModel::TPage::Events
                                  : TInspectorModel::TPage::Properties);
        rowsShown();
    });
    connect(m_arrange, &QComboBox::currentIndexChanged, this, [this](int Item) {
        m_model->SetArrangement(Item == 1 ? TInspectorModel::TArrangement::ByCategory
                                          : TInspectorModel::TArrangement::ByName);
        rowsShown();
    });
    // Values are read again after every change; the header names the selection, so a rename
    // shows there at once.
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { showCaption(); });
    showCaption();
}

TObjectInspector::~TObjectInspector() = default;

void TObjectInspector::SetDesigner(IDesigner *Designer)
{
    m_model->SetDesigner(Designer);
}

void TObjectInspector::SetSelection(const QList<QObject *> &Selection)
{
    m_model->SetSelection(Selection);
    showCaption();
    rowsShown();
}

void TObjectInspector::RefreshValues()
{
    const int before = int(m_model->Selection().size());
    m_model->RefreshValues();
    if (int(m_model->Selection().size()) != before) {
        showCaption();
        rowsShown();
    }
    m_view->viewport()->update();
}

QModelIndex TObjectInspector::EditRow(const QString &Path)
{
    const QModelIndex row = m_model->FindRow(Path);
    if (!row.isValid())
        return {};
    for (QModelIndex parent = row.parent(); parent.isValid(); parent = parent.parent())
        m_view->expand(parent);
    const QModelIndex value = row.sibling(row.row(), 1);
    m_view->setCurrentIndex(value); // opens the editor of the current row
    m_view->scrollTo(value);
    if (!m_view->indexWidget(value))
        m_view->edit(value);
    return row;
}

void TObjectInspector::showCaption()
{
    const QList<QObject *> selection = m_model->Selection();
    if (selection.isEmpty()) {
        m_caption->setText(tr("(nothing selected)"));
        return;
    }
    QObject *first = selection.first();
    const QString className = QString::fromLatin1(first->metaObject()->className());
    if (selection.size() > 1) {
        const bool oneClass =
            std::all_of(selection.cbegin(), selection.cend(), [first](const QObject *object) {
                return object->metaObject() == first->metaObject();
            });
        m_caption->setText(oneClass ? tr("%1 objects of %2").arg(selection.size()).arg(className)
                                    : tr("%1 objects").arg(selection.size()));
        return;
    }
    TComponent *component = AsComponent(first);
    IDesigner *designer = m_model->Designer();
    QString name = component
                       ? (designer ? designer->GetComponentName(component) : component->Name())
                       : QString();
    if (name.isEmpty())
        if (auto *persistent = dynamic_cast<TPersistent *>(first))
            name = persistent->GetNamePath();
    m_caption->setText(name.isEmpty() ? className : QStringLiteral("%1: %2").arg(name, className));
}

QByteArray TObjectInspector::SaveColumns() const
{
    return m_view->header()->saveState();
}

bool TObjectInspector::RestoreColumns(const QByteArray &State)
{
    m_fittingValues = true;
    const bool restored = m_view->header()->restoreState(State);
    m_fittingValues = false;
    if (!restored)
        return false;
    // Restoring may bring back the stretching of an older state; the value column keeps its width.
    m_view->header()->setStretchLastSection(false);
    m_nameWidthKept = true;
    m_valueWidthKept = true;
    return true;
}

void TObjectInspector::SetFilter(const QString &Text)
{
    m_filter->setText(Text); // applied on the change
}

bool TObjectInspector::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == m_view->viewport() && Event->type() == QEvent::Resize)
        fitValueColumn();
    return QWidget::eventFilter(Watched, Event);
}

void TObjectInspector::fitValueColumn()
{
    if (m_valueWidthKept)
        return;
    m_fittingValues = true;
    m_view->header()->resizeSection(
        1, qMax(m_view->viewport()->width() - m_view->header()->sectionSize(0), 24));
    m_fittingValues = false;
}

void TObjectInspector::applyFilter()
{
    if (m_filtering)
        return;
    m_filtering = true;
    const bool all = m_filter->text().isEmpty();
    filterRows(QModelIndex(), all, 0);
    if (all) {
        for (const QPersistentModelIndex &opened : std::as_const(m_openedByFilter))
            if (opened.isValid())
                m_view->collapse(opened);
        m_openedByFilter.clear();
    }
    m_filtering = false;
}

// Hides the rows under Parent that neither match nor hold a matching row; answers whether any
// row stays. ShowAll shows every row (no filter, or inside a row whose own name matches).
bool TObjectInspector::filterRows(const QModelIndex &Parent, bool ShowAll, int Depth)
{
    const QString text = m_filter->text();
    bool any = false;
    for (int row = 0; row < m_model->rowCount(Parent); ++row) {
        const QModelIndex index = m_model->index(row, 0, Parent);
        const bool category = index.data(TInspectorModel::IsCategoryRole).toBool();
        const bool matches =
            !category && index.data().toString().contains(text, Qt::CaseInsensitive);
        bool shown = ShowAll || matches;
        if (!ShowAll) {
            // The nested rows of a property are looked at too: a parent stays for its child.
            // Loading stops two levels down, as references between objects have no end.
            if (Depth < 2 && m_model->canFetchMore(index))
                m_model->fetchMore(index);
            const bool inner = filterRows(index, matches, category ? Depth : Depth + 1);
            if (inner && !matches && !m_view->isExpanded(index)) {
                m_view->expand(index);
                m_openedByFilter.append(index);
            }
            shown = shown || inner;
        } else if (m_model->rowCount(index) > 0) {
            filterRows(index, true, Depth + 1);
        }
        m_view->setRowHidden(row, Parent, !shown);
        any = any || shown;
    }
    return any;
}

void TObjectInspector::rowsShown()
{
    // Category groups start open, so the arrangement shows its rows at once.
    if (m_model->Arrangement() == TInspectorModel::TArrangement::ByCategory)
        for (int row = 0; row < m_model->rowCount(); ++row) {
            m_view->setFirstColumnSpanned(row, QModelIndex(), true);
            m_view->expand(m_model->index(row, 0));
        }
    m_openedByFilter.clear(); // the rows are new
    if (!m_filter->text().isEmpty())
        applyFilter();
    if (!m_nameWidthKept) {
        m_fittingNames = true;
        m_view->resizeColumnToContents(0);
        m_fittingNames = false;
    }
    fitValueColumn();
}

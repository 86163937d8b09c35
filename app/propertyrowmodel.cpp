#include "propertyrowmodel.h"

#include <QFont>
#include <algorithm>
#include <map>

#include "hosterrors.h"
#include "hostmessages.h"
#include "liveobjects.h"
#include "registration.h"
#include "typinfo.h"

struct TInspectorModel::Node {
    Node *Parent = nullptr;
    int Row = 0;
    std::unique_ptr<TPropertyEditor> Editor; // nullptr for a category row and the root
    QString Name;
    QString Value;
    TPropertyAttributes Attributes;
    bool IsDefault = true;
    bool Fetched = false; // nested rows loaded
    std::vector<std::unique_ptr<Node>> Children;

    bool IsCategory() const { return !Editor && Parent; }
};

namespace {

bool byName(const std::unique_ptr<TPropertyEditor> &A, const std::unique_ptr<TPropertyEditor> &B)
{
    return A->GetName().compare(B->GetName(), Qt::CaseInsensitive) < 0;
}

// A property of the first object that every other object has too, under the same name, of the
// same type and edited by the same kind of editor, so one value suits them all.
bool sharedByAll(PPropInfo Info, const QList<QObject *> &Objects)
{
    const QMetaObject *editor = FindPropertyEditorClass(Info, Objects.first());
    for (QObject *other : Objects) {
        PPropInfo own = GetPropInfo(other, Info->Name);
        if (!own || own->Kind != Info->Kind ||
            own->TypeName.compare(Info->TypeName, Qt::CaseInsensitive) != 0 ||
            FindPropertyEditorClass(own, other) != editor)
            return false;
    }
    return true;
}

} // namespace

TInspectorModel::TInspectorModel(QObject *Parent)
    : QAbstractItemModel(Parent), m_root(std::make_unique<Node>())
{
}

TInspectorModel::~TInspectorModel() = default;

void TInspectorModel::SetSelection(const QList<QObject *> &Selection)
{
    m_selection.clear();
    for (QObject *object : Selection)
        if (object)
            m_selection.append(object);
    rebuild();
}

QList<QObject *> TInspectorModel::Selection() const
{
    return LiveObjects(m_selection);
}

void TInspectorModel::SetArrangement(TArrangement Arrangement)
{
    if (m_arrangement == Arrangement)
        return;
    m_arrangement = Arrangement;
    rebuild();
}

void TInspectorModel::SetPage(TPage Page)
{
    if (m_page == Page)
        return;
    m_page = Page;
    rebuild();
}

void TInspectorModel::rebuild()
{
    beginResetModel();
    m_root = std::make_unique<Node>();
    const QList<QObject *> objects = Selection();
    if (!objects.isEmpty()) {
        std::vector<std::unique_ptr<TPropertyEditor>> editors;
        const bool events = m_page == TPage::Events;
        try {
            GetComponentProperties(
                m_designer, objects,
                [&editors](std::unique_ptr<TPropertyEditor> Editor) {
                    editors.push_back(std::move(Editor));
                },
                [events, &objects](PPropInfo Info) {
                    return (Info->Kind == TTypeKind::tkMethod) == events &&
                           sharedByAll(Info, objects);
                });
        } catch (...) {
            HandleHostException();
        }
        if (m_arrangement == TArrangement::ByName) {
            addRows(m_root.get(), std::move(editors));
        } else {
            // One group per category, in name order; a property sits in each of its categories,
            // the others under the host's miscellaneous category.
            std::map<QString, std::vector<std::unique_ptr<TPropertyEditor>>> groups;
            const QMetaObject *cls = objects.first()->metaObject();
            for (auto &editor : editors) {
                QStringList categories = GetPropertyCategories(cls, editor->GetName());
                if (categories.isEmpty())
                    categories.append(sMiscellaneousCategoryName());
                for (qsizetype i = 1; i < categories.size(); ++i)
                    groups[categories.at(i)].push_back(CreatePropertyEditor(
                        editor->metaObject(), m_designer, objects, editor->GetPropInfo()));
                groups[categories.first()].push_back(std::move(editor));
            }
            for (auto &[name, members] : groups) {
                auto category = std::make_unique<Node>();
                category->Parent = m_root.get();
                category->Row = int(m_root->Children.size());
                category->Name = name;
                category->Fetched = true;
                addRows(category.get(), std::move(members));
                m_root->Children.push_back(std::move(category));
            }
        }
    }
    m_root->Fetched = true;
    endResetModel();
}

void TInspectorModel::addRows(Node *Parent, std::vector<std::unique_ptr<TPropertyEditor>> Editors)
{
    std::stable_sort(Editors.begin(), Editors.end(), byName);
    Parent->Children.reserve(Parent->Children.size() + Editors.size());
    for (auto &editor : Editors) {
        auto node = std::make_unique<Node>();
        node->Parent = Parent;
        node->Row = int(Parent->Children.size());
        node->Editor = std::move(editor);
        readNode(node.get());
        Parent->Children.push_back(std::move(node));
    }
}

void TInspectorModel::readNode(Node *Node)
{
    TPropertyEditor *editor = Node->Editor.get();
    try {
        Node->Name = editor->GetName();
        Node->Attributes = editor->GetAttributes();
        Node->Value = editor->GetVisualValue();
        Node->IsDefault = IsPropertyDefault(editor);
    } catch (...) {
        Node->Value = tr("(unreadable)");
        Node->IsDefault = true;
    }
}

void TInspectorModel::RefreshValues()
{
    for (const QPointer<QObject> &object : m_selection)
        if (!object) {
            rebuild();
            return;
        }
    refreshChildren(m_root.get());
}

void TInspectorModel::refreshChildren(Node *Parent)
{
    for (auto &child : Parent->Children) {
        Node *node = child.get();
        if (node->Editor) {
            const QString before = node->Value;
            readNode(node);
            // Nested rows that depend on the value are loaded again when next expanded.
            if (node->Fetched && (node->Attributes & paVolatileSubProperties) &&
                node->Value != before && !node->Children.empty()) {
                const QModelIndex index = indexOf(node);
                beginRemoveRows(index, 0, int(node->Children.size()) - 1);
                node->Children.clear();
                node->Fetched = false;
                endRemoveRows();
            }
        }
        refreshChildren(node);
    }
    if (!Parent->Children.empty())
        emit dataChanged(indexOf(Parent->Children.front().get(), 0),
                         indexOf(Parent->Children.back().get(), 1));
}

TPropertyEditor *TInspectorModel::EditorAt(const QModelIndex &Index) const
{
    Node *node = nodeOf(Index);
    return node ? node->Editor.get() : nullptr;
}

bool TInspectorModel::Commit(const QModelIndex &Index, const QString &Text)
{
    Node *node = nodeOf(Index);
    if (!node || !node->Editor)
        return false;
    bool written = false;
    try {
        node->Editor->SetValue(Text);
        written = true;
    } catch (...) {
        HandleHostException();
    }
    RefreshValues();
    return written;
}

void TInspectorModel::Edit(const QModelIndex &Index)
{
    Node *node = nodeOf(Index);
    if (!node || !node->Editor)
        return;
    try {
        node->Editor->Edit();
    } catch (...) {
        HandleHostException();
    }
    RefreshValues();
}

QModelIndex TInspectorModel::FindRow(const QString &Path)
{
    QModelIndex parent;
    const QStringList names = Path.split(QLatin1Char('.'));
    for (const QString &name : names) {
        if (canFetchMore(parent))
            fetchMore(parent);
        QModelIndex found;
        for (int row = 0; row < rowCount(parent) && !found.isValid(); ++row) {
            const QModelIndex candidate = index(row, 0, parent);
            if (data(candidate).toString().compare(name, Qt::CaseInsensitive) == 0)
                found = candidate;
            // In the category arrangement the name may sit one level down.
            if (!found.isValid() && nodeOf(candidate)->IsCategory())
                for (int inner = 0; inner < rowCount(candidate) && !found.isValid(); ++inner) {
                    const QModelIndex sub = index(inner, 0, candidate);
                    if (data(sub).toString().compare(name, Qt::CaseInsensitive) == 0)
                        found = sub;
                }
        }
        if (!found.isValid())
            return {};
        parent = found;
    }
    return parent;
}

// ---- QAbstractItemModel -----------------------------------------------------------------------

TInspectorModel::Node *TInspectorModel::nodeOf(const QModelIndex &Index) const
{
    return Index.isValid() ? static_cast<Node *>(Index.internalPointer()) : m_root.get();
}

QModelIndex TInspectorModel::indexOf(Node *N, int Column) const
{
    return !N || N == m_root.get() ? QModelIndex() : createIndex(N->Row, Column, N);
}

QModelIndex TInspectorModel::index(int Row, int Column, const QModelIndex &Parent) const
{
    Node *parent = nodeOf(Parent);
    if (!parent || Row < 0 || Row >= int(parent->Children.size()) || Column < 0 || Column > 1)
        return {};
    return createIndex(Row, Column, parent->Children[size_t(Row)].get());
}

QModelIndex TInspectorModel::parent(const QModelIndex &Child) const
{
    Node *node = Child.isValid() ? nodeOf(Child) : nullptr;
    return node ? indexOf(node->Parent) : QModelIndex();
}

int TInspectorModel::rowCount(const QModelIndex &Parent) const
{
    if (Parent.column() > 0)
        return 0;
    Node *node = nodeOf(Parent);
    return node ? int(node->Children.size()) : 0;
}

int TInspectorModel::columnCount(const QModelIndex &) const
{
    return 2;
}

bool TInspectorModel::hasChildren(const QModelIndex &Parent) const
{
    Node *node = nodeOf(Parent);
    if (!node || Parent.column() > 0)
        return false;
    if (!node->Children.empty())
        return true;
    return node->Editor && !node->Fetched && (node->Attributes & paSubProperties);
}

bool TInspectorModel::canFetchMore(const QModelIndex &Parent) const
{
    Node *node = nodeOf(Parent);
    return node && node->Editor && !node->Fetched && (node->Attributes & paSubProperties);
}

void TInspectorModel::fetchMore(const QModelIndex &Parent)
{
    Node *node = nodeOf(Parent);
    if (!canFetchMore(Parent))
        return;
    node->Fetched = true;
    std::vector<std::unique_ptr<TPropertyEditor>> editors;
    try {
        node->Editor->GetProperties([&editors](std::unique_ptr<TPropertyEditor> Editor) {
            editors.push_back(std::move(Editor));
        });
    } catch (...) {
        HandleHostException();
    }
    if (editors.empty())
        return;
    beginInsertRows(Parent.sibling(Parent.row(), 0), 0, int(editors.size()) - 1);
    // Set elements keep their declared order; the rows of a sub-object are sorted by name.
    if (qobject_cast<TSetProperty *>(node->Editor.get())) {
        for (auto &editor : editors) {
            auto child = std::make_unique<Node>();
            child->Parent = node;
            child->Row = int(node->Children.size());
            child->Editor = std::move(editor);
            readNode(child.get());
            node->Children.push_back(std::move(child));
        }
    } else {
        addRows(node, std::move(editors));
    }
    endInsertRows();
}

QVariant TInspectorModel::data(const QModelIndex &Index, int Role) const
{
    Node *node = Index.isValid() ? nodeOf(Index) : nullptr;
    if (!node)
        return {};
    switch (Role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (Index.column() == 0)
            return node->Name;
        return node->IsCategory() ? QVariant() : QVariant(node->Value);
    case Qt::ToolTipRole:
        return Index.column() == 1 && !node->IsCategory() ? QVariant(node->Value) : QVariant();
    case Qt::FontRole:
        if (node->IsCategory() || (Index.column() == 1 && !node->IsDefault)) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case EditorRole:
        return QVariant::fromValue<void *>(node->Editor.get());
    case AttributesRole:
        return int(node->Attributes);
    case IsDefaultRole:
        return node->IsDefault;
    case IsCategoryRole:
        return node->IsCategory();
    default:
        return {};
    }
}

bool TInspectorModel::setData(const QModelIndex &Index, const QVariant &Value, int Role)
{
    if (Role != Qt::EditRole || Index.column() != 1)
        return false;
    return Commit(Index, Value.toString());
}

Qt::ItemFlags TInspectorModel::flags(const QModelIndex &Index) const
{
    Node *node = Index.isValid() ? nodeOf(Index) : nullptr;
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The value cell opens its editor also for read-only text with a list or a dialog.
    if (Index.column() == 1 && node->Editor &&
        (!(node->Attributes & paReadOnly) || (node->Attributes & (paValueList | paDialog))))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TInspectorModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole)
        return {};
    return Section == 0 ? tr("Property") : tr("Value");
}

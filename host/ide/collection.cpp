#include "collection.h"

#include <algorithm>

#include "hosterrors.h"

TCollectionItem::TCollectionItem(TCollection *Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    if (m_collection)
        m_collection->removeItem(this);
}

void TCollectionItem::SetCollection(TCollection *Value)
{
    if (m_collection == Value)
        return;
    if (m_collection)
        m_collection->removeItem(this);
    if (Value)
        Value->insertItem(this);
}

int TCollectionItem::Index() const
{
    if (!m_collection)
        return -1;
    const auto &items = m_collection->m_items;
    const auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : int(it - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    if (!m_collection)
        return;
    auto &items = m_collection->m_items;
    const int current = Index();
    Value = std::clamp(Value, 0, int(items.size()) - 1);
    if (current < 0 || current == Value)
        return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

QString TCollectionItem::DisplayName() const
{
    return ClassName();
}

void TCollectionItem::SetDisplayName(const QString &)
{
    Changed(false);
}

QString TCollectionItem::GetNamePath() const
{
    if (!m_collection)
        return ClassName();
    return QStringLiteral("%1[%2]").arg(m_collection->GetNamePath()).arg(Index());
}

TPersistent *TCollectionItem::GetOwner() const
{
    return m_collection;
}

void TCollectionItem::Changed(bool AllItems)
{
    if (m_collection)
        m_collection->itemChanged(AllItems ? nullptr : this);
}

TCollection::TCollection(const QMetaObject *ItemClass, ItemFactory Factory, TPersistent *Owner)
    : m_itemClass(ItemClass), m_factory(std::move(Factory)), m_owner(Owner)
{
}

TCollection::~TCollection()
{
    m_updateCount = 1; // no change notices while going away
    Clear();
}

TCollectionItem *TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_items[std::size_t(Index)];
}

TCollectionItem *TCollection::Add()
{
    TCollectionItem *item = m_factory(this);
    if (item && item->Collection() != this)
        item->SetCollection(this);
    return item;
}

TCollectionItem *TCollection::Insert(int Index)
{
    TCollectionItem *item = Add();
    item->SetIndex(Index);
    return item;
}

TCollectionItem *TCollection::FindItemID(int ID) const
{
    for (TCollectionItem *item : m_items)
        if (item->ID() == ID)
            return item;
    return nullptr;
}

void TCollection::Delete(int Index)
{
    delete Items(Index);
}

void TCollection::Clear()
{
    if (m_items.empty())
        return;
    BeginUpdate();
    while (!m_items.empty())
        delete m_items.back();
    EndUpdate();
}

void TCollection::BeginUpdate()
{
    ++m_updateCount;
}

void TCollection::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0 && m_pendingChange) {
        m_pendingChange = false;
        Update(nullptr);
    }
}

void TCollection::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TCollection *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    Clear();
    for (TCollectionItem *item : source->m_items)
        Add()->Assign(item);
    EndUpdate();
}

QString TCollection::GetNamePath() const
{
    if (!m_owner || m_owner->GetNamePath().isEmpty())
        return ClassName();
    return m_owner->GetNamePath() + QLatin1Char('.') + m_propName;
}

void TCollection::Update(TCollectionItem *Item)
{
    emit changed(Item);
}

void TCollection::insertItem(TCollectionItem *item)
{
    item->m_collection = this;
    item->m_id = m_nextId++;
    m_items.push_back(item);
    itemChanged(nullptr);
}

void TCollection::removeItem(TCollectionItem *item)
{
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it != m_items.end())
        m_items.erase(it);
    item->m_collection = nullptr;
    itemChanged(nullptr);
}

void TCollection::itemChanged(TCollectionItem *item)
{
    if (m_updateCount > 0) {
        m_pendingChange = true;
        return;
    }
    Update(item);
}

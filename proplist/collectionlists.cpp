#include "collectionlists.h"

#include "collection.h"
#include "grid.h"
#include "korgriditems.h"

// ---- TCollectionPropList ----

TCollectionPropList::TCollectionPropList(TDesignWindow *AOwnerForm, QObject *AInstance,
                                         TCollectionItem *ACollItem)
    : TPropList(AOwnerForm, AInstance), m_collItem(ACollItem), m_collItemIdentity(ACollItem)
{
}

void TCollectionPropList::SetCollItem(TCollectionItem *Item)
{
    TCollectionItem *old = m_collItem.data();
    // A current item that is gone differs from every item, nullptr included.
    if (Item == old && Item == m_collItemIdentity)
        return;
    for (int i = 0; i < ListCount(); ++i)
        if (TPropList *list = Lists(i); list->Instance() == old)
            list->SetInstance(Item);
    m_collItem = Item;
    m_collItemIdentity = Item;
}

void TCollectionPropList::ItemDeleted(QObject *Object)
{
    if (Object && Object == m_collItemIdentity)
        SetCollItem(nullptr);
    TPropList::ItemDeleted(Object);
}

void TCollectionPropList::AddCollectionProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TCollectionPropItem>(PropName,
                                                      BoundControl<TComboBox>(PropName, ComboBox)));
}

// ---- TKorDBGridColumnsPropList ----

TKorDBGridColumnsPropList::TKorDBGridColumnsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid,
                                                     TKorColumn *Column)
    : TCollectionPropList(AOwnerForm, Grid, Column)
{
}

TKorDBGrid *TKorDBGridColumnsPropList::Instance() const
{
    return qobject_cast<TKorDBGrid *>(TPropList::Instance());
}

// ---- TCollectionPropItem ----

TCollectionPropList *TCollectionPropItem::GetPropList() const
{
    return qobject_cast<TCollectionPropList *>(PropList());
}

TCollection *TCollectionPropItem::GetCollection() const
{
    return qobject_cast<TCollection *>(GetObjectProp(PropName(), &TCollection::staticMetaObject));
}

QString TCollectionPropItem::GetDisplayName(TCollectionItem *Item)
{
    if (!Item)
        return {};
    return QStringLiteral("%1 - %2").arg(QString::number(Item->Index()), Item->DisplayName());
}

QString TCollectionPropItem::GetPropText()
{
    TCollectionPropList *list = GetPropList();
    return list ? GetDisplayName(list->CollItem()) : QString();
}

void TCollectionPropItem::SetPropText(const QString &Value)
{
    TCollectionPropList *list = GetPropList();
    if (!list)
        return;
    if (Value.isEmpty()) {
        list->SetCollItem(nullptr);
        return;
    }
    if (TCollection *collection = GetCollection())
        for (int i = 0; i < collection->Count(); ++i)
            if (TCollectionItem *item = collection->Items(i); GetDisplayName(item) == Value) {
                list->SetCollItem(item);
                return;
            }
    // A text that matches no item changes nothing.
}

int TCollectionPropItem::AddListValues(QStringList &Strings)
{
    TCollectionPropList *list = GetPropList();
    if (TCollection *collection = GetCollection()) {
        for (int i = 0; i < collection->Count(); ++i)
            Strings.append(GetDisplayName(collection->Items(i)));
        // The first fill chooses the first item.
        if (list && !list->CollItem() && collection->Count() > 0)
            list->SetCollItem(collection->Items(0));
    }
    SetSorted(false);
    return csDropDownList;
}

#pragma once
// A property list over an object that publishes a collection, with a current item of that
// collection (CollItem) that the user chooses in a combo box; the sub-lists that show the
// current item follow it. TKorDBGridColumnsPropList is the one over a grid's Columns.

#include <QPointer>

#include "collection.h"
#include "listitems.h"
#include "proplist.h"

class TKorDBGrid;
class TKorColumn;

class TCollectionPropList : public TPropList {
    Q_OBJECT
public:
    TCollectionPropList(TDesignWindow *OwnerForm, QObject *Instance, TCollectionItem *CollItem);

    // The current item; not owned, nullptr once it is gone.
    TCollectionItem *CollItem() const { return m_collItem.data(); }
    // Makes Item the current item; every sub-list that showed the previous one shows Item.
    void SetCollItem(TCollectionItem *Item);

    // Drops the current item when it is the deleted object.
    void ItemDeleted(QObject *Object) override;

    void AddCollectionProp(const QString &PropName, QWidget *ComboBox);

private:
    QPointer<TCollectionItem> m_collItem;
    // The item as it was set, to recognise it in ItemDeleted even after it is gone.
    TCollectionItem *m_collItemIdentity = nullptr;
};

// The grid's Columns: the grid is the instance, the column the current item.
class TKorDBGridColumnsPropList : public TCollectionPropList {
    Q_OBJECT
public:
    TKorDBGridColumnsPropList(TDesignWindow *OwnerForm, TKorDBGrid *Grid, TKorColumn *Column);

    TKorDBGrid *Instance() const;
};

// Chooses the list's current item among the items of the collection that PropName names
// ("Columns"); each item is shown as its index, " - " and its display name. Choosing an item
// changes nothing in the component: the window reloads its page instead.
class TCollectionPropItem : public TChooserPropItem {
public:
    using TChooserPropItem::TChooserPropItem;

    TCollectionPropList *GetPropList() const;
    // The collection the item's path names; nullptr when it names none.
    TCollection *GetCollection() const;

    QString GetPropText() override;
    void SetPropText(const QString &Value) override;
    int AddListValues(QStringList &Strings) override;

    // "<index> - <display name>"; empty for nullptr.
    virtual QString GetDisplayName(TCollectionItem *Item);
};

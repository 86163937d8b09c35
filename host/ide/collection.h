#pragma once
// Owned, ordered collections of persistent items, as the grid's columns and total values are.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "korhost_export.h"
#include "persistent.h"

class TCollection;

class KORHOST_EXPORT TCollectionItem : public QObject, public TPersistent {
    Q_OBJECT
public:
    // Adds itself to Collection (when given), which then owns it.
    explicit TCollectionItem(TCollection *Collection);
    ~TCollectionItem() override;

    TCollection *Collection() const { return m_collection; }
    void SetCollection(TCollection *Value);
    int Index() const;
    // Moves the item to Value within its collection (clamped to the valid range).
    void SetIndex(int Value);
    int ID() const { return m_id; }
    virtual QString DisplayName() const;
    virtual void SetDisplayName(const QString &Value);
    QString GetNamePath() const override;
    TPersistent *GetOwner() const override;

protected:
    // Tells the collection that this item changed (AllItems: every item needs repainting).
    void Changed(bool AllItems = false);

private:
    friend class TCollection;
    TCollection *m_collection = nullptr;
    int m_id = 0;
};

class KORHOST_EXPORT TCollection : public QObject, public TPersistent {
    Q_OBJECT
public:
    using ItemFactory = std::function<TCollectionItem *(TCollection *)>;

    // ItemFactory creates one item of the collection's item class; the item adds itself.
    TCollection(const QMetaObject *ItemClass, ItemFactory Factory, TPersistent *Owner = nullptr);
    ~TCollection() override;

    const QMetaObject *ItemClass() const { return m_itemClass; }
    int Count() const { return int(m_items.size()); }
    TCollectionItem *Items(int Index) const;
    TCollectionItem *Add();
    TCollectionItem *Insert(int Index);
    TCollectionItem *FindItemID(int ID) const;
    void Delete(int Index);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }
    void Assign(const TPersistent *Source) override;
    TPersistent *GetOwner() const override { return m_owner; }
    QString GetNamePath() const override;
    // The name of the property through which the owner publishes this collection.
    QString PropName() const { return m_propName; }
    void SetPropName(const QString &Value) { m_propName = Value; }

signals:
    // Emitted after a change once no update is pending; Item is null when all items changed.
    void changed(TCollectionItem *Item);

protected:
    // Hook for subclasses: called where the signal is emitted.
    virtual void Update(TCollectionItem *Item);

private:
    friend class TCollectionItem;
    void insertItem(TCollectionItem *item);
    void removeItem(TCollectionItem *item);
    void itemChanged(TCollectionItem *item);

    const QMetaObject *m_itemClass;
    ItemFactory m_factory;
    TPersistent *m_owner;
    QString m_propName;
    std::vector<TCollectionItem *> m_items; // owned; deleted in Clear and the destructor
    int m_updateCount = 0;
    int m_nextId = 0;
    bool m_pendingChange = false;
};

// The component model: ownership, names, notices to the owner, collections; and the colour and
// cursor encodings.

#include <QtTest>

#include "collection.h"
#include "graphics.h"
#include "hosterrors.h"
#include "persistent.h"

using namespace Qt::StringLiterals;

namespace {

class TWatcher : public QObject, public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
    QList<TComponent *> removed;
    QList<TComponent *> inserted;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        (Operation == TOperation::opRemove ? removed : inserted).append(AComponent);
        TComponent::Notification(AComponent, Operation);
    }
};

class TItem : public TCollectionItem {
    Q_OBJECT
public:
    using TCollectionItem::TCollectionItem;
};

std::unique_ptr<TCollection> makeCollection()
{
    return std::make_unique<TCollection>(&TItem::staticMetaObject,
                                         [](TCollection *c) { return new TItem(c); });
}

} // namespace

class ComponentsTest : public QObject {
    Q_OBJECT
private slots:
    void ownerFreesOwnedComponentsLastFirst()
    {
        auto owner = std::make_unique<TWatcher>();
        QPointer<TWatcher> a = new TWatcher(owner.get());
        QPointer<TWatcher> b = new TWatcher(owner.get());
        a->SetName(u"A"_s);
        QCOMPARE(owner->ComponentCount(), 2);
        QCOMPARE(b->ComponentIndex(), 1);
        QCOMPARE(owner->FindComponent(u"a"_s), a.data());
        delete b.data();
        QCOMPARE(owner->ComponentCount(), 1);
        QCOMPARE(owner->removed.size(), 1);
        owner.reset();
        QVERIFY(a.isNull());
    }

    void ownerHearsOfInsertAndRemove()
    {
        TWatcher owner;
        auto *child = new TWatcher(&owner);
        auto *sibling = new TWatcher(&owner);
        QCOMPARE(owner.inserted.size(), 2);
        owner.RemoveComponent(child);
        QCOMPARE(child->Owner(), nullptr);
        QCOMPARE(owner.removed, QList<TComponent *>{child});
        // The owner passes the notice on to the components it still owns.
        QCOMPARE(sibling->removed, QList<TComponent *>{child});
        delete child;
        QCOMPARE(owner.ComponentCount(), 1);
    }

    void qtParentAndOwnerDoNotDoubleFree()
    {
        auto form = std::make_unique<TWatcher>();
        auto *panel = new TWatcher(form.get());
        panel->setParent(form.get());
        auto *inner = new TWatcher(form.get());
        inner->setParent(panel); // Qt child of the panel, owned by the form
        QPointer<TWatcher> watch = inner;
        form.reset(); // must free each object once (the sanitizer build checks)
        QVERIFY(watch.isNull());
    }

    void collectionIndexAndUpdates()
    {
        auto collection = makeCollection();
        QSignalSpy changed(collection.get(), &TCollection::changed);
        collection->BeginUpdate();
        auto *first = static_cast<TItem *>(collection->Add());
        auto *second = static_cast<TItem *>(collection->Add());
        auto *third = static_cast<TItem *>(collection->Add());
        QCOMPARE(changed.count(), 0);
        collection->EndUpdate();
        QCOMPARE(changed.count(), 1);

        third->SetIndex(0);
        QCOMPARE(collection->Items(0), third);
        QCOMPARE(first->Index(), 1);
        first->SetIndex(99); // clamped to the last place
        QCOMPARE(first->Index(), 2);
        QCOMPARE(second->Index(), 1);
        QCOMPARE(collection->FindItemID(second->ID()), second);

        QPointer<TItem> watch = second;
        collection->Delete(1);
        QVERIFY(watch.isNull());
        QVERIFY_THROWS_EXCEPTION(EListError, collection->Items(2));
    }

    // Every colour and cursor identifier the host offers reads back as itself, case aside; values
    // without an identifier are written as numbers and read back.
    void identifiersRoundTrip()
    {
        QStringList colours, cursors;
        GetColorValues([&](const QString &ident) { colours << ident; });
        GetCursorValues([&](const QString &ident) { cursors << ident; });
        QVERIFY(colours.contains(u"clMenuHighlight"_s) && cursors.size() > 10);
        QCOMPARE(colours.removeDuplicates() + cursors.removeDuplicates(), 0);
        QSet<int> values;
        for (const QString &ident : colours) {
            QCOMPARE(ColorToString(StringToColor(ident.toLower())), ident);
            values.insert(StringToColor(ident));
        }
        QCOMPARE(values.size(), colours.size());
        for (const QString &ident : cursors)
            QCOMPARE(CursorToString(StringToCursor(ident.toUpper())), ident);
        QCOMPARE(ColorToString(0x00123456), u"$00123456"_s);
        QCOMPARE(StringToColor(u"$00FF8040"_s), 0x00FF8040);
        QCOMPARE(StringToColor(u"0x20000000"_s), clDefault);
        QCOMPARE(StringToColor(u"255"_s), clRed);
        QCOMPARE(CursorToString(5), u"5"_s);
        QCOMPARE(StringToCursor(u"-3"_s), crCross);
        QVERIFY_THROWS_EXCEPTION(EConvertError, StringToColor(u"clPink"_s));
        QVERIFY_THROWS_EXCEPTION(EConvertError, StringToCursor(u"crPointer"_s));
    }
};

QTEST_MAIN(ComponentsTest)
#include "tst_components.moc"

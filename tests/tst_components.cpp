// The component model: ownership, names, destruction notices, persistent assignment and
// collections; and the colour and cursor encodings.

#include <QtTest>

#include "collection.h"
#include "font.h"
#include "graphics.h"
#include "hosterrors.h"
#include "persistent.h"
#include "stringlist.h"

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
    QString caption;
    QString DisplayName() const override { return caption.isEmpty() ? ClassName() : caption; }
    void Assign(const TPersistent *Source) override
    {
        if (const auto *item = dynamic_cast<const TItem *>(Source)) {
            caption = item->caption;
            return;
        }
        TCollectionItem::Assign(Source);
    }
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
    void ownerFreesOwnedComponentsLastFirst();
    void ownerHearsOfInsertAndRemove();
    void freeNotificationBothWays();
    void qtParentAndOwnerDoNotDoubleFree();
    void assignBetweenUnrelatedClassesRaises();
    void collectionIndexAndUpdates();
    void collectionAssignCopiesItems();
    void colourIdentifiersBothWays();
    void systemColoursResolveThroughPalette();
    void cursorIdentifiersBothWays();
};

void ComponentsTest::ownerFreesOwnedComponentsLastFirst()
{
    auto owner = std::make_unique<TWatcher>();
    QPointer<TWatcher> a = new TWatcher(owner.get());
    QPointer<TWatcher> b = new TWatcher(owner.get());
    a->SetName(QStringLiteral("A"));
    QCOMPARE(owner->ComponentCount(), 2);
    QCOMPARE(b->ComponentIndex(), 1);
    QCOMPARE(owner->FindComponent(QStringLiteral("a")), a.data());
    delete b.data();
    QCOMPARE(owner->ComponentCount(), 1);
    QCOMPARE(owner->removed.size(), 1);
    owner.reset();
    QVERIFY(a.isNull());
}

void ComponentsTest::ownerHearsOfInsertAndRemove()
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

void ComponentsTest::freeNotificationBothWays()
{
    TWatcher listener;
    auto target = std::make_unique<TWatcher>();
    listener.FreeNotification(target.get());
    TComponent *raw = target.get();
    target.reset();
    QCOMPARE(listener.removed, QList<TComponent *>{raw});

    // Once the listener is gone, destroying the target must not reach it.
    auto other = std::make_unique<TWatcher>();
    {
        TWatcher shortLived;
        shortLived.FreeNotification(other.get());
    }
    other.reset();
}

void ComponentsTest::qtParentAndOwnerDoNotDoubleFree()
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

void ComponentsTest::assignBetweenUnrelatedClassesRaises()
{
    TFont font;
    TStrings strings;
    QVERIFY_THROWS_EXCEPTION(EConvertError, font.Assign(&strings));
    strings.SetText(QStringLiteral("a\r\nb\n"));
    TStrings copy;
    copy.Assign(&strings);
    QCOMPARE(copy.Lines(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(copy.Text(), QStringLiteral("a\r\nb\r\n"));
}

void ComponentsTest::collectionIndexAndUpdates()
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
    QCOMPARE(collection->Count(), 2);
    QVERIFY_THROWS_EXCEPTION(EListError, collection->Items(2));
    collection->Clear();
    QCOMPARE(collection->Count(), 0);
}

void ComponentsTest::collectionAssignCopiesItems()
{
    auto source = makeCollection();
    static_cast<TItem *>(source->Add())->caption = QStringLiteral("one");
    static_cast<TItem *>(source->Add())->caption = QStringLiteral("two");
    auto target = makeCollection();
    target->Add();
    target->Assign(source.get());
    QCOMPARE(target->Count(), 2);
    QCOMPARE(target->Items(1)->DisplayName(), QStringLiteral("two"));
    QVERIFY(target->Items(0) != source->Items(0));
}

void ComponentsTest::colourIdentifiersBothWays()
{
    QCOMPARE(ColorToString(clWindow), QStringLiteral("clWindow"));
    QCOMPARE(ColorToString(clDefault), QStringLiteral("clDefault"));
    QCOMPARE(ColorToString(clNone), QStringLiteral("clNone"));
    QCOMPARE(ColorToString(0x00123456), QStringLiteral("$00123456"));
    QCOMPARE(StringToColor(QStringLiteral("clbtnface")), clBtnFace);
    QCOMPARE(StringToColor(QStringLiteral("$00FF8040")), 0x00FF8040);
    QCOMPARE(StringToColor(QStringLiteral("0x20000000")), clDefault);
    QCOMPARE(StringToColor(QStringLiteral("$FF000005")), clWindow);
    QCOMPARE(StringToColor(QStringLiteral("255")), clRed);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StringToColor(QStringLiteral("clPink")));
    QStringList idents;
    GetColorValues([&](const QString &ident) { idents << ident; });
    QCOMPARE(idents.first(), QStringLiteral("clBlack"));
    QVERIFY(idents.contains(QStringLiteral("clMenuHighlight")));
    QCOMPARE(idents.removeDuplicates(), 0);
}

void ComponentsTest::systemColoursResolveThroughPalette()
{
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    QGuiApplication::setPalette(palette);
    QCOMPARE(ColorToRGB(clWindow), 0x030201);
    QCOMPARE(ColorToQColor(clRed), QColor(255, 0, 0));
    QVERIFY(!ColorToQColor(clDefault).isValid());
    QVERIFY(!ColorToQColor(clNone).isValid());
    QCOMPARE(QColorToColor(QColor(0x10, 0x20, 0x30)), 0x302010);
}

void ComponentsTest::cursorIdentifiersBothWays()
{
    QCOMPARE(CursorToString(crHandPoint), QStringLiteral("crHandPoint"));
    QCOMPARE(CursorToString(5), QStringLiteral("5"));
    QCOMPARE(StringToCursor(QStringLiteral("crSizeAll")), crSizeAll);
    QCOMPARE(StringToCursor(QStringLiteral("-3")), crCross);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StringToCursor(QStringLiteral("crPointer")));
}

QTEST_MAIN(ComponentsTest)
#include "tst_components.moc"

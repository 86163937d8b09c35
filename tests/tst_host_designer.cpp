// Design notifications and the in-process form designer: who hears what, in which order, and
// what listeners may do while a notice is going round.

#include <QTest>
#include <functional>
#include <memory>

#include "formdesigner.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "registration.h"

using namespace Qt::StringLiterals;

class TKorTestGrid : public QWidget, public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorTestGrid(QWidget *parent = nullptr) : QWidget(parent) {}
};

class TKorTestSource : public QObject, public TComponent {
    Q_OBJECT
public:
    TKorTestSource() = default; // no invokable constructor: made through a factory
};

class TNotAComponent : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE TNotAComponent() = default;
};

namespace {

// Lets designers make TKorTestSource, or no longer.
void sourceFactory(bool On)
{
    TFormDesigner::RegisterComponentFactory(
        &TKorTestSource::staticMetaObject,
        On ? TFormDesigner::TComponentFactory([] { return new TKorTestSource; }) : nullptr);
}

// Writes every notice it hears as one line; OnNotice runs after recording.
class TRecorder : public IDesignNotification {
public:
    explicit TRecorder(QString tag = {}) : m_tag(std::move(tag))
    {
        RegisterDesignNotification(this);
    }
    QStringList Log;
    std::function<void()> OnNotice;

    void ItemDeleted(IDesigner *, QObject *It) override { add("deleted " + It->objectName()); }
    void ItemInserted(IDesigner *, QObject *It) override { add("inserted " + It->objectName()); }
    void ItemsModified(IDesigner *) override { add("modified"); }
    void SelectionChanged(IDesigner *, const QList<QObject *> &Selection) override
    {
        QStringList names;
        for (QObject *object : Selection)
            names.append(object->objectName());
        add("selection " + names.join(','));
    }
    void DesignerOpened(IDesigner *, bool) override { add("opened"); }
    void DesignerClosed(IDesigner *, bool) override { add("closed"); }

private:
    void add(const QString &line)
    {
        Log.append(m_tag + line);
        if (OnNotice)
            OnNotice();
    }
    QString m_tag;
};

} // namespace

class TestHostDesigner : public QObject {
    Q_OBJECT

private slots:
    // Listeners hear a notice once each, in the order they registered, also when one of them
    // changes the list while the notice goes round: the ones it unregisters or destroys are not
    // told, one it registers hears only the next notice, one that unregisters itself is told no
    // more, and an error one raises is reported while the others are still told.
    void listenersMayChangeTheListDuringANotice()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        TRecorder a("a:");
        auto gone = std::make_unique<TRecorder>("gone:");
        TRecorder skipped("skipped:"), c("c:");
        std::unique_ptr<TRecorder> late;
        RegisterDesignNotification(&a); // registering twice does not double the notices
        a.OnNotice = [&] {
            gone.reset(); // its destructor unregisters it
            UnregisterDesignNotification(&skipped);
            if (!late)
                late = std::make_unique<TRecorder>("late:");
        };
        bool inOrder = false;
        c.OnNotice = [&] {
            inOrder = a.Log.size() == 1;
            throw EInvalidOperation("listener failed");
        };
        NotifyItemsModified(nullptr);
        QVERIFY(inOrder);
        QCOMPARE(a.Log + skipped.Log + c.Log + late->Log,
                 (QStringList{"a:modified", "c:modified"}));
        QCOMPARE(messages.Errors, QStringList{"listener failed"});

        c.OnNotice = [&] { UnregisterDesignNotification(&c); };
        NotifyDesignerOpened(nullptr, false);
        NotifyItemsModified(nullptr);
        QCOMPARE(c.Log, (QStringList{"c:modified", "c:opened"}));
        QCOMPARE(late->Log, (QStringList{"late:opened", "late:modified"}));
        QCOMPARE(a.Log.size(), 3);
    }

    void designerOpensAndClosesOnce()
    {
        TRecorder log;
        {
            TFormDesigner designer("Form1");
            QCOMPARE(log.Log, QStringList{"opened"});
            QCOMPARE(designer.GetRoot(), designer.Form());
            QVERIFY(designer.Form()->IsDesigning());
            designer.Close();
            designer.Close();
            QVERIFY(designer.IsClosed());
            QCOMPARE(designer.GetRoot(), nullptr);
            QVERIFY_THROWS_EXCEPTION(EInvalidOperation, designer.Create<TKorTestGrid>());
        }
        QCOMPARE(log.Log, (QStringList{"opened", "closed"}));
        // A designer destroyed without Close still says goodbye, with itself as the designer.
        struct TClosedBy : TRecorder {
            IDesigner *by = nullptr;
            void DesignerClosed(IDesigner *d, bool) override { by = d; }
        } closed;
        auto designer = std::make_unique<TFormDesigner>();
        IDesigner *seen = designer.get();
        designer.reset();
        QCOMPARE(closed.by, seen);

        // Destroying the form closes the designer; windows are not told of each component.
        TFormDesigner other;
        QPointer<TKorTestGrid> grid(other.Create<TKorTestGrid>());
        log.Log.clear();
        delete other.Form();
        QCOMPARE(log.Log, QStringList{"closed"});
        QVERIFY(!grid && other.IsClosed());
        QCOMPARE(other.GetRoot(), nullptr);
        QCOMPARE(other.GetComponent("KorTestGrid1"), nullptr);
    }

    void createdComponentsGetUniqueNames()
    {
        TFormDesigner designer;
        TRecorder log;
        auto *grid1 = designer.Create<TKorTestGrid>();
        TComponent *second = designer.CreateComponent(&TKorTestGrid::staticMetaObject);
        QCOMPARE(grid1->Name(), u"KorTestGrid1"_s);
        QCOMPARE(second->Name(), u"KorTestGrid2"_s);
        // The form owns it (and is its parent widget, as the form-file tests see).
        QCOMPARE(grid1->Owner(), designer.Form());
        QVERIFY(grid1->IsDesigning());
        // A freed number is taken again.
        designer.DeleteComponent(grid1);
        QCOMPARE(designer.Create<TKorTestGrid>()->Name(), u"KorTestGrid1"_s);
        QCOMPARE(designer.UniqueName(&TKorTestGrid::staticMetaObject), u"KorTestGrid3"_s);
        QCOMPARE(log.Log, (QStringList{"inserted KorTestGrid1", "inserted KorTestGrid2",
                                       "deleted KorTestGrid1", "inserted KorTestGrid1"}));
    }

    void createComponentFailures()
    {
        TFormDesigner designer;
        QVERIFY_THROWS_EXCEPTION(EComponentError,
                                 designer.CreateComponent(&TKorTestSource::staticMetaObject));
        QVERIFY_THROWS_EXCEPTION(EComponentError,
                                 designer.CreateComponent(&TNotAComponent::staticMetaObject));
        QVERIFY_THROWS_EXCEPTION(EComponentError, designer.CreateComponent(nullptr));
        QCOMPARE(designer.Form()->ComponentCount(), 0);

        sourceFactory(true);
        TComponent *source = designer.CreateComponent(&TKorTestSource::staticMetaObject);
        QCOMPARE(source->Name(), u"KorTestSource1"_s);
        sourceFactory(false);

        // A name already on the form is refused and the component stays the caller's.
        auto clash = std::make_unique<TKorTestGrid>();
        clash->SetName("korTestSource1");
        QVERIFY_THROWS_EXCEPTION(EComponentError, designer.AddComponent(clash.get()));
        QCOMPARE(clash->Owner(), nullptr);
        clash->SetName("Form1");
        QVERIFY_THROWS_EXCEPTION(EComponentError, designer.AddComponent(clash.get()));
        QCOMPARE(designer.Form()->ComponentCount(), 1);
    }

    void deleteSendsNoticeBeforeDestroying()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorTestGrid>();
        QPointer<TKorTestGrid> watch(grid);
        designer.SelectComponent(grid);
        TRecorder log;
        bool aliveAtNotice = false;
        log.OnNotice = [&] {
            if (log.Log.size() == 1)
                aliveAtNotice = watch && designer.GetComponent("KorTestGrid1") == grid;
        };
        designer.DeleteComponent(grid);
        QVERIFY(aliveAtNotice && !watch);
        QCOMPARE(log.Log, (QStringList{"deleted KorTestGrid1", "selection "}));
        QVERIFY(designer.GetSelections().isEmpty());

        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, designer.DeleteComponent(designer.Form()));
        TKorTestGrid stranger;
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, designer.DeleteComponent(&stranger));
    }

    void componentDestroyedElsewhereIsReported()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorTestGrid>();
        auto *other = designer.Create<TKorTestGrid>();
        // A selected object that goes away, or is selected twice, is in the selection once.
        auto column = std::make_unique<QObject>();
        designer.SetSelections({other, grid, column.get(), other});
        column.reset();
        TRecorder log;
        TComponent *component = grid;
        int stateAtNotice = 0;
        log.OnNotice = [&] {
            if (log.Log.size() == 1)
                stateAtNotice = component->ComponentState(); // still a component at the notice
        };
        delete grid;
        QVERIFY(stateAtNotice & csDestroying);
        QCOMPARE(log.Log, (QStringList{"deleted KorTestGrid1", "selection KorTestGrid2"}));
        QCOMPARE(designer.GetSelections(), QList<QObject *>{other});
        QCOMPARE(designer.Form()->ComponentCount(), 1);

        // A listener that raises while the component dies is reported, not thrown out of delete.
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        log.OnNotice = [] { throw EInvalidOperation("window failed"); };
        delete other;
        QCOMPARE(messages.Errors.value(0), u"window failed"_s);
    }

    void componentLookups()
    {
        TFormDesigner designer("MainForm");
        auto *grid = designer.Create<TKorTestGrid>();
        sourceFactory(true);
        TComponent *source = designer.CreateComponent(&TKorTestSource::staticMetaObject);
        sourceFactory(false);
        designer.Create<TKorTestGrid>();

        const auto names = [&](const QMetaObject *Class) {
            QStringList list;
            designer.GetComponentNames(Class, [&](const QString &name) { list.append(name); });
            return list;
        };
        QCOMPARE(names(&TKorTestGrid::staticMetaObject),
                 (QStringList{"KorTestGrid1", "KorTestGrid2"}));
        QCOMPARE(names(&TKorTestSource::staticMetaObject), QStringList{"KorTestSource1"});
        QCOMPARE(names(&QObject::staticMetaObject).size(), 3);
        QCOMPARE(designer.GetComponent("kortestgrid1"), grid);
        QCOMPARE(designer.GetComponent("MainForm"), designer.Form());
        QCOMPARE(designer.GetComponent("Nothing"), nullptr);
        QCOMPARE(designer.GetComponentName(source), u"KorTestSource1"_s);
        QCOMPARE(designer.GetComponentName(nullptr), QString());
    }

    void whatAPackageGaveGoesWithIt()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        TFormDesigner designer;
        QStringList released;
        // What a package's Register procedures hand over is released when the package goes, newest
        // first, even when one release fails; the host's own things stay.
        SetRegisteringModule(u"PkgA"_s);
        sourceFactory(true);
        RegisterModuleRelease([&] { released << "first"; });
        RegisterModuleRelease([] { throw EInvalidOperation(u"release failed"_s); });
        RegisterModuleRelease([&] { released << "last"; });
        SetRegisteringModule({});
        RegisterModuleRelease([&] { released << "host"; });
        RegisterModuleRelease([&] { released << "other"; }, u"PkgB"_s);
        QCOMPARE(ModuleReleaseCount(u"pkga"_s), 4);
        QVERIFY(designer.CreateComponent(&TKorTestSource::staticMetaObject));

        UnregisterModule(u"PkgA"_s);
        QCOMPARE(released, (QStringList{"last", "first"}));
        QCOMPARE(messages.Errors, QStringList{"release failed"});
        QCOMPARE(ModuleReleaseCount(u"PkgA"_s), 0);
        QVERIFY_THROWS_EXCEPTION(EComponentError,
                                 designer.CreateComponent(&TKorTestSource::staticMetaObject));
        UnregisterModule(u"PkgB"_s);
        QCOMPARE(released, (QStringList{"last", "first", "other"}));
    }
};

QTEST_MAIN(TestHostDesigner)
#include "tst_host_designer.moc"

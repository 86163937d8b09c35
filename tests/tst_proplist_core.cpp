// The property item and list core: the default test and its bold display for every kind,
// hints, enabling and visibility of a control with its label and children, path resolution
// through a nil object, the change path to the designer, and pages that are not current.

#include <QTabWidget>
#include <QtTest>
#include <new>

#include "datarows.h"
#include "errorof.h"
#include "tst_proplist_fixture.h"

using namespace Qt::StringLiterals;

namespace {

struct TDefaultRow {
    const char *label;
    QString path;
    void (*change)(TProbe &);
    bool isDefault;
};

} // namespace

// A page whose rule enables its second and third items while Active is on.
class TRuleList : public TPropList {
public:
    using TPropList::TPropList;
    void UpdateEnabled() override
    {
        const bool active = GetOrdProp(Instance(), u"Active"_s) != 0;
        Items(1)->SetEnabled(active);
        Items(2)->SetEnabled(active);
    }
};

// A list that counts its instance changes.
class TCountingList : public TPropList {
    Q_OBJECT
public:
    using TPropList::TPropList;
    int Changes = 0;
    void InstanceChanged() override { ++Changes; }
};

class ProplistCoreTest : public QObject {
    Q_OBJECT
private slots:
    // The rules of the default test beyond those every item kind shows (see the item tests).
    void defaultTestPerKind_data()
    {
        static const TDefaultRow rows[] = {
            {"integer equal to its default", "Width", [](TProbe &) {}, true},
            {"integer off its default", "Width", [](TProbe &p) { p.setWidth(65); }, false},
            {"no default, stored", "Free", [](TProbe &p) { p.setFree(0); }, false},
            {"no default, not stored by method", "Free", [](TProbe &p) { p.setFree(7); }, true},
            {"no default, never stored", "Hidden", [](TProbe &p) { p.setHidden(9); }, true},
            {"read-only equal to default", "Rows", [](TProbe &) {}, true},
            {"read-only off a real default", "Rows", [](TProbe &p) { p.m_rows = 4; }, false},
            {"read-only without default", "Level", [](TProbe &) {}, true},
            {"string never stored", "Note", [](TProbe &p) { p.setNote("x"); }, true},
            {"read-only string with text", "Version", [](TProbe &p) { p.m_version = "1"; }, true},
            {"character", "Delimiter", [](TProbe &p) { p.setDelimiter('x'); }, true},
            {"float", "Ratio", [](TProbe &p) { p.setRatio(9); }, true},
            {"set as a whole", "Options", [](TProbe &p) { p.setOptions({}); }, true},
        };
        AddRows(rows);
    }

    void defaultTestPerKind()
    {
        QFETCH(TDefaultRow, row);
        TProbeFixture f;
        row.change(*f.probe);
        TPropItem *item = f.load([&](TPropList &l) { l.AddNoneProp(row.path, f.controls.group); });
        item->InitEditControl();
        QCOMPARE(item->IsDefault(), row.isDefault);
    }

    void mainHintsAndLabelHints()
    {
        TProbeFixture f;
        f.controls.label->SetFocusControl(f.controls.edit);
        f.load([&](TPropList &l) { l.AddTextProp(u"Caption"_s, f.controls.edit); });
        QCOMPARE(ControlHint(f.controls.edit), u" property Caption: string"_s);
        QCOMPARE(ControlHint(f.controls.label), u" property Caption: string"_s);

        f.load([&](TPropList &l) { l.AddNoneProp(u"Rows"_s, f.controls.group); });
        QCOMPARE(ControlHint(f.controls.group), u" property Rows: Integer (ReadOnly)"_s);

        // The edit hint goes to the control only, not to its label.
        f.controls.label->SetFocusControl(f.controls.colors);
        f.load([&](TPropList &l) { l.AddBackColorProp(u"Font.Color"_s, f.controls.colors); });
        QCOMPARE(ControlHint(f.controls.colors),
                 u" property Font.Color: TColor   (Click right mouse button to select "
                 "Custom, Default or None color)"_s);
        QCOMPARE(ControlHint(f.controls.label), u" property Font.Color: TColor"_s);

        // A label under another parent names nothing here.
        QWidget other;
        TLabel far(u"Far"_s, &other);
        far.SetFocusControl(f.controls.memo);
        f.load([&](TPropList &l) { l.AddMemoProp(u"Lines"_s, f.controls.memo); });
        QCOMPARE(ControlHint(f.controls.memo), u" property Lines: TStrings"_s);
        QVERIFY(ControlHint(&far).isEmpty());
    }

    // Enabling and visibility reach the control, its label and its direct children (a value
    // item's spinner too); with all enabled, disabling enables them. The page's rules run again
    // at every reload after a change.
    void enablingReachesLabelsAndChildren()
    {
        TProbeFixture f;
        auto list = TPropList::Create<TRuleList>(f.window.get(), f.probe.get());
        f.designer.OnModified = [&] { list->LoadPropList(); };
        auto *spinLabel = new TLabel(u"Spin"_s, f.controls.page.get());
        spinLabel->SetFocusControl(f.controls.valueEdit);
        f.controls.label->SetFocusControl(f.controls.group);
        list->AddBoolProp(u"Active"_s, f.controls.check);
        list->AddNoneProp(u"Font"_s, f.controls.group);
        list->AddValueProp(u"Spin"_s, f.controls.valueEdit, 0, 10);
        list->LoadPropList();
        QList<QWidget *> reached{f.controls.group, f.controls.label, f.controls.valueEdit,
                                 spinLabel, f.controls.spin};
        reached += ChildControls(f.controls.group);
        QCOMPARE(reached.size(), 7);
        QVERIFY(ChildControls(f.controls.combo).isEmpty()); // a combo box's edit is its own
        for (QWidget *control : reached)
            QVERIFY(ControlEnabled(control));
        f.controls.check->click(); // Active off: the rule disables the other two
        for (QWidget *control : reached)
            QVERIFY2(!ControlEnabled(control), qPrintable(control->metaObject()->className()));
        QVERIFY(ControlEnabled(f.controls.check));
        list->AllEnabled = true;
        list->LoadPropList();
        for (QWidget *control : reached)
            QVERIFY(ControlEnabled(control));
        list->Items(1)->SetVisible(false);
        list->Items(2)->SetVisible(false);
        for (QWidget *control : reached)
            QVERIFY(!ControlVisible(control));
    }

    void nilObjectOnPathIsNotFollowed()
    {
        TProbeFixture f;
        QString path = u"Inner.Font.Name"_s;
        QCOMPARE(f.list->PropInstance(path), nullptr);
        QCOMPARE(path, u"Name"_s); // still reduced to the last name

        f.controls.edit->SetText(u"stale"_s);
        TPropItem *item =
            f.load([&](TPropList &l) { l.AddTextProp(u"Inner.Caption"_s, f.controls.edit); });
        QVERIFY(!item->HasPropInstance());
        QVERIFY(item->ReadOnly());
        QVERIFY(item->IsDefault());
        QCOMPARE(f.controls.edit->Text(), QString()); // shows nothing
        f.controls.edit->SetText(u"typed"_s);
        QTest::keyClick(f.controls.edit, Qt::Key_Return); // writes nothing, raises nothing
        QVERIFY(f.dialogs.Errors.isEmpty());
    }

    void changeWithoutWindowTellsNobody()
    {
        TProbeFixture f;
        auto orphan = TPropList::Create<TPropList>(nullptr, f.probe.get());
        orphan->AddBoolProp(u"Flat"_s, f.controls.check2);
        orphan->LoadPropList();
        f.controls.check2->click();
        QVERIFY(f.probe->Flat());
        QCOMPARE(f.designer.modified, 0);
        // A control without a published font is left alone.
        QWidget plain(f.controls.page.get());
        orphan->AddNoneProp(u"Width"_s, &plain);
        orphan->Items(1)->SetDefault(false);
        QVERIFY(!plain.font().bold());
    }

    void invisibleItemsAreNotLoaded()
    {
        TProbeFixture f;
        f.probe->setCaption(u"value"_s);
        f.controls.edit->hide();
        f.load([&](TPropList &l) { l.AddTextProp(u"Caption"_s, f.controls.edit); });
        QVERIFY(f.controls.edit->Text().isEmpty());
        QVERIFY(ControlHint(f.controls.edit).isEmpty());
        f.controls.edit->show();
        f.list->LoadPropList();
        QCOMPARE(f.controls.edit->Text(), u"value"_s);
    }

    // The list tree: lists are found depth-first by their control, the active list is the first
    // visible one and stays chosen and gives the selected object, a deleted
    // object leaves every list that shows it, and only the root's "all enabled" counts.
    void listTree()
    {
        TProbe probe, other;
        QWidget host;
        const auto add = [&](TPropList *Parent, QObject *Instance) {
            return Parent->AddPropList(TPropList::Create<TPropList>(nullptr, Instance),
                                       new QWidget(&host));
        };
        auto root = TPropList::Create<TPropList>(nullptr, &probe);
        TPropList *a = add(root.get(), &probe), *b = add(root.get(), &other);
        TPropList *a1 = add(a, &probe);
        QCOMPARE(root->FindList(a1->ListControl()), a1);
        QCOMPARE(root->FindList(&host), nullptr);
        a->ListControl()->hide();
        QCOMPARE(root->GetActiveList(), b);
        a->ListControl()->show();
        QCOMPARE(root->GetActiveList(), b);
        QCOMPARE(root->SelectedItem(), &other); // what the active list selects
        TProbePage page;
        a1->AddBoolProp(u"Active"_s, page.check);
        root->AllEnabled = true;
        QVERIFY(a1->Items(0)->AllEnabled());
        root->ItemDeleted(&probe);
        QCOMPARE(root->Instance(), nullptr);
        QCOMPARE(a1->Instance(), nullptr);
        QCOMPARE(b->Instance(), &other);
    }

    void newObjectAtADeadInstancesAddressIsNew()
    {
        // Two objects one after the other in the same storage: the second is a new instance even
        // though it has the first one's address.
        alignas(TProbe) unsigned char storage[sizeof(TProbe)];
        auto *first = new (storage) TProbe;
        auto list = TPropList::Create<TCountingList>(nullptr, first);
        list->SetInstance(first);
        QCOMPARE(list->Changes, 0);
        first->~TProbe();
        QCOMPARE(list->Instance(), nullptr);
        auto *second = new (storage) TProbe;
        QCOMPARE(static_cast<void *>(second), static_cast<void *>(first));
        list->SetInstance(second);
        QCOMPARE(list->Changes, 1);
        QCOMPARE(list->Instance(), second);
        list->SetInstance(second);
        QCOMPARE(list->Changes, 1);
        list.reset();
        second->~TProbe();
    }

    void factoriesRefuseMissingOrWrongControls()
    {
        const auto refused = [](void (*Add)(TPropList &, TProbePage &), const QString &Error) {
            TProbeFixture f;
            f.controls.edit->setObjectName(u"EditBox"_s);
            f.controls.check->setObjectName(u"ProbeCheck"_s);
            QCOMPARE(ErrorOf<EInvalidOperation>([&] { Add(*f.list, f.controls); }), Error);
            QCOMPARE(f.list->ItemCount(), 0);
        };
        refused([](TPropList &l, TProbePage &) { l.AddBoolProp("Active", nullptr); },
                "Cannot bind property Active: no control was given");
        refused([](TPropList &l, TProbePage &p) { l.AddBoolProp("Active", p.edit); },
                "Cannot bind property Active to control EditBox: it is a TEdit, not a TCheckBox");
        refused([](TPropList &l, TProbePage &p) { l.AddBackColorProp("Color", p.combo); },
                "Cannot bind property Color to control ProbeCombo: it is a TComboBox, not a "
                "TColorBox");
        refused([](TPropList &l, TProbePage &p) { l.AddValueProp("Spin", p.check, 0, 10); },
                "Cannot bind property Spin to control ProbeCheck: it is a TCheckBox, not a TEdit");
    }

    void pageThatIsNotCurrentStaysHidden()
    {
        TProbe probe;
        QTabWidget pages;
        auto *first = new QWidget;
        auto *second = new QWidget;
        pages.addTab(first, u"First"_s);
        pages.addTab(second, u"Second"_s);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        auto root = TPropList::Create<TPropList>(nullptr, &probe);
        TPropList *secondList =
            root->AddPropList(TPropList::Create<TPropList>(nullptr, &probe), second);
        TPropList *firstList =
            root->AddPropList(TPropList::Create<TPropList>(nullptr, &probe), first);

        // Loading the list of the page behind does not lay it over the current page.
        secondList->LoadPropList();
        QVERIFY(second->isHidden());
        QVERIFY(first->isVisible());
        firstList->LoadPropList();
        QVERIFY(first->isVisible());

        // Once it is the current page it shows as any other.
        pages.setCurrentWidget(second);
        secondList->LoadPropList();
        QVERIFY(second->isVisible());
        QVERIFY(first->isHidden());

        // Without instance the current page hides.
        secondList->SetInstance(nullptr);
        secondList->LoadPropList();
        QVERIFY(second->isHidden());
    }
};

QTEST_MAIN(ProplistCoreTest)
#include "moc_tst_proplist_fixture.cpp"
#include "tst_proplist_core.moc"

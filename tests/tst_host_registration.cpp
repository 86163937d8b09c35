// The registration record: order, module attribution and unloading, refused calls, the
// lookups of property and component editors, categories, and translated category names.

#include <QTest>
#include <QTranslator>

#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "persistent.h"
#include "published.h"
#include "registration.h"

class TRegTestBase : public QObject, public TComponent {
    Q_OBJECT
    KOR_STRING(Hint)
    KOR_STRING(Caption)
    KOR_COLOR(Color, clWindow)
    KOR_BOOLEAN(CheckBoxThemed, true)
    KOR_LINK(TRegTestBase, Buddy)
public:
    void Changed() {}
};

class TRegTestMiddle : public TRegTestBase {
    Q_OBJECT
};

class TRegTestLeaf : public TRegTestMiddle {
    Q_OBJECT
    KOR_LINK(TRegTestLeaf, Partner)
};

// Editor classes only need to be distinct classes.
class TEditorA : public QObject {
    Q_OBJECT
};
class TEditorB : public QObject {
    Q_OBJECT
};
class TEditorC : public QObject {
    Q_OBJECT
};
class TEditorD : public QObject {
    Q_OBJECT
};

using RegistrationCall = std::function<void()>;
Q_DECLARE_METATYPE(RegistrationCall)

namespace {

const QMetaObject *Base = &TRegTestBase::staticMetaObject;
const QMetaObject *Middle = &TRegTestMiddle::staticMetaObject;
const QMetaObject *Leaf = &TRegTestLeaf::staticMetaObject;
const QMetaObject *EdA = &TEditorA::staticMetaObject;
const QMetaObject *EdB = &TEditorB::staticMetaObject;
const QMetaObject *EdC = &TEditorC::staticMetaObject;
const QMetaObject *EdD = &TEditorD::staticMetaObject;
const TPropertyType String = TPropertyType::Named("string");

// The editor the host would use for a property of an object.
const QMetaObject *editorFor(const QObject &instance, const char *property)
{
    return GetPropertyEditorClass(GetPropInfo(&instance, QString::fromLatin1(property)),
                                  instance.metaObject());
}

class TGermanHost : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) != "DesignHost")
            return {};
        if (QByteArray(source) == "Database")
            return QStringLiteral("Datenbank");
        if (QByteArray(source) == "Visual")
            return QStringLiteral("Darstellung");
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestHostRegistration : public QObject {
    Q_OBJECT
private slots:
    void init();
    void recordsInOrderPerModule();
    void refusedCallsStopTheRegisterProcedure();
    void propertyEditorNameBeatsType();
    void propertyEditorNearerComponentClassWins();
    void propertyEditorNearerPropertyClassWins();
    void propertyEditorLatestAmongEquals();
    void componentEditorNearestAncestor();
    void categoriesAndPalette();
    void categoryNamesFollowInstalledTranslator();
    void propertiesTheClassLacksAreReported_data();
    void propertiesTheClassLacksAreReported();
};

void TestHostRegistration::init()
{
    for (const TRegistration &r : Registrations())
        UnregisterModule(r.Module);
    SetRegisteringModule({});
    QVERIFY(Registrations().isEmpty());
}

void TestHostRegistration::recordsInOrderPerModule()
{
    SetRegisteringModule("PackA");
    RegisterComponents("Data Controls", {Base, Middle});
    RegisterComponentEditor(Base, EdA);
    SetRegisteringModule("PackB");
    RegisterPropertyEditor(String, Leaf, "Hint", EdB);
    RegisterPropertiesInCategory("Image", Leaf, {"Hint", "Color"});
    ForceDemandLoadState(1);
    SetRegisteringModule("PackA");
    RegisterComponents("Data Controls", {Leaf});

    const QList<TRegistration> all = Registrations();
    QCOMPARE(all.size(), 6);
    const QList<TRegistration::Kind> kinds{
        TRegistration::Components,      TRegistration::ComponentEditor,
        TRegistration::PropertyEditor,  TRegistration::PropertiesInCategory,
        TRegistration::DemandLoadState, TRegistration::Components};
    const QStringList modules{"PackA", "PackA", "PackB", "PackB", "PackB", "PackA"};
    for (int i = 0; i < all.size(); ++i) {
        QCOMPARE(all[i].kind, kinds[i]);
        QCOMPARE(all[i].Module, modules[i]);
    }
    QCOMPARE(all[2].PropertyType, String);
    QCOMPARE(all[2].PropertyName, QStringLiteral("Hint"));
    QCOMPARE(all[3].PropertyNames, (QStringList{"Hint", "Color"}));
    QCOMPARE(all[4].State, 1);
    QCOMPARE(GetPaletteClasses("Data Controls"), (QList<TComponentClass>{Base, Middle, Leaf}));

    UnregisterModule("PackA");
    QCOMPARE(Registrations().size(), 3);
    for (const TRegistration &r : Registrations())
        QCOMPARE(r.Module, QStringLiteral("PackB"));
    QVERIFY(GetPaletteClasses("Data Controls").isEmpty());
    QCOMPARE(GetComponentEditorClass(Base), nullptr);
    TRegTestLeaf leaf;
    QCOMPARE(editorFor(leaf, "Hint"), EdB);
}

void TestHostRegistration::refusedCallsStopTheRegisterProcedure()
{
    int reached = 0;
    const auto Register = [&] {
        RegisterComponents("Data Controls", {Base});
        ++reached;
        RegisterComponentEditor(nullptr, EdA); // a class the package failed to provide
        ++reached;
        RegisterComponents("Data Controls", {Leaf});
    };
    QVERIFY_THROWS_EXCEPTION(EInvalidOperation, Register());
    QCOMPARE(reached, 1);
    QCOMPARE(Registrations().size(), 1);

    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterComponents("", {Base}));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterComponents("Page", {Base, nullptr}));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterComponentEditor(Base, nullptr));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterPropertyEditor(String, Base, "Hint", nullptr));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterPropertyEditor({}, Base, "Hint", EdA));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterPropertiesInCategory("", Base, {"Hint"}));
    QVERIFY_THROWS_EXCEPTION(EHostError, RegisterPropertiesInCategory("Image", nullptr, {"Hint"}));
    QCOMPARE(Registrations().size(), 1); // refused calls record nothing
}

void TestHostRegistration::propertyEditorNameBeatsType()
{
    RegisterPropertyEditor(String, Base, "Hint", EdA); // named, farther class
    RegisterPropertyEditor(String, Leaf, {}, EdB);     // any string of the nearest class
    RegisterPropertyEditor(String, nullptr, {}, EdC);  // any string of any class
    TRegTestLeaf leaf;
    QCOMPARE(editorFor(leaf, "Hint"), EdA);
    QCOMPARE(editorFor(leaf, "Caption"), EdB);
    TRegTestBase base;
    QCOMPARE(editorFor(base, "Caption"), EdC);
    // Type names must match: a colour is not a string, and nothing is registered for it.
    QCOMPARE(editorFor(base, "Color"), nullptr);
    RegisterPropertyEditor(TPropertyType::Named("TColor"), Base, "Color", EdD);
    QCOMPARE(editorFor(leaf, "Color"), EdD);
    QCOMPARE(GetPropertyEditorClass(nullptr, Leaf), nullptr);
}

void TestHostRegistration::propertyEditorNearerComponentClassWins()
{
    RegisterPropertyEditor(String, Middle, "Hint", EdB);
    RegisterPropertyEditor(String, Base, "Hint", EdA); // later, but farther from a leaf
    TRegTestLeaf leaf;
    TRegTestMiddle middle;
    TRegTestBase base;
    QCOMPARE(editorFor(leaf, "Hint"), EdB);
    QCOMPARE(editorFor(middle, "Hint"), EdB);
    QCOMPARE(editorFor(base, "Hint"), EdA);
    // A registration for a class the component does not descend from never applies.
    RegisterPropertyEditor(String, Leaf, "Caption", EdC);
    QCOMPARE(editorFor(middle, "Caption"), nullptr);
}

void TestHostRegistration::propertyEditorNearerPropertyClassWins()
{
    RegisterPropertyEditor(TPropertyType::OfClass(Leaf), nullptr, {}, EdB);
    RegisterPropertyEditor(TPropertyType::OfClass(Base), nullptr, {}, EdA);
    TRegTestLeaf leaf;
    // Partner is declared as a TRegTestLeaf, Buddy as a TRegTestBase.
    QCOMPARE(editorFor(leaf, "Partner"), EdB);
    QCOMPARE(editorFor(leaf, "Buddy"), EdA);
    // A class registration matches descendants, never a string property.
    RegisterPropertyEditor(TPropertyType::OfClass(&QObject::staticMetaObject), nullptr, {}, EdC);
    QCOMPARE(editorFor(leaf, "Partner"), EdB);
    QCOMPARE(editorFor(leaf, "Hint"), nullptr);
}

void TestHostRegistration::propertyEditorLatestAmongEquals()
{
    SetRegisteringModule("First");
    RegisterPropertyEditor(String, Base, "Hint", EdA);
    SetRegisteringModule("Second");
    RegisterPropertyEditor(String, Base, "hint", EdB);
    TRegTestBase base;
    QCOMPARE(editorFor(base, "Hint"), EdB);
    UnregisterModule("Second");
    QCOMPARE(editorFor(base, "Hint"), EdA);
}

void TestHostRegistration::componentEditorNearestAncestor()
{
    RegisterComponentEditor(Middle, EdB);
    RegisterComponentEditor(Base, EdA);
    QCOMPARE(GetComponentEditorClass(Leaf), EdB);
    QCOMPARE(GetComponentEditorClass(Middle), EdB);
    QCOMPARE(GetComponentEditorClass(Base), EdA);
    QCOMPARE(GetComponentEditorClass(&QObject::staticMetaObject), nullptr);
    RegisterComponentEditor(Middle, EdC);
    QCOMPARE(GetComponentEditorClass(Leaf), EdC);
}

void TestHostRegistration::categoriesAndPalette()
{
    RegisterPropertiesInCategory("Image", Base, {"CheckBoxThemed", "Hint"});
    RegisterPropertiesInCategory("Visual", Leaf, {"CheckBoxThemed"});
    RegisterPropertiesInCategory("KorDBGrid", Base, {"Caption", "CheckBoxThemed"});
    RegisterPropertiesInCategory("Image", Base, {"CheckBoxThemed"});
    QCOMPARE(GetPropertyCategories(Leaf, "CheckBoxThemed"),
             (QStringList{"Image", "Visual", "KorDBGrid"}));
    QCOMPARE(GetPropertyCategories(Base, "CheckBoxThemed"), (QStringList{"Image", "KorDBGrid"}));
    QCOMPARE(GetPropertyCategories(Base, "Color"), QStringList{});

    RegisterComponents("Data Controls", {Base});
    RegisterComponents("Samples", {Middle});
    RegisterComponents("Data Controls", {Leaf});
    QCOMPARE(GetPalettePages(), (QStringList{"Data Controls", "Samples"}));
    QCOMPARE(GetPaletteClasses("Data Controls"), (QList<TComponentClass>{Base, Leaf}));
}

void TestHostRegistration::categoryNamesFollowInstalledTranslator()
{
    using Getter = QString (*)();
    const QList<QPair<Getter, QString>> english{
        {sActionCategoryName, "Action"},
        {sDatabaseCategoryName, "Database"},
        {sDragNDropCategoryName, "Drag, Drop and Docking"},
        {sHelpCategoryName, "Help and Hints"},
        {sInputCategoryName, "Input"},
        {sLayoutCategoryName, "Layout"},
        {sLegacyCategoryName, "Legacy"},
        {sLinkageCategoryName, "Linkage"},
        {sLocaleCategoryName, "Locale"},
        {sLocalizableCategoryName, "Localizable"},
        {sMiscellaneousCategoryName, "Miscellaneous"},
        {sVisualCategoryName, "Visual"},
    };
    for (const auto &[getter, name] : english)
        QCOMPARE(getter(), name);

    TGermanHost german;
    QVERIFY(QCoreApplication::installTranslator(&german));
    QCOMPARE(sDatabaseCategoryName(), QStringLiteral("Datenbank"));
    QCOMPARE(sVisualCategoryName(), QStringLiteral("Darstellung"));
    QCOMPARE(sLayoutCategoryName(), QStringLiteral("Layout")); // untranslated stays English
    // A registration made now keeps the name of the moment.
    RegisterPropertiesInCategory(sDatabaseCategoryName(), Base, {"Hint"});
    QCoreApplication::removeTranslator(&german);
    QCOMPARE(sDatabaseCategoryName(), QStringLiteral("Database"));
    QCOMPARE(GetPropertyCategories(Base, "Hint"), QStringList{"Datenbank"});
}

void TestHostRegistration::propertiesTheClassLacksAreReported_data()
{
    QTest::addColumn<RegistrationCall>("call");
    QTest::addColumn<QStringList>("reported"); // a text each report contains
    const TPropertyType Color = TPropertyType::Named("TColor");
    QTest::addRow("editor, published property")
        << RegistrationCall([] { RegisterPropertyEditor(String, Leaf, "caption", EdA); })
        << QStringList{};
    QTest::addRow("editor, any property of any class")
        << RegistrationCall([] { RegisterPropertyEditor(String, nullptr, {}, EdA); })
        << QStringList{};
    QTest::addRow("editor, no such property")
        << RegistrationCall([] { RegisterPropertyEditor(String, Base, "Hnt", EdA); })
        << QStringList{"TRegTestBase has no published property Hnt"};
    QTest::addRow("editor, property of a descendant only")
        << RegistrationCall([] { RegisterPropertyEditor(String, Base, "Partner", EdA); })
        << QStringList{"TRegTestBase has no published property Partner"};
    QTest::addRow("editor, type the property is not of")
        << RegistrationCall([=] { RegisterPropertyEditor(Color, Base, "Hint", EdA); })
        << QStringList{"is of type string, not TColor"};
    QTest::addRow("editor, class the property is not of") << RegistrationCall([] {
        RegisterPropertyEditor(TPropertyType::OfClass(Leaf), Leaf, "Buddy", EdA);
    }) << QStringList{"is of type TRegTestBase, not TRegTestLeaf"};
    QTest::addRow("category, every property published") << RegistrationCall([] {
        RegisterPropertiesInCategory("Image", Leaf, {"hint", "Partner", "Color"});
    }) << QStringList{};
    QTest::addRow("category, two missing") << RegistrationCall([] {
        RegisterPropertiesInCategory("Image", Base, {"Colour", "Hint", "OnShow"});
    }) << QStringList{"property Colour", "property OnShow"};
}

// A registration naming a property its class does not publish is reported as it is made, and
// neither raises nor stops the registrations after it.
void TestHostRegistration::propertiesTheClassLacksAreReported()
{
    QFETCH(RegistrationCall, call);
    QFETCH(QStringList, reported);
    TScriptedDialogs messages;
    const THostDialogsScope messagesScope(messages);
    call();
    QCOMPARE(messages.Errors.size(), reported.size());
    for (int i = 0; i < reported.size(); ++i)
        QVERIFY2(messages.Errors[i].contains(reported[i]), qPrintable(messages.Errors[i]));
    QCOMPARE(Registrations().size(), 1);
}

QTEST_GUILESS_MAIN(TestHostRegistration)
#include "tst_host_registration.moc"

// The registration record: order, module attribution and unloading, refused calls, the
// lookups of property and component editors, categories, and translated category names.

#include <QTest>
#include <QtCore>

#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "persistent.h"
#include "published.h"
#include "registration.h"

using namespace Qt::StringLiterals;

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

using RegistrationCall = std::function<void()>;

namespace {

const QMetaObject *Base = &TRegTestBase::staticMetaObject;
const QMetaObject *Middle = &TRegTestMiddle::staticMetaObject;
const QMetaObject *Leaf = &TRegTestLeaf::staticMetaObject;
// Editor classes only need to be distinct classes.
const QMetaObject *EdA = &QTimer::staticMetaObject;
const QMetaObject *EdB = &QEventLoop::staticMetaObject;
const QMetaObject *EdC = &QTranslator::staticMetaObject;
const QMetaObject *EdD = &QSignalMapper::staticMetaObject;
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
        const QHash<QByteArray, QString> names{{"Database", "Datenbank"},
                                               {"Visual", "Darstellung"}};
        return QByteArray(context) == "DesignHost" ? names.value(source) : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestHostRegistration : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        for (const TRegistration &r : Registrations())
            UnregisterModule(r.Module);
        SetRegisteringModule({});
        QVERIFY(Registrations().isEmpty());
    }

    // Calls are recorded in order under the module making them; a module's unloading takes its
    // calls, and only them, away.
    void recordsInOrderPerModule()
    {
        SetRegisteringModule("PackA");
        RegisterComponents("Data Controls", {Base, Middle});
        RegisterComponentEditor(Base, EdA);
        SetRegisteringModule("PackB");
        RegisterPropertyEditor(String, Leaf, "Hint", EdB);
        ForceDemandLoadState(1);
        SetRegisteringModule("PackA");
        RegisterComponents("Data Controls", {Leaf});
        QList<std::pair<QString, int>> record;
        for (const TRegistration &r : Registrations())
            record.append({r.Module, r.kind});
        using R = TRegistration;
        QCOMPARE(record, (QList<std::pair<QString, int>>{{"PackA", R::Components},
                                                         {"PackA", R::ComponentEditor},
                                                         {"PackB", R::PropertyEditor},
                                                         {"PackB", R::DemandLoadState},
                                                         {"PackA", R::Components}}));
        QCOMPARE(GetPaletteClasses("Data Controls"), (QList<TComponentClass>{Base, Middle, Leaf}));

        UnregisterModule("PackA");
        QCOMPARE(Registrations().size(), 2);
        QVERIFY(GetPaletteClasses("Data Controls").isEmpty());
        QCOMPARE(GetComponentEditorClass(Base), nullptr);
        TRegTestLeaf leaf;
        QCOMPARE(editorFor(leaf, "Hint"), EdB);
    }

    void refusedCallsStopTheRegisterProcedure()
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
        QVERIFY_THROWS_EXCEPTION(EHostError,
                                 RegisterPropertiesInCategory("Image", nullptr, {"Hint"}));
        QCOMPARE(Registrations().size(), 1); // refused calls record nothing
    }

    // Which registered editor the host picks for a property: per rule, the registrations made and
    // the editor expected for properties of each class.
    void propertyEditorChoice()
    {
        const TRegTestBase base;
        const TRegTestMiddle middle;
        const TRegTestLeaf leaf;
        const auto Class = [](const QMetaObject *c) { return TPropertyType::OfClass(c); };
        using Check = std::tuple<const QObject *, const char *, const QMetaObject *>;
        const struct {
            const char *rule;
            RegistrationCall registrations;
            QList<Check> checks;
        } rows[] = {
            {"a named property beats any property of a nearer class",
             [] {
                 RegisterPropertyEditor(String, Base, "Hint", EdA);
                 RegisterPropertyEditor(String, Leaf, {}, EdB);
                 RegisterPropertyEditor(String, nullptr, {}, EdC);
             },
             {{&leaf, "Hint", EdA},
              {&leaf, "Caption", EdB},
              {&base, "Caption", EdC},
              {&base, "Color", nullptr}}},
            {"type names must match",
             [] { RegisterPropertyEditor(TPropertyType::Named("TColor"), Base, "Color", EdD); },
             {{&leaf, "Color", EdD}, {&leaf, "Hint", nullptr}}},
            {"the nearer component class wins over a later registration",
             [] {
                 RegisterPropertyEditor(String, Middle, "Hint", EdB);
                 RegisterPropertyEditor(String, Base, "Hint", EdA);
                 RegisterPropertyEditor(String, Leaf, "Caption", EdC);
             },
             {{&leaf, "Hint", EdB},
              {&middle, "Hint", EdB},
              {&base, "Hint", EdA},
              {&middle, "Caption", nullptr}}},
            {"the nearer property class wins; a class never matches a string",
             [=] {
                 RegisterPropertyEditor(Class(Leaf), nullptr, {}, EdB);
                 RegisterPropertyEditor(Class(Base), nullptr, {}, EdA);
                 RegisterPropertyEditor(Class(&QObject::staticMetaObject), nullptr, {}, EdC);
             },
             {{&leaf, "Partner", EdB}, {&leaf, "Buddy", EdA}, {&leaf, "Hint", nullptr}}},
            {"the latest among equals, until its module goes",
             [] {
                 SetRegisteringModule("First");
                 RegisterPropertyEditor(String, Base, "Hint", EdA);
                 SetRegisteringModule("Second");
                 RegisterPropertyEditor(String, Base, "hint", EdB);
             },
             {{&base, "Hint", EdB}}}};
        for (const auto &row : rows) {
            init();
            row.registrations();
            for (const auto &[instance, property, editor] : row.checks)
                QVERIFY(editorFor(*instance, property) == editor);
        }
        UnregisterModule("Second");
        QCOMPARE(editorFor(base, "Hint"), EdA);
        QCOMPARE(GetPropertyEditorClass(nullptr, Leaf), nullptr);
    }

    void componentEditorNearestAncestor()
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

    void categoriesAndPalette()
    {
        RegisterPropertiesInCategory("Image", Base, {"CheckBoxThemed", "Hint"});
        RegisterPropertiesInCategory("Visual", Leaf, {"CheckBoxThemed"});
        RegisterPropertiesInCategory("KorDBGrid", Base, {"Caption", "CheckBoxThemed"});
        RegisterPropertiesInCategory("Image", Base, {"CheckBoxThemed"});
        QCOMPARE(GetPropertyCategories(Leaf, "CheckBoxThemed"),
                 (QStringList{"Image", "Visual", "KorDBGrid"}));
        QCOMPARE(GetPropertyCategories(Base, "CheckBoxThemed"),
                 (QStringList{"Image", "KorDBGrid"}));
        QCOMPARE(GetPropertyCategories(Base, "Color"), QStringList{});

        RegisterComponents("Samples", {Middle});
        QCOMPARE(GetPalettePages(), QStringList{"Samples"});
    }

    void categoryNamesFollowInstalledTranslator()
    {
        QCOMPARE(sDatabaseCategoryName(), u"Database"_s);
        TGermanHost german;
        QVERIFY(QCoreApplication::installTranslator(&german));
        QCOMPARE(sDatabaseCategoryName(), u"Datenbank"_s);
        QCOMPARE(sVisualCategoryName(), u"Darstellung"_s);
        QCOMPARE(sLayoutCategoryName(), u"Layout"_s); // untranslated stays English
        // A registration made now keeps the name of the moment.
        RegisterPropertiesInCategory(sDatabaseCategoryName(), Base, {"Hint"});
        QCoreApplication::removeTranslator(&german);
        QCOMPARE(sDatabaseCategoryName(), u"Database"_s);
        QCOMPARE(GetPropertyCategories(Base, "Hint"), QStringList{"Datenbank"});
    }

    // A registration naming a property its class does not publish, or not of the registered
    // type, is reported as it is made, and neither raises nor stops the registrations after it.
    void propertiesTheClassLacksAreReported()
    {
        const TPropertyType Color = TPropertyType::Named("TColor");
        const struct {
            RegistrationCall call;
            QStringList reported; // a text each report contains
        } rows[] = {
            {[] { RegisterPropertyEditor(String, Leaf, "caption", EdA); }, {}},
            {[] { RegisterPropertyEditor(String, nullptr, {}, EdA); }, {}},
            {[] { RegisterPropertyEditor(String, Base, "Hnt", EdA); },
             {"TRegTestBase has no published property Hnt"}},
            {[] { RegisterPropertyEditor(String, Base, "Partner", EdA); },
             {"TRegTestBase has no published property Partner"}},
            {[=] { RegisterPropertyEditor(Color, Base, "Hint", EdA); },
             {"is of type string, not TColor"}},
            {[] { RegisterPropertyEditor(TPropertyType::OfClass(Leaf), Leaf, "Buddy", EdA); },
             {"is of type TRegTestBase, not TRegTestLeaf"}},
            {[] {
                 RegisterPropertiesInCategory("Image", Leaf, {"hint", "Partner", "Color"});
             },
             {}},
            {[] {
                 RegisterPropertiesInCategory("Image", Base, {"Colour", "Hint", "OnShow"});
             },
             {"property Colour", "property OnShow"}}};
        for (const auto &row : rows) {
            init();
            TScriptedDialogs messages;
            const THostDialogsScope messagesScope(messages);
            row.call();
            QCOMPARE(messages.Errors.size(), row.reported.size());
            for (int i = 0; i < row.reported.size(); ++i)
                QVERIFY(messages.Errors[i].contains(row.reported[i]));
            QCOMPARE(Registrations().size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestHostRegistration)
#include "tst_host_registration.moc"

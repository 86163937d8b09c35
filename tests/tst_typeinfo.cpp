// Type information over published properties: kinds, type names, defaults, stored conditions,
// write access, and reading and writing every ordinal, string and object kind by name.

#include <QtTest>

#include "collection.h"
#include "font.h"
#include "hosterrors.h"
#include "persistent.h"
#include "published.h"
#include "stringlist.h"
#include "typinfo.h"

namespace Sample {
Q_NAMESPACE
enum TShape { shCircle, shSquare, shTriangle };
Q_ENUM_NS(TShape)
enum TOption { opFirst = 0x1, opSecond = 0x2, opThird = 0x4, opLast = 0x40000000 };
Q_DECLARE_FLAGS(TOptions, TOption)
Q_FLAG_NS(TOptions)
} // namespace Sample
Q_DECLARE_OPERATORS_FOR_FLAGS(Sample::TOptions)

class TSampleLink : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TSampleLink(TComponent *owner = nullptr) : TComponent(owner) {}
};

class TOtherLink : public QObject, public TComponent {
    Q_OBJECT
};

class TSample : public QObject, public TComponent {
    Q_OBJECT
    KOR_INTEGER(Width, 64)
    KOR_INTEGER(Free, NoDefault)
    KOR_BOOLEAN(Visible, true)
    KOR_COLOR(Color, clWindow)
    KOR_CURSOR(Cursor, crHandPoint)
    KOR_CHAR(Delimiter, ';')
    KOR_FLOAT(Ratio, 1.5)
    KOR_ENUM(Sample::TShape, Shape, Sample::shSquare)
    KOR_SET(Sample::TOptions, Options, (Sample::opFirst | Sample::opThird))
    KOR_STRING(Hint)
    KOR_TYPED_STRING(TFontName, FontName)
    KOR_OBJECT(TFont, Font)
    KOR_LINK(TSampleLink, Link)
    KOR_EVENT(TNotifyEvent, OnChange)
    KOR_STORED(Free, IsFreeStored)
    Q_PROPERTY(int Count READ Count)
    KOR_PUBLISHED(tkInteger, "Integer", Count, "3")
    Q_PROPERTY(int Refusing READ Refusing WRITE setRefusing)
    KOR_PUBLISHED(tkInteger, "Integer", Refusing, "0")
    Q_PROPERTY(int Unpublished READ Unpublished)

public:
    TSample() { m_Font = std::make_unique<TFont>(); }
    Q_INVOKABLE bool IsFreeStored() const { return m_Free != 7; }
    int Count() const { return 5; }
    int Unpublished() const { return 1; }
    int Refusing() const { return m_refusing; }
    void setRefusing(int value)
    {
        if (value < 0)
            throw EConvertError(QStringLiteral("%1 is not a valid count").arg(value));
        m_refusing = value;
    }
    int changes = 0;

private:
    void Changed() { ++changes; }
    int m_refusing = 0;
};

class TypeInfoTest : public QObject {
    Q_OBJECT
private slots:
    void kindsAndTypeNames_data();
    void kindsAndTypeNames();
    void recordedDefaults();
    void storedConditionAndWriteAccess();
    void ordinalsRoundTrip();
    void enumerationsByIdentifier();
    void setElementNames();
    void stringsAndCharacters();
    void objectProperties();
    void componentNameIsPublished();
    void errorsAreHostExceptions();
};

void TypeInfoTest::kindsAndTypeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typeName");
    const auto row = [](const char *name, TTypeKind kind, const char *type) {
        QTest::newRow(name) << QString::fromLatin1(name) << int(kind) << QString::fromLatin1(type);
    };
    row("Width", TTypeKind::tkInteger, "Integer");
    row("Visible", TTypeKind::tkEnumeration, "Boolean");
    row("Color", TTypeKind::tkInteger, "TColor");
    row("Cursor", TTypeKind::tkInteger, "TCursor");
    row("Delimiter", TTypeKind::tkChar, "Char");
    row("Ratio", TTypeKind::tkFloat, "Double");
    row("Shape", TTypeKind::tkEnumeration, "TShape");
    row("Options", TTypeKind::tkSet, "TOptions");
    row("Hint", TTypeKind::tkLString, "string");
    row("FontName", TTypeKind::tkLString, "TFontName");
    row("Font", TTypeKind::tkClass, "TFont");
    row("Link", TTypeKind::tkClass, "TSampleLink");
    row("OnChange", TTypeKind::tkMethod, "TNotifyEvent");
}

void TypeInfoTest::kindsAndTypeNames()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QString, typeName);
    TSample sample;
    PPropInfo info = GetPropInfo(&sample, name.toLower()); // names match without case
    QVERIFY(info);
    QCOMPARE(info->Name, name);
    QCOMPARE(int(info->Kind), kind);
    QCOMPARE(info->TypeName, typeName);
}

void TypeInfoTest::recordedDefaults()
{
    TSample sample;
    const auto defaultOf = [&](const char *name) {
        return GetPropInfo(&sample, QString::fromLatin1(name))->Default;
    };
    QCOMPARE(defaultOf("Width"), 64);
    QCOMPARE(defaultOf("Free"), NoDefault);
    QCOMPARE(defaultOf("Visible"), 1);
    QCOMPARE(defaultOf("Color"), clWindow);
    QCOMPARE(defaultOf("Cursor"), crHandPoint);
    QCOMPARE(defaultOf("Delimiter"), int(';'));
    QCOMPARE(defaultOf("Shape"), int(Sample::shSquare));
    QCOMPARE(defaultOf("Options"), int(Sample::opFirst | Sample::opThird));
    QCOMPARE(defaultOf("Hint"), NoDefault);
    QCOMPARE(defaultOf("Font"), NoDefault);
    QCOMPARE(defaultOf("Count"), 3);
    // The recorded default is what a fresh object holds, where the class says so.
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Options")), defaultOf("Options"));
}

void TypeInfoTest::storedConditionAndWriteAccess()
{
    TSample sample;
    QVERIFY(IsStoredProp(&sample, QStringLiteral("Free")));
    sample.setFree(7);
    QVERIFY(!IsStoredProp(&sample, QStringLiteral("Free")));
    QVERIFY(IsStoredProp(&sample, QStringLiteral("Width")));

    QVERIFY(!GetPropInfo(&sample, QStringLiteral("Count"))->HasWrite());
    QVERIFY(GetPropInfo(&sample, QStringLiteral("Width"))->HasWrite());
    QVERIFY_THROWS_EXCEPTION(EPropertyError, SetOrdProp(&sample, QStringLiteral("Count"), 1));
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Count")), 5);
    // A Q_PROPERTY without host metadata is seen by Qt only.
    QVERIFY(!GetPropInfo(&sample, QStringLiteral("Unpublished")));
    QVERIFY(sample.property("Unpublished").isValid());
}

void TypeInfoTest::ordinalsRoundTrip()
{
    TSample sample;
    SetOrdProp(&sample, QStringLiteral("Width"), -12);
    QCOMPARE(sample.Width(), -12);
    SetOrdProp(&sample, QStringLiteral("Color"), clNone);
    QCOMPARE(sample.Color(), clNone);
    SetOrdProp(&sample, QStringLiteral("Color"), clBtnFace);
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Color")), clBtnFace);
    SetOrdProp(&sample, QStringLiteral("Visible"), 0);
    QCOMPARE(sample.Visible(), false);
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Visible")), 0);
    SetOrdProp(&sample, QStringLiteral("Shape"), 2);
    QCOMPARE(sample.Shape(), Sample::shTriangle);
    SetOrdProp(&sample, QStringLiteral("Options"), int(Sample::opSecond | Sample::opLast));
    QCOMPARE(sample.Options(), Sample::opSecond | Sample::opLast);
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Options")),
             int(Sample::opSecond | Sample::opLast));
    // Setters report a change only when the value differs.
    const int changes = sample.changes;
    SetOrdProp(&sample, QStringLiteral("Width"), -12);
    QCOMPARE(sample.changes, changes);
}

void TypeInfoTest::enumerationsByIdentifier()
{
    TSample sample;
    QCOMPARE(GetEnumProp(&sample, QStringLiteral("Shape")), QStringLiteral("shSquare"));
    SetEnumProp(&sample, QStringLiteral("Shape"), QStringLiteral("shcircle"));
    QCOMPARE(sample.Shape(), Sample::shCircle);
    QCOMPARE(GetEnumProp(&sample, QStringLiteral("Visible")), QStringLiteral("True"));
    SetEnumProp(&sample, QStringLiteral("Visible"), QStringLiteral("False"));
    QCOMPARE(sample.Visible(), false);
    QVERIFY_THROWS_EXCEPTION(
        EConvertError, SetEnumProp(&sample, QStringLiteral("Shape"), QStringLiteral("shOval")));
    QCOMPARE(sample.Shape(), Sample::shCircle);
    QVERIFY_THROWS_EXCEPTION(EPropertyError,
                             SetEnumProp(&sample, QStringLiteral("Width"), QStringLiteral("x")));
}

void TypeInfoTest::setElementNames()
{
    TSample sample;
    PPropInfo info = GetPropInfo(&sample, QStringLiteral("Options"));
    QCOMPARE(info->EnumName(0), QStringLiteral("opFirst"));
    QCOMPARE(info->EnumName(2), QStringLiteral("opThird"));
    QCOMPARE(info->EnumName(30), QStringLiteral("opLast"));
    QCOMPARE(info->EnumName(3), QString());
    QCOMPARE(info->EnumValue(QStringLiteral("opThird")), 2);
    QCOMPARE(info->EnumValue(QStringLiteral("opNone")), -1);
    PPropInfo shape = GetPropInfo(&sample, QStringLiteral("Shape"));
    QCOMPARE(shape->EnumCount(), 3);
    QCOMPARE(shape->EnumName(1), QStringLiteral("shSquare"));
}

void TypeInfoTest::stringsAndCharacters()
{
    TSample sample;
    SetStrProp(&sample, QStringLiteral("Hint"), QStringLiteral("two\nlines = ok"));
    QCOMPARE(GetStrProp(&sample, QStringLiteral("Hint")), QStringLiteral("two\nlines = ok"));
    QCOMPARE(GetStrProp(&sample, QStringLiteral("Delimiter")), QStringLiteral(";"));
    SetStrProp(&sample, QStringLiteral("Delimiter"), QStringLiteral("|x"));
    QCOMPARE(sample.Delimiter(), QChar(u'|'));
    QCOMPARE(GetOrdProp(&sample, QStringLiteral("Delimiter")), int('|'));
    SetFloatProp(&sample, QStringLiteral("Ratio"), 0.25);
    QCOMPARE(GetFloatProp(&sample, QStringLiteral("Ratio")), 0.25);
    QVERIFY_THROWS_EXCEPTION(EPropertyError, GetStrProp(&sample, QStringLiteral("Width")));
    SetMethodProp(&sample, QStringLiteral("OnChange"), TMethod{QStringLiteral("SampleChange")});
    QCOMPARE(GetMethodProp(&sample, QStringLiteral("OnChange")).Name,
             QStringLiteral("SampleChange"));
}

void TypeInfoTest::objectProperties()
{
    TSample sample;
    QCOMPARE(GetObjectPropClass(&sample, QStringLiteral("Font")), &TFont::staticMetaObject);
    QCOMPARE(GetObjectProp(&sample, QStringLiteral("Font")), sample.Font());
    QCOMPARE(GetObjectProp(&sample, QStringLiteral("Font"), &TStrings::staticMetaObject), nullptr);

    // Writing an owned sub-object assigns its contents; the object stays the same.
    TFont other;
    other.setName(QStringLiteral("Courier"));
    SetObjectProp(&sample, QStringLiteral("Font"), &other);
    QCOMPARE(sample.Font()->Name(), QStringLiteral("Courier"));
    QVERIFY(sample.Font() != &other);

    // A link refuses an object of the wrong class and forgets a destroyed target.
    auto link = std::make_unique<TSampleLink>();
    SetObjectProp(&sample, QStringLiteral("Link"), link.get());
    QCOMPARE(sample.Link(), link.get());
    TOtherLink wrong;
    QVERIFY_THROWS_EXCEPTION(EPropertyError,
                             SetObjectProp(&sample, QStringLiteral("Link"), &wrong));
    QCOMPARE(sample.Link(), link.get());
    link.reset();
    QCOMPARE(GetObjectProp(&sample, QStringLiteral("Link")), nullptr);
    SetObjectProp(&sample, QStringLiteral("Link"), nullptr);
}

void TypeInfoTest::componentNameIsPublished()
{
    TSample sample;
    auto *first = new TSampleLink(&sample);
    auto *second = new TSampleLink(&sample);
    SetStrProp(first, QStringLiteral("Name"), QStringLiteral("Link1"));
    QCOMPARE(first->Name(), QStringLiteral("Link1"));
    QCOMPARE(GetPropInfo(first, QStringLiteral("Name"))->TypeName,
             QStringLiteral("TComponentName"));
    QVERIFY_THROWS_EXCEPTION(EComponentError,
                             SetStrProp(second, QStringLiteral("Name"), QStringLiteral("link1")));
    QCOMPARE(second->Name(), QString());
    QCOMPARE(GetPropList(&sample).first()->Name, QStringLiteral("Name"));
}

void TypeInfoTest::errorsAreHostExceptions()
{
    TSample sample;
    QVERIFY(!GetPropInfo(&sample, QStringLiteral("Missing")));
    QVERIFY(!GetPropInfo(nullptr, QStringLiteral("Width")));
    QVERIFY_THROWS_EXCEPTION(EPropertyError, GetOrdProp(&sample, QStringLiteral("Missing")));
    QVERIFY_THROWS_EXCEPTION(EPropertyError, GetOrdProp(&sample, QStringLiteral("Hint")));
    try {
        SetOrdProp(&sample, QStringLiteral("Refusing"), -1);
        QFAIL("the setter's refusal must reach the caller");
    } catch (const EHostError &error) {
        QVERIFY(error.Message().contains(QStringLiteral("-1 is not a valid count")));
    }
    QCOMPARE(sample.Refusing(), 0);
}

QTEST_MAIN(TypeInfoTest)
#include "tst_typeinfo.moc"

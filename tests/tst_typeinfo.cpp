// Type information over published properties: kinds, type names, defaults, stored conditions,
// write access, and reading and writing every ordinal, string and object kind by name; object
// properties that refuse a wrong or circular link. And a sweep over every published class of the
// host and of the run-time package: every published property is checked against its C++ type,
// its recorded default against the value right after construction, and its stored condition
// against the class's methods. A class whose recorded kinds do not fit is refused.

#include <QSet>
#include <QtTest>
#include <functional>
#include <memory>

#include "collection.h"
#include "columnsdialog.h"
#include "columntotal.h"
#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "controls/updown.h"
#include "font.h"
#include "grid.h"
#include "hosterrors.h"
#include "imagelist.h"
#include "kordbeditor.h"
#include "kordbeditors.h"
#include "menus.h"
#include "navigator.h"
#include "persistent.h"
#include "published.h"
#include "sqldata.h"
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
    KOR_CHAR(Delimiter, ';')
    KOR_FLOAT(Ratio, 1.5)
    KOR_ENUM(Sample::TShape, Shape, Sample::shSquare)
    KOR_SET(Sample::TOptions, Options, (Sample::opFirst | Sample::opThird))
    KOR_STRING(Hint)
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

namespace {

// A class whose type information records a string as an integer.
class TMisrecorded : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    KOR_PUBLISHED(tkInteger, "Integer", Title, "0")
public:
    QString Title() const { return m_title; }
    void setTitle(const QString &Value) { m_title = Value; }

private:
    QString m_title;
};

bool isOrdinalType(const QMetaProperty &meta)
{
    static const QList<int> ordinals{QMetaType::Bool,  QMetaType::Int,    QMetaType::UInt,
                                     QMetaType::Short, QMetaType::UShort, QMetaType::QChar};
    return meta.isEnumType() || meta.isFlagType() || ordinals.contains(meta.metaType().id());
}

// Whether the C++ type can carry the recorded kind.
bool fits(PPropInfo Info)
{
    const QMetaType type = Info->Meta.metaType();
    if (Info->IsOrdinal())
        return isOrdinalType(Info->Meta);
    if (Info->IsString())
        return type.id() == QMetaType::QString;
    if (Info->Kind == TTypeKind::tkFloat)
        return type.id() == QMetaType::Double;
    if (Info->Kind == TTypeKind::tkClass)
        return (type.flags() & QMetaType::PointerToQObject) != 0;
    return Info->Kind == TTypeKind::tkMethod && type == QMetaType::fromType<TMethod>();
}

QString recordedDefault(const QObject *Object, PPropInfo Info)
{
    const QMetaObject *mo = Object->metaObject();
    const int index = mo->indexOfClassInfo(("prop:" + Info->Name).toLatin1().constData());
    if (index < 0)
        return {};
    return QString::fromUtf8(mo->classInfo(index).value()).section(QLatin1Char('|'), 2).trimmed();
}

class TSweep {
public:
    QStringList Failures;
    QSet<QString> Classes;
    int Properties = 0;

    // FollowsScreen: the object's values come from the screen rather than from its class, as
    // the Font of a host control does (it follows the widget's font, as a control with a parent
    // font does); its recorded defaults are not compared.
    void Check(QObject *Object, const QString &Path, bool FollowsScreen = false)
    {
        if (!Object || m_seen.contains(Object))
            return;
        m_followsScreen = FollowsScreen;
        m_seen.insert(Object);
        const QString className = QString::fromLatin1(Object->metaObject()->className());
        Classes.insert(className);
        QList<PPropInfo> props;
        try {
            props = GetPropList(Object);
        } catch (const EHostError &e) {
            Failures << QStringLiteral("%1: %2").arg(Path, e.Message());
            return;
        }
        for (PPropInfo info : props) {
            if (!info->Meta.isValid())
                continue; // a component's Name
            ++Properties;
            const QString where = QStringLiteral("%1.%2 (%3)").arg(Path, info->Name, className);
            try {
                CheckProperty(Object, info, where);
            } catch (const EHostError &e) {
                Failures << QStringLiteral("%1: %2").arg(where, e.Message());
            }
        }
    }

private:
    void CheckProperty(QObject *Object, PPropInfo Info, const QString &Where)
    {
        if (!fits(Info))
            Failures << QStringLiteral("%1: recorded as %2, but its type is %3")
                            .arg(Where, QLatin1String(TypeKindName(Info->Kind)),
                                 QLatin1String(Info->Meta.typeName()));
        const QString recorded = recordedDefault(Object, Info);
        if (Info->IsOrdinal() && !recorded.isEmpty() && recorded != QLatin1String("NoDefault") &&
            !m_followsScreen) {
            if (Info->Default == NoDefault)
                Failures
                    << QStringLiteral("%1: the default %2 does not parse").arg(Where, recorded);
            else if (GetOrdProp(Object, Info) != Info->Default)
                Failures << QStringLiteral("%1: recorded default %2, but %3 after construction")
                                .arg(Where, recorded)
                                .arg(GetOrdProp(Object, Info));
        }
        const QString stored = Info->StoredMethod;
        if (!stored.isEmpty() && stored != QLatin1String("true") &&
            stored != QLatin1String("false")) {
            if (Object->metaObject()->indexOfMethod((stored + QStringLiteral("()")).toLatin1()) < 0)
                Failures
                    << QStringLiteral("%1: stored condition %2 names no method").arg(Where, stored);
            else
                IsStoredProp(Object, Info);
        }
        if (Info->Kind == TTypeKind::tkClass) {
            const bool followsScreen = m_followsScreen;
            Check(GetObjectProp(Object, Info->Name), Where.section(QLatin1Char(' '), 0, 0),
                  Info->Name == QLatin1String("Font") && Object->isWidgetType() &&
                      !Object->inherits("TKorWinControl"));
            m_followsScreen = followsScreen;
        }
    }

    QSet<QObject *> m_seen;
    bool m_followsScreen = false;
};

template <typename... T> std::vector<std::unique_ptr<QObject>> makeAll()
{
    std::vector<std::unique_ptr<QObject>> objects;
    (objects.push_back(std::make_unique<T>()), ...);
    return objects;
}

} // namespace

class TypeInfoTest : public QObject {
    Q_OBJECT
private slots:
    // Each kind of published property, found by its name in any case, with its kind and type name.
    void kindsAndTypeNames()
    {
        const struct {
            const char *name;
            TTypeKind kind;
            const char *type;
        } rows[] = {
            {"Width", TTypeKind::tkInteger, "Integer"},
            {"Visible", TTypeKind::tkEnumeration, "Boolean"},
            {"Color", TTypeKind::tkInteger, "TColor"},
            {"Delimiter", TTypeKind::tkChar, "Char"},
            {"Ratio", TTypeKind::tkFloat, "Double"},
            {"Shape", TTypeKind::tkEnumeration, "TShape"},
            {"Options", TTypeKind::tkSet, "TOptions"},
            {"Hint", TTypeKind::tkLString, "string"},
            {"Font", TTypeKind::tkClass, "TFont"},
            {"Link", TTypeKind::tkClass, "TSampleLink"},
            {"OnChange", TTypeKind::tkMethod, "TNotifyEvent"},
        };
        TSample sample;
        for (const auto &row : rows) {
            PPropInfo info = GetPropInfo(&sample, QString::fromLatin1(row.name).toLower());
            QVERIFY2(info, row.name);
            QCOMPARE(info->Name, QString::fromLatin1(row.name));
            QCOMPARE(info->Kind, row.kind);
            QCOMPARE(info->TypeName, QString::fromLatin1(row.type));
        }
        QCOMPARE(GetPropInfo(&sample, QStringLiteral("Free"))->Default, NoDefault);
        QCOMPARE(GetOrdProp(&sample, QStringLiteral("Options")),
                 int(Sample::opFirst | Sample::opThird));
    }

    void storedConditionAndWriteAccess()
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

    // Ordinals, enumerations by identifier, set elements by bit, strings, characters, floats and
    // events, read and written by name.
    void readAndWriteByName()
    {
        TSample sample;
        SetOrdProp(&sample, QStringLiteral("Width"), -12);
        QCOMPARE(sample.Width(), -12);
        SetOrdProp(&sample, QStringLiteral("Color"), clBtnFace);
        QCOMPARE(GetOrdProp(&sample, QStringLiteral("Color")), clBtnFace);
        SetOrdProp(&sample, QStringLiteral("Options"), int(Sample::opSecond | Sample::opLast));
        QCOMPARE(sample.Options(), Sample::opSecond | Sample::opLast);
        // Setters report a change only when the value differs.
        const int changes = sample.changes;
        SetOrdProp(&sample, QStringLiteral("Width"), -12);
        QCOMPARE(sample.changes, changes);

        QCOMPARE(GetEnumProp(&sample, QStringLiteral("Shape")), QStringLiteral("shSquare"));
        SetEnumProp(&sample, QStringLiteral("Shape"), QStringLiteral("shcircle"));
        QCOMPARE(sample.Shape(), Sample::shCircle);
        SetEnumProp(&sample, QStringLiteral("Visible"), QStringLiteral("False"));
        QCOMPARE(GetEnumProp(&sample, QStringLiteral("Visible")), QStringLiteral("False"));
        QVERIFY_THROWS_EXCEPTION(
            EConvertError, SetEnumProp(&sample, QStringLiteral("Shape"), QStringLiteral("shOval")));
        QCOMPARE(sample.Shape(), Sample::shCircle);

        PPropInfo options = GetPropInfo(&sample, QStringLiteral("Options"));
        QCOMPARE(options->EnumName(30), QStringLiteral("opLast"));
        QCOMPARE(options->EnumName(3), QString());
        QCOMPARE(options->EnumValue(QStringLiteral("opThird")), 2);
        QCOMPARE(options->EnumValue(QStringLiteral("opNone")), -1);

        SetStrProp(&sample, QStringLiteral("Hint"), QStringLiteral("two\nlines = ok"));
        QCOMPARE(GetStrProp(&sample, QStringLiteral("Hint")), QStringLiteral("two\nlines = ok"));
        SetStrProp(&sample, QStringLiteral("Delimiter"), QStringLiteral("|x"));
        QCOMPARE(sample.Delimiter(), QChar(u'|'));
        QCOMPARE(GetOrdProp(&sample, QStringLiteral("Delimiter")), int('|'));
        SetMethodProp(&sample, QStringLiteral("OnChange"), TMethod{QStringLiteral("SampleChange")});
        QCOMPARE(GetMethodProp(&sample, QStringLiteral("OnChange")).Name,
                 QStringLiteral("SampleChange"));
    }

    void objectProperties()
    {
        TSample sample;
        QCOMPARE(GetObjectPropClass(&sample, QStringLiteral("Font")), &TFont::staticMetaObject);
        QCOMPARE(GetObjectProp(&sample, QStringLiteral("Font")), sample.Font());
        QCOMPARE(GetObjectProp(&sample, QStringLiteral("Font"), &TStrings::staticMetaObject),
                 nullptr);

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

        // A grid is not its own master, neither directly nor through other grids.
        TKorDBGrid grid, second, third;
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &grid));
        SetObjectProp(&second, "MasterGrid", &grid);
        SetObjectProp(&third, "MasterGrid", &second);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &third));
        QVERIFY(!grid.MasterGrid());
    }

    void componentNameIsPublished()
    {
        TSample sample;
        auto *first = new TSampleLink(&sample);
        auto *second = new TSampleLink(&sample);
        SetStrProp(first, QStringLiteral("Name"), QStringLiteral("Link1"));
        QCOMPARE(first->Name(), QStringLiteral("Link1"));
        QCOMPARE(GetPropInfo(first, QStringLiteral("Name"))->TypeName,
                 QStringLiteral("TComponentName"));
        QVERIFY_THROWS_EXCEPTION(
            EComponentError, SetStrProp(second, QStringLiteral("Name"), QStringLiteral("link1")));
        QCOMPARE(second->Name(), QString());
        QCOMPARE(GetPropList(&sample).first()->Name, QStringLiteral("Name"));
    }

    void errorsAreHostExceptions()
    {
        TSample sample;
        QVERIFY(!GetPropInfo(&sample, QStringLiteral("Missing")));
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

    void everyPublishedPropertyFitsAndDefaults()
    {
        // Every published class, constructed as a form designer would construct it; the parts
        // (titles, totals, fonts, gradients, ...) are reached through their object properties.
        const auto roots =
            makeAll<TCheckBox, TComboBox, TColorBox, TEdit, TLabel, TGroupBox, TMemo, TUpDown,
                    TFont, TKorDBGrid, TKorDBGridsADO, TKorDBGridsCDS, TKorDBNavigator,
                    TKorDBColumnsDialog, TKorDBCustomEditor, TKorDBDataEditor, TKorDBEditor,
                    TKorDBColumn, KorDBEditor::TKorDBGridEditor, TDataSource, TSQLConnection,
                    TSQLDataSet, TImageList, TPopupMenu>();

        TSweep sweep;
        for (const auto &root : roots)
            sweep.Check(root.get(), QString::fromLatin1(root->metaObject()->className()));
        // Collection items, made as the collections make them.
        auto *grid = static_cast<TKorDBGrid *>(roots[9].get());
        TKorColumn *column = grid->Columns()->Add();
        sweep.Check(column, QStringLiteral("Columns[0]"));
        sweep.Check(column->TotalValues()->Add(), QStringLiteral("Columns[0].TotalValues[0]"));

        QVERIFY2(sweep.Failures.isEmpty(), qPrintable(sweep.Failures.join(QLatin1Char('\n'))));
        // The walk reached the parts too, not only the roots.
        for (const char *part : {"TKorColumnTitle", "TKorColumnTotal", "TKorColumnTotalValue",
                                 "TKorDBGridTotals", "TKorDBGridGradient", "TFont"})
            QVERIFY2(sweep.Classes.contains(QLatin1String(part)), part);
        QVERIFY(sweep.Properties > 300);
    }

    void misrecordedKindIsRefused()
    {
        TMisrecorded object;
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                GetOrdProp(&object, QStringLiteral("Title"));
                QFAIL("a misrecorded kind must be refused");
            } catch (const EPropertyError &e) {
                QVERIFY2(e.Message().contains(QStringLiteral("TMisrecorded")) &&
                             e.Message().contains(QStringLiteral("Title")) &&
                             e.Message().contains(QStringLiteral("tkInteger")) &&
                             e.Message().contains(QStringLiteral("QString")),
                         qPrintable(e.Message()));
            }
        }
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetOrdProp(&object, QStringLiteral("Title"), 7));
        QCOMPARE(object.Title(), QString());
    }
};

QTEST_MAIN(TypeInfoTest)
#include "tst_typeinfo.moc"

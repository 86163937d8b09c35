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
#include "errorof.h"
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

using namespace Qt::StringLiterals;

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
    Q_PROPERTY(int Unpublished READ Unpublished)

public:
    TSample() { m_Font = std::make_unique<TFont>(); }
    Q_INVOKABLE bool IsFreeStored() const { return m_Free != 7; }
    int Count() const { return 5; }
    int Unpublished() const { return 1; }
    int changes = 0;

private:
    void Changed() { ++changes; }
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

// Whether the C++ type can carry the recorded kind.
bool fits(PPropInfo Info)
{
    const QMetaType type = Info->Meta.metaType();
    if (Info->IsOrdinal())
        return Info->Meta.isEnumType() || Info->Meta.isFlagType() ||
               QList<int>{QMetaType::Bool,  QMetaType::Int,    QMetaType::UInt,
                          QMetaType::Short, QMetaType::UShort, QMetaType::QChar}
                   .contains(type.id());
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
            Failures << u"%1: %2"_s.arg(Path, e.Message());
            return;
        }
        for (PPropInfo info : props) {
            if (!info->Meta.isValid())
                continue; // a component's Name
            ++Properties;
            const QString where = u"%1.%2 (%3)"_s.arg(Path, info->Name, className);
            try {
                CheckProperty(Object, info, where);
            } catch (const EHostError &e) {
                Failures << u"%1: %2"_s.arg(where, e.Message());
            }
        }
    }

private:
    void CheckProperty(QObject *Object, PPropInfo Info, const QString &Where)
    {
        if (!fits(Info))
            Failures << u"%1: recorded as %2, but its type is %3"_s.arg(
                Where, QLatin1String(TypeKindName(Info->Kind)),
                QLatin1String(Info->Meta.typeName()));
        const QString recorded = recordedDefault(Object, Info);
        if (Info->IsOrdinal() && !recorded.isEmpty() && recorded != QLatin1String("NoDefault") &&
            !m_followsScreen) {
            if (Info->Default == NoDefault)
                Failures << u"%1: the default %2 does not parse"_s.arg(Where, recorded);
            else if (GetOrdProp(Object, Info) != Info->Default)
                Failures << u"%1: recorded default %2, but %3 after construction"_s
                                .arg(Where, recorded)
                                .arg(GetOrdProp(Object, Info));
        }
        const QString stored = Info->StoredMethod;
        if (!stored.isEmpty() && stored != QLatin1String("true") &&
            stored != QLatin1String("false")) {
            if (Object->metaObject()->indexOfMethod((stored + u"()"_s).toLatin1()) < 0)
                Failures << u"%1: stored condition %2 names no method"_s.arg(Where, stored);
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
        using enum TTypeKind;
        const std::tuple<const char *, TTypeKind, const char *> rows[] = {
            {"Width", tkInteger, "Integer"},  {"Visible", tkEnumeration, "Boolean"},
            {"Color", tkInteger, "TColor"},   {"Delimiter", tkChar, "Char"},
            {"Ratio", tkFloat, "Double"},     {"Shape", tkEnumeration, "TShape"},
            {"Options", tkSet, "TOptions"},   {"Hint", tkLString, "string"},
            {"Link", tkClass, "TSampleLink"}, {"OnChange", tkMethod, "TNotifyEvent"},
            {"Font", tkClass, "TFont"}};
        TSample sample;
        for (const auto &[name, kind, type] : rows) {
            PPropInfo info = GetPropInfo(&sample, QString::fromLatin1(name).toLower());
            QVERIFY(info);
            QCOMPARE(info->Name, QString::fromLatin1(name));
            QCOMPARE(info->Kind, kind);
            QCOMPARE(info->TypeName, QString::fromLatin1(type));
        }
        QCOMPARE(GetPropInfo(&sample, u"Free"_s)->Default, NoDefault);
        QCOMPARE(GetOrdProp(&sample, u"Options"_s), int(Sample::opFirst | Sample::opThird));
    }

    void storedConditionAndWriteAccess()
    {
        TSample sample;
        QVERIFY(IsStoredProp(&sample, u"Free"_s));
        sample.setFree(7);
        QVERIFY(!IsStoredProp(&sample, u"Free"_s) && IsStoredProp(&sample, u"Width"_s));

        QVERIFY(!GetPropInfo(&sample, u"Count"_s)->HasWrite() &&
                GetPropInfo(&sample, u"Width"_s)->HasWrite());
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetOrdProp(&sample, u"Count"_s, 1));
        QCOMPARE(GetOrdProp(&sample, u"Count"_s), 5);
        // A Q_PROPERTY without host metadata is seen by Qt only.
        QVERIFY(!GetPropInfo(&sample, u"Unpublished"_s) &&
                sample.property("Unpublished").isValid());
    }

    // Ordinals, enumerations by identifier, set elements by bit, strings, characters, floats and
    // events, read and written by name.
    void readAndWriteByName()
    {
        TSample sample;
        SetOrdProp(&sample, u"Width"_s, -12);
        QCOMPARE(sample.Width(), -12);
        SetOrdProp(&sample, u"Color"_s, clBtnFace);
        QCOMPARE(GetOrdProp(&sample, u"Color"_s), clBtnFace);
        SetOrdProp(&sample, u"Options"_s, int(Sample::opSecond | Sample::opLast));
        QCOMPARE(sample.Options(), Sample::opSecond | Sample::opLast);
        // Setters report a change only when the value differs.
        const int changes = sample.changes;
        SetOrdProp(&sample, u"Width"_s, -12);
        QCOMPARE(sample.changes, changes);

        QCOMPARE(GetEnumProp(&sample, u"Shape"_s), u"shSquare"_s);
        SetEnumProp(&sample, u"Shape"_s, u"shcircle"_s);
        QCOMPARE(sample.Shape(), Sample::shCircle);
        SetEnumProp(&sample, u"Visible"_s, u"False"_s);
        QCOMPARE(GetEnumProp(&sample, u"Visible"_s), u"False"_s);
        QVERIFY_THROWS_EXCEPTION(EConvertError, SetEnumProp(&sample, u"Shape"_s, u"shOval"_s));
        QCOMPARE(sample.Shape(), Sample::shCircle);

        PPropInfo options = GetPropInfo(&sample, u"Options"_s);
        QCOMPARE(options->EnumName(30), u"opLast"_s);
        QCOMPARE(options->EnumName(3), QString());
        QCOMPARE(options->EnumValue(u"opThird"_s), 2);
        QCOMPARE(options->EnumValue(u"opNone"_s), -1);

        SetStrProp(&sample, u"Hint"_s, u"two\nlines = ok"_s);
        QCOMPARE(GetStrProp(&sample, u"Hint"_s), u"two\nlines = ok"_s);
        SetStrProp(&sample, u"Delimiter"_s, u"|x"_s);
        QCOMPARE(sample.Delimiter(), QChar(u'|'));
        QCOMPARE(GetOrdProp(&sample, u"Delimiter"_s), int('|'));
        SetMethodProp(&sample, u"OnChange"_s, TMethod{u"SampleChange"_s});
        QCOMPARE(GetMethodProp(&sample, u"OnChange"_s).Name, u"SampleChange"_s);
    }

    void objectProperties()
    {
        TSample sample;
        QCOMPARE(GetObjectPropClass(&sample, u"Font"_s), &TFont::staticMetaObject);
        QCOMPARE(GetObjectProp(&sample, u"Font"_s), sample.Font());
        QCOMPARE(GetObjectProp(&sample, u"Font"_s, &TStrings::staticMetaObject), nullptr);

        // Writing an owned sub-object assigns its contents; the object stays the same.
        TFont other;
        other.setName(u"Courier"_s);
        SetObjectProp(&sample, u"Font"_s, &other);
        QCOMPARE(sample.Font()->Name(), u"Courier"_s);
        QVERIFY(sample.Font() != &other);

        // A link refuses an object of the wrong class and forgets a destroyed target.
        auto link = std::make_unique<TSampleLink>();
        SetObjectProp(&sample, u"Link"_s, link.get());
        QCOMPARE(sample.Link(), link.get());
        TOtherLink wrong;
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&sample, u"Link"_s, &wrong));
        QCOMPARE(sample.Link(), link.get());
        link.reset();
        QCOMPARE(GetObjectProp(&sample, u"Link"_s), nullptr);
        SetObjectProp(&sample, u"Link"_s, nullptr);

        // A grid is not its own master, neither directly nor through other grids.
        TKorDBGrid grid, second, third;
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &grid));
        SetObjectProp(&second, "MasterGrid", &grid);
        SetObjectProp(&third, "MasterGrid", &second);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &third));
        QVERIFY(!grid.MasterGrid());
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
        sweep.Check(column, u"Columns[0]"_s);
        sweep.Check(column->TotalValues()->Add(), u"Columns[0].TotalValues[0]"_s);

        QVERIFY(sweep.Failures.isEmpty());
        // The walk reached the parts too, not only the roots.
        for (const char *part : {"TKorColumnTitle", "TKorColumnTotal", "TKorColumnTotalValue",
                                 "TKorDBGridTotals", "TKorDBGridGradient", "TFont"})
            QVERIFY(sweep.Classes.contains(QLatin1String(part)));
        QVERIFY(sweep.Properties > 300);
    }

    void misrecordedKindIsRefused()
    {
        TMisrecorded object;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const QString error = ErrorOf<EPropertyError>([&] { GetOrdProp(&object, u"Title"_s); });
            QVERIFY(error.contains(u"TMisrecorded"_s) && error.contains(u"Title"_s) &&
                    error.contains(u"tkInteger"_s) && error.contains(u"QString"_s));
        }
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetOrdProp(&object, u"Title"_s, 7));
        QCOMPARE(object.Title(), QString());
    }
};

QTEST_MAIN(TypeInfoTest)
#include "tst_typeinfo.moc"

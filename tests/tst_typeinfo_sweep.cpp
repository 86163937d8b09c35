// Type information checks itself: every published class of the host and of the run-time
// package is constructed and every published property is checked against its C++ type, its
// recorded default against the value right after construction, and its stored condition
// against the class's methods. A class whose recorded kinds do not fit is refused.

#include <QSet>
#include <QtTest>
#include <functional>
#include <memory>

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
#include "published.h"
#include "sqldata.h"
#include "typinfo.h"

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
    const QMetaType type = meta.metaType();
    if (meta.isEnumType() || meta.isFlagType())
        return true;
    switch (type.id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::QChar:
        return true;
    default:
        return false;
    }
}

// Whether the C++ type can carry the recorded kind.
bool fits(PPropInfo Info)
{
    const QMetaType type = Info->Meta.metaType();
    if (Info->IsOrdinal())
        return isOrdinalType(Info->Meta);
    if (Info->IsString())
        return type.id() == QMetaType::QString;
    switch (Info->Kind) {
    case TTypeKind::tkFloat:
        return type.id() == QMetaType::Double;
    case TTypeKind::tkClass:
        return (type.flags() & QMetaType::PointerToQObject) != 0;
    case TTypeKind::tkMethod:
        return type == QMetaType::fromType<TMethod>();
    default:
        return false;
    }
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

} // namespace

class TypeInfoSweepTest : public QObject {
    Q_OBJECT
private slots:
    void everyPublishedPropertyFitsAndDefaults();
    void misrecordedKindIsRefused();
};

void TypeInfoSweepTest::everyPublishedPropertyFitsAndDefaults()
{
    // Every published class, constructed as a form designer would construct it; the parts
    // (titles, totals, fonts, gradients, ...) are reached through their object properties.
    std::vector<std::unique_ptr<QObject>> roots;
    roots.push_back(std::make_unique<TCheckBox>());
    roots.push_back(std::make_unique<TComboBox>());
    roots.push_back(std::make_unique<TColorBox>());
    roots.push_back(std::make_unique<TEdit>());
    roots.push_back(std::make_unique<TLabel>());
    roots.push_back(std::make_unique<TGroupBox>());
    roots.push_back(std::make_unique<TMemo>());
    roots.push_back(std::make_unique<TUpDown>());
    roots.push_back(std::make_unique<TFont>());
    roots.push_back(std::make_unique<TKorDBGrid>());
    roots.push_back(std::make_unique<TKorDBGridsADO>());
    roots.push_back(std::make_unique<TKorDBGridsCDS>());
    roots.push_back(std::make_unique<TKorDBNavigator>());
    roots.push_back(std::make_unique<TKorDBColumnsDialog>());
    roots.push_back(std::make_unique<TKorDBCustomEditor>());
    roots.push_back(std::make_unique<TKorDBDataEditor>());
    roots.push_back(std::make_unique<TKorDBEditor>());
    roots.push_back(std::make_unique<TKorDBColumn>());
    roots.push_back(std::make_unique<KorDBEditor::TKorDBGridEditor>());
    roots.push_back(std::make_unique<TDataSource>());
    roots.push_back(std::make_unique<TSQLConnection>());
    roots.push_back(std::make_unique<TSQLDataSet>());
    roots.push_back(std::make_unique<TImageList>());
    roots.push_back(std::make_unique<TPopupMenu>());

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

void TypeInfoSweepTest::misrecordedKindIsRefused()
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

QTEST_MAIN(TypeInfoSweepTest)
#include "tst_typeinfo_sweep.moc"

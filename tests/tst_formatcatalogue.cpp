// The display-format catalogue: its groups and counts, the filter by sample value, the Object
// Inspector entries and their extraction, the designer's plain lists and choose rule, the
// pick-text catalogue, and the two Object Inspector editors built on it.

#include <QtTest>

#include "sysformat.h"

#include "designintf.h"
#include "displayformats.h"
#include "formatproperties.h"
#include "probedesigner.h"
#include "propedit.h"
#include "published.h"
#include "variants.h"

namespace Fake {

// Stands in for the run-time total value: same class name, the flag and value it publishes,
// and a Format to edit.
class TKorColumnTotalValue : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool IsCurrency MEMBER isCurrency)
    Q_PROPERTY(QVariant Value MEMBER value)
    KOR_STRING(Format)
public:
    bool isCurrency = false;
    QVariant value;

private:
    void Changed() {}
};

class TKorColumn : public QObject {
    Q_OBJECT
    KOR_STRING(PickTextFormat)
private:
    void Changed() {}
};

} // namespace Fake

namespace {

struct GroupCount {
    int separators = 0;
    int entries = 0;
};

// Entries and separators per group, in list order. Separators name their group; in the
// designer's list the name stands between the dashes.
QList<QPair<QString, GroupCount>> countGroups(const QStringList &List)
{
    QList<QPair<QString, GroupCount>> groups;
    for (const QString &item : List) {
        const bool separator = item.startsWith(NBSP + QStringLiteral("----- ")) ||
                               item.startsWith(QLatin1String("-----"));
        if (separator) {
            QString name = item;
            name.remove(NBSP).remove(QLatin1Char('-'));
            name = name.trimmed();
            if (groups.isEmpty() || groups.last().first != name)
                groups.append({name, {}});
            ++groups.last().second.separators;
        } else {
            Q_ASSERT(!groups.isEmpty());
            ++groups.last().second.entries;
        }
    }
    return groups;
}

QString groupsText(const QStringList &List)
{
    QStringList parts;
    for (const auto &group : countGroups(List))
        parts << QStringLiteral("%1:%2/%3")
                     .arg(group.first)
                     .arg(group.second.entries)
                     .arg(group.second.separators);
    return parts.join(QLatin1Char(' '));
}

QStringList collect(TPropertyEditor &Editor)
{
    QStringList values;
    Editor.GetValues([&values](const QString &Value) { values << Value; });
    return values;
}

const QString kAllGroups =
    QStringLiteral("Boolean:4/1 DateTime:16/2 Ordinal:9/3 Float:20/4 String:2/1");

} // namespace

class FormatCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { SetTotalValueReader({}); }

    void dateTimeLabelsShowTheMoment()
    {
        const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
        const QStringList entries = TotalFormatEntries(QVariant(), now);
        const auto find = [&entries](const QString &Format) {
            for (const QString &entry : entries)
                if (entry.startsWith(NBSP + Format + QLatin1Char(' ')))
                    return entry.mid(entry.lastIndexOf(NBSP) + 1);
            return QString();
        };
        QCOMPARE(find("%yyyy%"), QStringLiteral("Year           (2024)"));
        QCOMPARE(find("%mmmm%"), QStringLiteral("LongMonth  (March)"));
        QCOMPARE(find("%zzz%"), QStringLiteral("Milisecond (045)"));
        QCOMPARE(find("%hh%"), QStringLiteral("Hour          (14)"));
        QCOMPARE(find("%ddddd%"), QStringLiteral("ShortDate    (") +
                                      QLocale().toString(now.date(), QLocale::ShortFormat) +
                                      QLatin1Char(')'));
    }

    void groupFilter_data()
    {
        QTest::addColumn<QVariant>("sample");
        QTest::addColumn<QString>("inspector");
        QTest::addColumn<QString>("designer");
        const QString ordinal = "Ordinal:9/3", floats = "Float:20/4", dates = "DateTime:16/2";
        const struct {
            const char *name;
            QVariant sample;
            QString inspector, designer;
        } rows[] = {
            {"empty", QVariant(), kAllGroups, kAllGroups},
            {"integer", QVariant(42), ordinal, ordinal},
            {"64-bit integer", QVariant(qint64(42)), ordinal, ordinal},
            {"Boolean", QVariant(true), "Boolean:4/1", "Boolean:4/1"},
            {"currency", QVariant::fromValue(Currency::FromScaled(10000)), floats, floats},
            {"double", QVariant(2.5), floats, floats},
            {"BCD", QVariant::fromValue(TBcd::FromString("1.5")), floats, floats},
            {"string", QVariant(QStringLiteral("x")), "String:2/1", "String:2/1"},
            {"date", QVariant(QDate(2024, 1, 1)), dates, dates},
            {"date and time", QVariant(QDateTime::currentDateTime()), dates, dates},
            {"SQL time stamp", QVariant::fromValue(TSQLTimeStamp()), dates, ""},
            {"null", Null(), "", ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.sample << row.inspector << row.designer;
    }

    void groupFilter()
    {
        QFETCH(QVariant, sample);
        QFETCH(QString, inspector);
        QFETCH(QString, designer);
        QCOMPARE(groupsText(TotalFormatEntries(sample)), inspector);
        QCOMPARE(groupsText(TotalFormatPlainValues(sample)), designer);
    }

    void extractionRoundTripsEveryEntry()
    {
        const QStringList entries = TotalFormatEntries(QVariant());
        const QStringList plain = TotalFormatPlainValues(QVariant());
        QCOMPARE(entries.size(), plain.size());
        for (int i = 0; i < entries.size(); ++i) {
            const QString expected =
                plain.at(i).startsWith(QLatin1String("-----")) ? QString() : plain.at(i);
            QCOMPARE(ExtractStoredFormat(entries.at(i)), expected);
        }
        const QStringList pick = PickTextFormatEntries();
        const QStringList pickPlain = PickTextFormatPlainValues();
        for (int i = 0; i < pick.size(); ++i)
            QCOMPARE(ExtractStoredFormat(pick.at(i)), pickPlain.at(i));
    }

    void extractionRules()
    {
        // Typed text without a marker is stored as typed, blanks and all.
        QCOMPARE(ExtractStoredFormat(QStringLiteral(" %5.1f ")), QStringLiteral(" %5.1f "));
        QCOMPARE(ExtractStoredFormat(QStringLiteral("-----")), QStringLiteral("-----"));
        // A marker not in front keeps the whole text, which then must hold a space-marker pair.
        QCOMPARE(ExtractStoredFormat(QStringLiteral("%d ") + NBSP + QStringLiteral("x")),
                 QStringLiteral("%d"));
        QCOMPARE(ExtractStoredFormat(QStringLiteral("%d") + NBSP + QStringLiteral("x")), QString());
        // The first space-marker pair ends the format; ordinary blanks around it are trimmed.
        QCOMPARE(ExtractStoredFormat(NBSP + QStringLiteral("\t%x  ") + NBSP + QStringLiteral("a ") +
                                     NBSP + QStringLiteral("b")),
                 QStringLiteral("%x"));
        QCOMPARE(
            ExtractStoredFormat(NBSP + QStringLiteral("----- ") + NBSP + QStringLiteral("Any")),
            QString());
    }

    void designerChooseRule()
    {
        for (const QString &item : TotalFormatPlainValues(QVariant())) {
            const std::optional<QString> stored = DesignerFormatToStore(item);
            if (item.startsWith(QLatin1String("-----")))
                QVERIFY2(!stored, qPrintable(item));
            else
                QCOMPARE(stored.value_or(QStringLiteral("<none>")), item);
        }
        QCOMPARE(DesignerFormatToStore(QStringLiteral("----x")).value_or(QString()),
                 QStringLiteral("----x"));
        QVERIFY(!DesignerFormatToStore(QStringLiteral("-----x")));
        QCOMPARE(DesignerFormatToStore(QString()).value_or(QStringLiteral("<none>")), QString());
    }

    // Every pick-text entry shows what its format makes of a lookup's three values.
    void pickTextExamplesAreTheirFormats()
    {
        const QStringList entries = PickTextFormatEntries();
        const QStringList plain = PickTextFormatPlainValues();
        QCOMPARE(entries.size(), plain.size());
        QVERIFY(plain.size() >= 8);
        const QVariantList values{QStringLiteral("Kansas"), QStringLiteral("KA"), 18};
        for (int i = 0; i < plain.size(); ++i) {
            QVERIFY2(entries[i].startsWith(NBSP + plain[i] + QLatin1Char(' ')),
                     qPrintable(entries[i]));
            QVERIFY2(entries[i].endsWith(QStringLiteral(" e.g.   ") + Format(plain[i], values)),
                     qPrintable(entries[i]));
        }
    }

    void sampleValueFromTotalValue()
    {
        QObject other;
        other.setProperty("Value", 5);
        QVERIFY(VarIsEmpty(TotalFormatSampleValue(&other)));
        QVERIFY(VarIsEmpty(TotalFormatSampleValue(nullptr)));

        Fake::TKorColumnTotalValue total;
        total.value = 42;
        QCOMPARE(TotalFormatSampleValue(&total), QVariant(42));
        total.isCurrency = true;
        const QVariant currency = TotalFormatSampleValue(&total);
        QCOMPARE(VarType(currency), varCurrency);
        QCOMPARE(currency.value<Currency>(), Currency::FromDouble(1));
        total.isCurrency = false;
        total.value = QVariant();
        QVERIFY(VarIsEmpty(TotalFormatSampleValue(&total)));
    }

    void sampleValueThroughInjectedReader()
    {
        QObject anything;
        SetTotalValueReader([&anything](const QObject *Object) {
            TTotalValueSample sample;
            sample.IsTotalValue = Object == &anything;
            sample.Value = QStringLiteral("text");
            return sample;
        });
        QCOMPARE(TotalFormatSampleValue(&anything), QVariant(QStringLiteral("text")));
        Fake::TKorColumnTotalValue total;
        QVERIFY(VarIsEmpty(TotalFormatSampleValue(&total)));
        SetTotalValueReader({});
        total.value = true;
        QCOMPARE(TotalFormatSampleValue(&total), QVariant(true));
    }

    void formatValueEditor()
    {
        TProbeDesigner designer;
        Fake::TKorColumnTotalValue total;
        total.value = 7;
        auto editor = CreatePropertyEditor(&TKorDBGridFormatValueProperty::staticMetaObject,
                                           &designer, {&total}, GetPropInfo(&total, "Format"));
        QVERIFY(qobject_cast<TKorDBGridFormatValueProperty *>(editor.get()));
        QCOMPARE(editor->GetAttributes(), paValueList | paMultiSelect | paRevertable);

        const QStringList values = collect(*editor);
        QCOMPARE(groupsText(values), QStringLiteral("Ordinal:9/3"));
        QCOMPARE(values, TotalFormatEntries(QVariant(7)));

        editor->SetValue(values.at(1));
        QCOMPARE(total.Format(), QStringLiteral("%d"));
        editor->SetValue(values.at(0)); // a separator clears the format
        QCOMPARE(total.Format(), QString());
        editor->SetValue(QStringLiteral("%5.1f"));
        QCOMPARE(total.Format(), QStringLiteral("%5.1f"));
        QCOMPARE(designer.modified, 3);

        total.isCurrency = true;
        const QStringList floats = collect(*editor);
        QCOMPARE(groupsText(floats), QStringLiteral("Float:20/4"));
        editor->SetValue(floats.at(floats.size() - 1));
        QCOMPARE(total.Format(), QStringLiteral("%11n%%"));

        // Any other object offers every group.
        Fake::TKorColumn plainOwner;
        auto other =
            CreatePropertyEditor(&TKorDBGridFormatValueProperty::staticMetaObject, &designer,
                                 {&plainOwner}, GetPropInfo(&plainOwner, "PickTextFormat"));
        QCOMPARE(groupsText(collect(*other)), kAllGroups);
    }

    void pickTextEditor()
    {
        TProbeDesigner designer;
        Fake::TKorColumn first, second;
        auto editor =
            CreatePropertyEditor(&TKorDBGridPickTextFormatProperty::staticMetaObject, &designer,
                                 {&first, &second}, GetPropInfo(&first, "PickTextFormat"));
        QCOMPARE(editor->GetAttributes(), paValueList | paMultiSelect | paRevertable);
        const QStringList values = collect(*editor);
        QCOMPARE(values, PickTextFormatEntries());
        editor->SetValue(values.at(5));
        QCOMPARE(first.PickTextFormat(), QStringLiteral("%2:2d. %0:s"));
        QCOMPARE(second.PickTextFormat(), QStringLiteral("%2:2d. %0:s"));
        QCOMPARE(designer.modified, 1);
        QCOMPARE(editor->GetValue(), QStringLiteral("%2:2d. %0:s"));
    }
};

QTEST_MAIN(FormatCatalogueTest)
#include "tst_formatcatalogue.moc"

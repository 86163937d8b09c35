// The display-format catalogue: its groups and counts, the filter by sample value, the Object
// Inspector entries and their extraction, the designer's plain lists and choose rule, the
// pick-text catalogue, and the two Object Inspector editors built on it.

#include <QtTest>

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

    void everyGroupForAnEmptySample();
    void entryLayoutAndLabels();
    void dateTimeLabelsShowTheMoment();
    void groupFilter_data();
    void groupFilter();
    void extractionRoundTripsEveryEntry();
    void extractionRules();
    void designerChooseRule();
    void pickTextCatalogue();
    void sampleValueFromTotalValue();
    void sampleValueThroughInjectedReader();
    void formatValueEditor();
    void pickTextEditor();
};

void FormatCatalogueTest::everyGroupForAnEmptySample()
{
    const QStringList entries = TotalFormatEntries(QVariant());
    QCOMPARE(groupsText(entries), kAllGroups);
    QCOMPARE(entries.size(), 51 + 11);
    const QStringList plain = TotalFormatPlainValues(QVariant());
    QCOMPARE(groupsText(plain), kAllGroups);
    QCOMPARE(plain.first(), QStringLiteral("------ Boolean ------"));
    QCOMPARE(plain.mid(1, 4), (QStringList{"%True;False%", "%Yes;No%", "%On;Off%", "%1;0%"}));
    QVERIFY(plain.contains(QStringLiteral("----- DateTime -----")));
    QVERIFY(plain.contains(QStringLiteral("------- Ordinal ------")));
    QVERIFY(plain.contains(QStringLiteral("-------- Float -------")));
    QCOMPARE(plain.mid(plain.size() - 3), (QStringList{"------- String -------", "%s", "%8s"}));
    // The second DateTime block starts at "%dd%".
    QCOMPARE(plain.at(plain.indexOf(QStringLiteral("%dd%")) - 1),
             QStringLiteral("----- DateTime -----"));
}

void FormatCatalogueTest::entryLayoutAndLabels()
{
    const QStringList entries = TotalFormatEntries(QVariant());
    QCOMPARE(entries.first(), NBSP + QStringLiteral("----- ") + NBSP + QStringLiteral("Boolean") +
                                  NBSP + QStringLiteral(" -----"));
    QCOMPARE(entries.at(1),
             NBSP + QStringLiteral("%True;False% ") + NBSP + QStringLiteral("Boolean  (True)"));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%1;0%") + QString(13, QLatin1Char(' ')) + NBSP +
                             QStringLiteral("Boolean (1)")));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%d    ") + NBSP +
                             QStringLiteral("Decimal   (1000)")));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%.8x ") + NBSP +
                             QStringLiteral("Hexadec. (000003E8)")));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%12n  ") + NBSP +
                             QStringLiteral("Number (    1,000.10)")));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%.0m  ") + NBSP +
                             QStringLiteral("Money   ($1,000)")));
    QVERIFY(entries.contains(NBSP + QStringLiteral("%8s ") + NBSP +
                             QStringLiteral("String (    Text)")));
    // The last float entry stores eleven places but shows twelve.
    const QString lastFloat = entries.at(entries.size() - 4);
    QCOMPARE(lastFloat,
             NBSP + QStringLiteral("%11n%% ") + NBSP + QStringLiteral("Percent (    1,000.10%)"));
}

void FormatCatalogueTest::dateTimeLabelsShowTheMoment()
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

void FormatCatalogueTest::groupFilter_data()
{
    QTest::addColumn<QVariant>("sample");
    QTest::addColumn<QString>("inspector");
    QTest::addColumn<QString>("designer");
    QTest::newRow("integer") << QVariant(42) << "Ordinal:9/3"
                             << "Ordinal:9/3";
    QTest::newRow("64-bit integer") << QVariant(qint64(42)) << "Ordinal:9/3"
                                    << "Ordinal:9/3";
    QTest::newRow("Boolean") << QVariant(true) << "Boolean:4/1"
                             << "Boolean:4/1";
    QTest::newRow("currency") << QVariant::fromValue(Currency::FromScaled(10000)) << "Float:20/4"
                              << "Float:20/4";
    QTest::newRow("double") << QVariant(2.5) << "Float:20/4"
                            << "Float:20/4";
    QTest::newRow("BCD") << QVariant::fromValue(TBcd::FromString("1.5")) << "Float:20/4"
                         << "Float:20/4";
    QTest::newRow("string") << QVariant(QStringLiteral("x")) << "String:2/1"
                            << "String:2/1";
    QTest::newRow("date") << QVariant(QDate(2024, 1, 1)) << "DateTime:16/2"
                          << "DateTime:16/2";
    QTest::newRow("date and time") << QVariant(QDateTime::currentDateTime()) << "DateTime:16/2"
                                   << "DateTime:16/2";
    QTest::newRow("SQL time stamp") << QVariant::fromValue(TSQLTimeStamp()) << "DateTime:16/2"
                                    << "";
    QTest::newRow("null") << Null() << ""
                          << "";
}

void FormatCatalogueTest::groupFilter()
{
    QFETCH(QVariant, sample);
    QFETCH(QString, inspector);
    QFETCH(QString, designer);
    QCOMPARE(groupsText(TotalFormatEntries(sample)), inspector);
    QCOMPARE(groupsText(TotalFormatPlainValues(sample)), designer);
}

void FormatCatalogueTest::extractionRoundTripsEveryEntry()
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

void FormatCatalogueTest::extractionRules()
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
    QCOMPARE(ExtractStoredFormat(NBSP + QStringLiteral("----- ") + NBSP + QStringLiteral("Any")),
             QString());
}

void FormatCatalogueTest::designerChooseRule()
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

void FormatCatalogueTest::pickTextCatalogue()
{
    QCOMPARE(PickTextFormatPlainValues(),
             (QStringList{"%0:s - %1:s", "%0:s (%1:s)", "%0:s (%2:d)", "%1:s - %0:s", "%1:s (%0:s)",
                          "%2:2d. %0:s", "%2:2d. %0:s (%1:s)", "%2:2d. %1:s (%0:s)"}));
    const QStringList entries = PickTextFormatEntries();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.at(0), NBSP + QStringLiteral("%0:s - %1:s    ") + NBSP +
                                QStringLiteral(" e.g.   Kansas - KA"));
    QVERIFY(entries.at(2).endsWith(QStringLiteral(" e.g.   Kansas (18)")));
    QVERIFY(entries.at(5).endsWith(QStringLiteral(" e.g.   18. Kansas")));
    QVERIFY(entries.at(7).endsWith(QStringLiteral(" e.g.   18. KA (Kansas)")));
}

void FormatCatalogueTest::sampleValueFromTotalValue()
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

void FormatCatalogueTest::sampleValueThroughInjectedReader()
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

void FormatCatalogueTest::formatValueEditor()
{
    TProbeDesigner designer;
    Fake::TKorColumnTotalValue total;
    total.value = 7;
    auto editor = CreatePropertyEditor(&TKorDBGridFormatValueProperty::staticMetaObject, &designer,
                                       {&total}, GetPropInfo(&total, "Format"));
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
    auto other = CreatePropertyEditor(&TKorDBGridFormatValueProperty::staticMetaObject, &designer,
                                      {&plainOwner}, GetPropInfo(&plainOwner, "PickTextFormat"));
    QCOMPARE(groupsText(collect(*other)), kAllGroups);
}

void FormatCatalogueTest::pickTextEditor()
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

QTEST_MAIN(FormatCatalogueTest)
#include "tst_formatcatalogue.moc"

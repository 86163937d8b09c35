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

using namespace Qt::StringLiterals;

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

// The groups in list order as "Name:entries/separators". Separators name their group; in the
// designer's list the name stands between the dashes.
QString groupsText(const QStringList &List)
{
    QList<std::tuple<QString, int, int>> groups;
    for (const QString &item : List) {
        if (item.startsWith(NBSP + u"----- "_s) || item.startsWith(u"-----"_s)) {
            const QString name = QString(item).remove(NBSP).remove(u'-').trimmed();
            if (groups.isEmpty() || std::get<0>(groups.last()) != name)
                groups.append({name, 0, 0});
            ++std::get<2>(groups.last());
        } else {
            ++std::get<1>(groups.last());
        }
    }
    QStringList parts;
    for (const auto &[name, entries, separators] : groups)
        parts << u"%1:%2/%3"_s.arg(name).arg(entries).arg(separators);
    return parts.join(u' ');
}

QStringList collect(TPropertyEditor &Editor)
{
    QStringList values;
    Editor.GetValues([&values](const QString &Value) { values << Value; });
    return values;
}

const QString kAllGroups = u"Boolean:4/1 DateTime:16/2 Ordinal:9/3 Float:20/4 String:2/1"_s;

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
        QCOMPARE(find("%yyyy%"), u"Year           (2024)"_s);
        QCOMPARE(find("%mmmm%"), u"LongMonth  (March)"_s);
        QCOMPARE(find("%zzz%"), u"Milisecond (045)"_s);
        QCOMPARE(find("%hh%"), u"Hour          (14)"_s);
        QCOMPARE(find("%ddddd%"), u"ShortDate    ("_s +
                                      QLocale().toString(now.date(), QLocale::ShortFormat) +
                                      QLatin1Char(')'));
    }

    // Which groups a sample value keeps, in the inspector's list and in the designer's.
    void groupFilter()
    {
        const QString ordinal = "Ordinal:9/3", floats = "Float:20/4", dates = "DateTime:16/2";
        const std::tuple<QVariant, QString, QString> rows[] = {
            {QVariant(), kAllGroups, kAllGroups},
            {42, ordinal, ordinal},
            {qint64(42), ordinal, ordinal},
            {true, "Boolean:4/1", "Boolean:4/1"},
            {QVariant::fromValue(Currency::FromScaled(10000)), floats, floats},
            {2.5, floats, floats},
            {QVariant::fromValue(TBcd::FromString("1.5")), floats, floats},
            {u"x"_s, "String:2/1", "String:2/1"},
            {QDate(2024, 1, 1), dates, dates},
            {QDateTime::currentDateTime(), dates, dates},
            {QVariant::fromValue(TSQLTimeStamp()), dates, ""},
            {Null(), "", ""}};
        for (const auto &[sample, inspector, designer] : rows) {
            QCOMPARE(groupsText(TotalFormatEntries(sample)), inspector);
            QCOMPARE(groupsText(TotalFormatPlainValues(sample)), designer);
        }
    }

    // Every entry stores its plain format, in the inspector and in the designer; a separator
    // stores nothing.
    void everyEntryStoresItsFormat()
    {
        const QStringList entries = TotalFormatEntries(QVariant()) + PickTextFormatEntries();
        const QStringList plain = TotalFormatPlainValues(QVariant()) + PickTextFormatPlainValues();
        QCOMPARE(entries.size(), plain.size());
        for (int i = 0; i < entries.size(); ++i) {
            const bool separator = plain[i].startsWith(u"-----"_s);
            QCOMPARE(ExtractStoredFormat(entries[i]), separator ? QString() : plain[i]);
            QCOMPARE(DesignerFormatToStore(plain[i]).value_or(u"<none>"_s),
                     separator ? u"<none>"_s : plain[i]);
        }
        QCOMPARE(DesignerFormatToStore(u"----x"_s).value_or(QString()), u"----x"_s);
        QVERIFY(!DesignerFormatToStore(u"-----x"_s));
        QCOMPARE(DesignerFormatToStore(QString()).value_or(u"<none>"_s), QString());
    }

    void extractionRules()
    {
        // Typed text without a marker is stored as typed, blanks and all.
        QCOMPARE(ExtractStoredFormat(u" %5.1f "_s), u" %5.1f "_s);
        QCOMPARE(ExtractStoredFormat(u"-----"_s), u"-----"_s);
        // A marker not in front keeps the whole text, which then must hold a space-marker pair.
        QCOMPARE(ExtractStoredFormat(u"%d "_s + NBSP + u"x"_s), u"%d"_s);
        QCOMPARE(ExtractStoredFormat(u"%d"_s + NBSP + u"x"_s), QString());
        // The first space-marker pair ends the format; ordinary blanks around it are trimmed.
        QCOMPARE(ExtractStoredFormat(NBSP + u"\t%x  "_s + NBSP + u"a "_s + NBSP + u"b"_s), u"%x"_s);
        QCOMPARE(ExtractStoredFormat(NBSP + u"----- "_s + NBSP + u"Any"_s), QString());
    }

    // Every pick-text entry shows what its format makes of a lookup's three values.
    void pickTextExamplesAreTheirFormats()
    {
        const QStringList entries = PickTextFormatEntries();
        const QStringList plain = PickTextFormatPlainValues();
        QCOMPARE(entries.size(), plain.size());
        QVERIFY(plain.size() >= 8);
        const QVariantList values{u"Kansas"_s, u"KA"_s, 18};
        for (int i = 0; i < plain.size(); ++i) {
            QVERIFY(entries[i].startsWith(NBSP + plain[i] + QLatin1Char(' ')));
            QVERIFY(entries[i].endsWith(u" e.g.   "_s + Format(plain[i], values)));
        }
    }

    void sampleValueFromTotalValue()
    {
        QObject other;
        other.setProperty("Value", 5);
        QVERIFY(VarIsEmpty(TotalFormatSampleValue(&other)) &&
                VarIsEmpty(TotalFormatSampleValue(nullptr)));

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

        // A reader the host injects decides instead.
        QObject anything;
        SetTotalValueReader([&anything](const QObject *Object) {
            return TTotalValueSample{Object == &anything, false, u"text"_s};
        });
        QCOMPARE(TotalFormatSampleValue(&anything), QVariant(u"text"_s));
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
        QCOMPARE(groupsText(values), u"Ordinal:9/3"_s);
        QCOMPARE(values, TotalFormatEntries(QVariant(7)));

        editor->SetValue(values.at(1));
        QCOMPARE(total.Format(), u"%d"_s);
        editor->SetValue(values.at(0)); // a separator clears the format
        QCOMPARE(total.Format(), QString());
        editor->SetValue(u"%5.1f"_s);
        QCOMPARE(total.Format(), u"%5.1f"_s);
        QCOMPARE(designer.modified, 3);

        total.isCurrency = true;
        const QStringList floats = collect(*editor);
        QCOMPARE(groupsText(floats), u"Float:20/4"_s);
        editor->SetValue(floats.at(floats.size() - 1));
        QCOMPARE(total.Format(), u"%11n%%"_s);

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
        QCOMPARE(first.PickTextFormat(), u"%2:2d. %0:s"_s);
        QCOMPARE(second.PickTextFormat(), u"%2:2d. %0:s"_s);
        QCOMPARE(designer.modified, 1);
        QCOMPARE(editor->GetValue(), u"%2:2d. %0:s"_s);
    }
};

QTEST_MAIN(FormatCatalogueTest)
#include "tst_formatcatalogue.moc"

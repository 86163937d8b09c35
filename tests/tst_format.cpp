// The run-time library's formatting (Format, FloatToStrF, FormatDateTime) in a fixed locale, and
// the variant value types and their classification.

#include <QtTest>

#include "hosterrors.h"
#include "sysformat.h"
#include "variants.h"

class FormatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void specifiers_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("arg");
        QTest::addColumn<QString>("expected");
        const QVariant i(1000), f(1000.1);
        QTest::newRow("d") << "%d" << i << "1000";
        QTest::newRow("width d") << "%8d" << i << "    1000";
        QTest::newRow("precision d") << "%.8d" << i << "00001000";
        QTest::newRow("negative precision d") << "%.3d" << QVariant(-5) << "-005";
        QTest::newRow("u") << "%u" << i << "1000";
        QTest::newRow("u of negative 32-bit") << "%u" << QVariant(-1) << "4294967295";
        QTest::newRow("x upper case") << "%x" << i << "3E8";
        QTest::newRow("width x") << "%8x" << i << "     3E8";
        QTest::newRow("precision x") << "%.8x" << i << "000003E8";
        QTest::newRow("x of 64-bit") << "%x" << QVariant(qint64(-1)) << "FFFFFFFFFFFFFFFF";
        QTest::newRow("f default 2") << "%f" << f << "1000.10";
        QTest::newRow("f 0") << "%.0f" << f << "1000";
        QTest::newRow("f 4") << "%.4f" << f << "1000.1000";
        QTest::newRow("f width") << "%12f" << f << "     1000.10";
        QTest::newRow("n") << "%n" << f << "1,000.10";
        QTest::newRow("n 0") << "%.0n" << f << "1,000";
        QTest::newRow("n width") << "%12n" << f << "    1,000.10";
        QTest::newRow("n millions negative") << "%.1n" << QVariant(-1234567.25) << "-1,234,567.3";
        QTest::newRow("m") << "%m" << f << "$1,000.10";
        QTest::newRow("m 0") << "%.0m" << f << "$1,000";
        QTest::newRow("m width") << "%12m" << f << "   $1,000.10";
        QTest::newRow("e default 15 digits") << "%e" << f << "1.00010000000000E+003";
        QTest::newRow("e 4") << "%.4e" << f << "1.000E+003";
        QTest::newRow("e small") << "%.3e" << QVariant(-0.00012345) << "-1.23E-004";
        QTest::newRow("g") << "%g" << f << "1000.1";
        QTest::newRow("g width") << "%12g" << f << "      1000.1";
        QTest::newRow("g scientific when large") << "%.3g" << QVariant(123456.0) << "1.23E005";
        QTest::newRow("g scientific when tiny") << "%g" << QVariant(0.00001) << "1E-005";
        QTest::newRow("g zero") << "%g" << QVariant(0.0) << "0";
        QTest::newRow("s") << "%s" << QVariant(QStringLiteral("Text")) << "Text";
        QTest::newRow("s width") << "%8s" << QVariant(QStringLiteral("Text")) << "    Text";
        QTest::newRow("s precision cuts") << "%.2s" << QVariant(QStringLiteral("Text")) << "Te";
        QTest::newRow("s of char") << "%s" << QVariant(QChar(u'K')) << "K";
        QTest::newRow("left justify") << "[%-6d]" << QVariant(42) << "[42    ]";
        QTest::newRow("upper-case type") << "%D" << QVariant(7) << "7";
        QTest::newRow("percent after number") << "%.0n%%" << f << "1,000%";
        QTest::newRow("currency argument")
            << "%.2f" << QVariant::fromValue(Currency::FromDouble(2.5)) << "2.50";
        QTest::newRow("bcd argument")
            << "%.3n" << QVariant::fromValue(TBcd::FromString("1234.5")) << "1,234.500";
    }

    void specifiers()
    {
        QFETCH(QString, format);
        QFETCH(QVariant, arg);
        QFETCH(QString, expected);
        QCOMPARE(Format(format, {arg}), expected);
    }

    void indexesWidthsAndLiterals()
    {
        const QVariantList pick{QStringLiteral("Kansas"), QStringLiteral("KA"), 18};
        QCOMPARE(Format("%0:s - %1:s", pick), QStringLiteral("Kansas - KA"));
        QCOMPARE(Format("%0:s (%2:d)", pick), QStringLiteral("Kansas (18)"));
        QCOMPARE(Format("%2:2d. %0:s", pick), QStringLiteral("18. Kansas"));
        QCOMPARE(Format("%2:4d.", pick), QStringLiteral("  18."));
        // An unindexed specifier continues after the last index used.
        const QVariantList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        QCOMPARE(Format("%1:s %s %0:s %s", abc), QStringLiteral("b c a b"));
        QCOMPARE(Format("100%% of %s", {QStringLiteral("it")}), QStringLiteral("100% of it"));
        QCOMPARE(Format("no specifiers", {}), QStringLiteral("no specifiers"));
        QCOMPARE(Format("%d%d", {1, 2}), QStringLiteral("12"));
    }

    void mismatchesRaise_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("d with string") << "%d" << QVariantList{QStringLiteral("x")};
        QTest::newRow("d with double") << "%d" << QVariantList{1.5};
        QTest::newRow("d with Boolean") << "%d" << QVariantList{true};
        QTest::newRow("f with integer") << "%f" << QVariantList{5};
        QTest::newRow("s with integer") << "%s" << QVariantList{5};
        QTest::newRow("missing argument") << "%d %d" << QVariantList{1};
        QTest::newRow("index out of range") << "%3:d" << QVariantList{1};
        QTest::newRow("unknown type") << "%q" << QVariantList{1};
        QTest::newRow("pointer type") << "%p" << QVariantList{1};
        QTest::newRow("star width") << "%*d" << QVariantList{3, 1};
        QTest::newRow("dangling percent") << "50%" << QVariantList{1};
        QTest::newRow("unfinished specifier") << "%-8" << QVariantList{1};
        QTest::newRow("absurd width") << "%999999999d" << QVariantList{1};
    }

    void mismatchesRaise()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QVERIFY_THROWS_EXCEPTION(EConvertError, Format(format, args));
    }

    void localeSeparators()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Format("%n", {1000.1}), QStringLiteral("1.000,10"));
        QCOMPARE(Format("%.4e", {1000.1}), QStringLiteral("1,000E+003"));
        QVERIFY(Format("%m", {1000.1}).contains(QStringLiteral("1.000,10")));
        QVERIFY(Format("%m", {1000.1}).contains(QChar(0x20AC))); // the euro sign
        QCOMPARE(FormatDateTime("dd/mm/yyyy hh:nn", QDateTime(QDate(2024, 3, 5), QTime(14, 7))),
                 QStringLiteral("05.03.2024 14:07"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void floatRounding()
    {
        QCOMPARE(Format("%.2f", {0.125}), QStringLiteral("0.13")); // halves away from zero
        QCOMPARE(Format("%.0f", {2.5}), QStringLiteral("3"));
        QCOMPARE(Format("%.0f", {-2.5}), QStringLiteral("-3"));
        QCOMPARE(Format("%.2f", {0.004}), QStringLiteral("0.00"));
        QCOMPARE(Format("%.2f", {0.006}), QStringLiteral("0.01"));
        QCOMPARE(Format("%.1f", {-0.04}), QStringLiteral("0.0")); // no sign on a zero result
        QCOMPARE(Format("%.2n", {999999.999}), QStringLiteral("1,000,000.00"));
        // Exact decimal digits rather than binary noise, at most 18 decimals.
        QCOMPARE(Format("%.17f", {0.1}), QStringLiteral("0.10000000000000000"));
        QCOMPARE(Format("%.20f", {0.1}), QStringLiteral("0.100000000000000000"));
        QCOMPARE(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 4, 2), QStringLiteral("1235.00"));
        QCOMPARE(FloatToStrF(qInf(), TFloatFormat::ffFixed, 15, 2), QStringLiteral("INF"));
        QCOMPARE(FloatToStrF(qQNaN(), TFloatFormat::ffGeneral, 15, 0), QStringLiteral("NAN"));
        QCOMPARE(FloatToStrF(1e20, TFloatFormat::ffGeneral, 15, 0), QStringLiteral("1E20"));
    }

    void dateTimePatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const struct {
            const char *name, *pattern, *expected;
        } rows[] = {
            {"numbers", "yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
            {"no leading zeros", "d/m/yy h:n:s z", "5/3/24 14:7:9 45"},
            {"m after h is the minute", "hh:mm", "14:07"},
            {"case-insensitive", "YYYY MM DD", "2024 03 05"},
            {"names", "ddd dddd, mmm mmmm", "Tue Tuesday, Mar March"},
            {"am/pm keeps its case", "h:nn am/pm", "2:07 pm"},
            {"AM/PM", "hh AM/PM", "02 PM"},
            {"a/p", "h a/p", "2 p"},
            {"locale marker", "h ampm", "2 PM"},
            {"quoted text", "'yyyy' \"mm\" yyyy", "yyyy mm 2024"},
            {"unterminated quote", "d 'rest", "5 rest"},
            {"other letters literal", "d x q", "5 x q"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << QString(row.pattern) << QString(row.expected);
    }

    void dateTimePatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
        QCOMPARE(FormatDateTime(pattern, moment), expected);
    }

    void dateTimeLocaleForms()
    {
        const QLocale locale;
        const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
        const QString shortDate = locale.toString(moment.date(), QLocale::ShortFormat);
        const QString shortTime = locale.toString(moment.time(), QLocale::ShortFormat);
        QCOMPARE(FormatDateTime("ddddd", moment), shortDate);
        QCOMPARE(FormatDateTime("dddddd", moment),
                 locale.toString(moment.date(), QLocale::LongFormat));
        QCOMPARE(FormatDateTime("t", moment), shortTime);
        // The long time has seconds but no time-zone name.
        const QString longTime = FormatDateTime("tt", moment);
        QVERIFY2(longTime.contains(QStringLiteral("2:07:09")), qPrintable(longTime));
        QVERIFY(!longTime.contains(QStringLiteral("UTC")) && !longTime.endsWith(QLatin1Char(' ')));
        QCOMPARE(FormatDateTime("c", moment), shortDate + QLatin1Char(' ') + longTime);
        QCOMPARE(FormatDateTime({}, moment), FormatDateTime("c", moment));
        // Midnight leaves the time out.
        QCOMPARE(FormatDateTime("c", QDateTime(moment.date(), QTime(0, 0))), shortDate);
        // An invalid moment formats as the zero date rather than failing.
        QCOMPARE(FormatDateTime("yyyy-mm-dd", QDateTime()), QStringLiteral("1899-12-30"));
    }

    void variantTypes()
    {
        QCOMPARE(VarType(QVariant()), varEmpty);
        QCOMPARE(VarType(Null()), varNull);
        QCOMPARE(VarType(QVariant(true)), varBoolean);
        QCOMPARE(VarType(QVariant(5)), varInteger);
        QCOMPARE(VarType(QVariant(qint64(5))), varInt64);
        QCOMPARE(VarType(QVariant(2.5)), varDouble);
        QCOMPARE(VarType(QVariant(2.5f)), varSingle);
        QCOMPARE(VarType(QVariant::fromValue(Currency::FromDouble(1))), varCurrency);
        QCOMPARE(VarType(QVariant(QStringLiteral("x"))), varString);
        QCOMPARE(VarType(QVariant(QDate(2024, 1, 1))), varDate);
        QCOMPARE(VarType(QVariant(QDateTime::currentDateTime())), varDate);
        QCOMPARE(VarType(QVariant::fromValue(TSQLTimeStamp())), varSQLTimeStamp);
        QCOMPARE(VarType(QVariant::fromValue(TBcd())), varFMTBcd);
        QCOMPARE(VarType(QVariant(QPoint())), varUnknown);

        QVERIFY(VarIsOrdinal(QVariant(true)) && VarIsOrdinal(QVariant(quint16(1))));
        QVERIFY(!VarIsOrdinal(QVariant(1.0)));
        QVERIFY(VarIsFloat(QVariant::fromValue(Currency())) && VarIsFloat(QVariant(1.0f)));
        QVERIFY(!VarIsFloat(QVariant::fromValue(TBcd())) &&
                VarIsFMTBcd(QVariant::fromValue(TBcd())));
        QVERIFY(!VarIsFloat(QVariant(QDate(2024, 1, 1))));
        QVERIFY(VarIsStr(QVariant(QChar(u'a'))) && VarIsStr(QVariant(QByteArray("a"))));
        QVERIFY(VarIsEmpty(Unassigned()) && !VarIsEmpty(Null()) && VarIsNull(Null()));
    }

    void valueTypesRoundTrip()
    {
        const Currency amount = Currency::FromDouble(-1234.56785);
        QCOMPARE(amount.Scaled, qint64(-12345679));
        QCOMPARE(amount.ToString(), QStringLiteral("-1234.5679"));
        QCOMPARE(QVariant::fromValue(amount).toDouble(), -1234.5679);
        QCOMPARE(QVariant::fromValue(Currency::FromScaled(10000)).toString(), QStringLiteral("1"));
        QVERIFY(QVariant::fromValue(amount) ==
                QVariant::fromValue(Currency::FromScaled(-12345679)));
        QVERIFY_THROWS_EXCEPTION(EConvertError, Currency::FromDouble(1e300));

        const TBcd bcd = TBcd::FromString(QStringLiteral("-00123.4500"));
        QCOMPARE(bcd.ToString(), QStringLiteral("-123.45"));
        QVERIFY(bcd == TBcd::FromDouble(-123.45));
        QCOMPARE(TBcd::FromString(QStringLiteral("-0.000")).ToString(), QStringLiteral("0"));
        QCOMPARE(QVariant::fromValue(bcd).toString(), QStringLiteral("-123.45"));
        TBcd bad;
        QVERIFY(!TBcd::TryFromString(QStringLiteral("1.2.3"), bad));
        QVERIFY(!TBcd::TryFromString(QStringLiteral("-"), bad));
        QVERIFY(!TBcd::TryFromString(QString(65, QLatin1Char('9')), bad));
        QVERIFY_THROWS_EXCEPTION(EConvertError, TBcd::FromString(QStringLiteral("abc")));

        const QDateTime moment(QDate(2024, 2, 29), QTime(23, 59, 58, 7));
        const TSQLTimeStamp stamp = TSQLTimeStamp::FromDateTime(moment);
        QCOMPARE(stamp.ToDateTime(), moment);
        QCOMPARE(stamp.ToString(), QStringLiteral("2024-02-29 23:59:58.007"));
        QCOMPARE(QVariant::fromValue(stamp).toDateTime(), moment);
        TSQLTimeStamp broken = stamp;
        broken.Month = 13;
        QVERIFY(!broken.ToDateTime().isValid());
    }
};

QTEST_GUILESS_MAIN(FormatTest)
#include "tst_format.moc"

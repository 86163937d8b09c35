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

    void specifiers()
    {
        const auto check = [](const QVariant &arg,
                              std::initializer_list<std::pair<const char *, const char *>> rows) {
            for (const auto &[format, expected] : rows)
                QCOMPARE(Format(format, {arg}), QString::fromUtf8(expected));
        };
        check(1000, {{"%d", "1000"},
                     {"%8d", "    1000"},
                     {"%.8d", "00001000"},
                     {"%u", "1000"},
                     {"%x", "3E8"},
                     {"%8x", "     3E8"},
                     {"%.8x", "000003E8"}});
        check(1000.1, {{"%f", "1000.10"},
                       {"%.0f", "1000"},
                       {"%.4f", "1000.1000"},
                       {"%12f", "     1000.10"},
                       {"%n", "1,000.10"},
                       {"%.0n", "1,000"},
                       {"%12n", "    1,000.10"},
                       {"%m", "$1,000.10"},
                       {"%.0m", "$1,000"},
                       {"%12m", "   $1,000.10"},
                       {"%e", "1.00010000000000E+003"},
                       {"%.4e", "1.000E+003"},
                       {"%g", "1000.1"},
                       {"%12g", "      1000.1"},
                       {"%.0n%%", "1,000%"}});
        check(QStringLiteral("Text"), {{"%s", "Text"}, {"%8s", "    Text"}, {"%.2s", "Te"}});
        check(-5, {{"%.3d", "-005"}, {"%u", "4294967291"}, {"[%-6d]", "[-5    ]"}, {"%D", "-5"}});
        check(qint64(-1), {{"%x", "FFFFFFFFFFFFFFFF"}});
        check(-1234567.25, {{"%.1n", "-1,234,567.3"}});
        check(-0.00012345, {{"%.3e", "-1.23E-004"}});
        check(123456.0, {{"%.3g", "1.23E005"}});
        check(0.00001, {{"%g", "1E-005"}});
        check(0.0, {{"%g", "0"}});
        check(QChar(u'K'), {{"%s", "K"}});
        check(QVariant::fromValue(Currency::FromDouble(2.5)), {{"%.2f", "2.50"}});
        check(QVariant::fromValue(TBcd::FromString("1234.5")), {{"%.3n", "1,234.500"}});
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

    void mismatchesRaise()
    {
        for (const char *format :
             {"%f", "%s", "%d %d", "%3:d", "%q", "%p", "%*d", "50%", "%-8", "%999999999d"})
            QVERIFY_THROWS_EXCEPTION(EConvertError, Format(format, {1}));
        for (const QVariant &arg : {QVariant(QStringLiteral("x")), QVariant(1.5), QVariant(true)})
            QVERIFY_THROWS_EXCEPTION(EConvertError, Format("%d", {arg}));
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

    void dateTimePatterns()
    {
        const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
        const QList<std::pair<const char *, QString>> rows = {
            {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
            {"d/m/yy h:n:s z", "5/3/24 14:7:9 45"},
            {"hh:mm", "14:07"},
            {"YYYY MM DD", "2024 03 05"},
            {"ddd dddd, mmm mmmm", "Tue Tuesday, Mar March"},
            {"h:nn am/pm", "2:07 pm"},
            {"hh AM/PM", "02 PM"},
            {"h a/p", "2 p"},
            {"h ampm", "2 PM"},
            {"'yyyy' \"mm\" yyyy", "yyyy mm 2024"},
            {"d 'rest", "5 rest"},
            {"d x q", "5 x q"}};
        for (const auto &[pattern, expected] : rows)
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
        const QList<std::pair<QVariant, TVarType>> types = {
            {QVariant(), varEmpty},
            {Null(), varNull},
            {QVariant(true), varBoolean},
            {QVariant(5), varInteger},
            {QVariant(qint64(5)), varInt64},
            {QVariant(2.5), varDouble},
            {QVariant(2.5f), varSingle},
            {QVariant::fromValue(Currency::FromDouble(1)), varCurrency},
            {QVariant(QStringLiteral("x")), varString},
            {QVariant(QDate(2024, 1, 1)), varDate},
            {QVariant(QDateTime::currentDateTime()), varDate},
            {QVariant::fromValue(TSQLTimeStamp()), varSQLTimeStamp},
            {QVariant::fromValue(TBcd()), varFMTBcd},
            {QVariant(QPoint()), varUnknown}};
        for (const auto &[value, type] : types)
            QCOMPARE(VarType(value), type);

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

// The run-time library's formatting (Format, FloatToStrF, FormatDateTime) in a fixed locale, and
// the variant value types and their classification.

#include <QtTest>

#include "hosterrors.h"
#include "sysformat.h"
#include "variants.h"

using namespace Qt::StringLiterals;

class FormatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void specifiers()
    {
        const QVariant i(1000), f(1000.1), t(u"Text"_s), n(-5);
        const QVariant cur = QVariant::fromValue(Currency::FromDouble(2.5));
        const QVariant bcd = QVariant::fromValue(TBcd::FromString("1234.5"));
        const std::tuple<const char *, QVariant, const char *> rows[] = {
            {"%d", i, "1000"},
            {"%8d", i, "    1000"},
            {"%.8d", i, "00001000"},
            {"%u", i, "1000"},
            {"%x", i, "3E8"},
            {"%8x", i, "     3E8"},
            {"%.8x", i, "000003E8"},
            {"%f", f, "1000.10"},
            {"%.0f", f, "1000"},
            {"%.4f", f, "1000.1000"},
            {"%12f", f, "     1000.10"},
            {"%n", f, "1,000.10"},
            {"%.0n", f, "1,000"},
            {"%12n", f, "    1,000.10"},
            {"%m", f, "$1,000.10"},
            {"%.0m", f, "$1,000"},
            {"%12m", f, "   $1,000.10"},
            {"%e", f, "1.00010000000000E+003"},
            {"%.4e", f, "1.000E+003"},
            {"%g", f, "1000.1"},
            {"%12g", f, "      1000.1"},
            {"%.0n%%", f, "1,000%"},
            {"%s", t, "Text"},
            {"%8s", t, "    Text"},
            {"%.2s", t, "Te"},
            {"%.3d", n, "-005"},
            {"%u", n, "4294967291"},
            {"[%-6d]", n, "[-5    ]"},
            {"%D", n, "-5"},
            {"%x", qint64(-1), "FFFFFFFFFFFFFFFF"},
            {"%.1n", -1234567.25, "-1,234,567.3"},
            {"%.3e", -0.00012345, "-1.23E-004"},
            {"%.3g", 123456.0, "1.23E005"},
            {"%g", 0.00001, "1E-005"},
            {"%s", QChar(u'K'), "K"},
            {"%.2f", cur, "2.50"},
            {"%.3n", bcd, "1,234.500"},
            {"%g", 0.0, "0"}};
        for (const auto &[format, arg, expected] : rows)
            QCOMPARE(Format(format, {arg}), QString::fromUtf8(expected));
    }

    void indexesWidthsAndLiterals()
    {
        const QVariantList pick{u"Kansas"_s, u"KA"_s, 18};
        QCOMPARE(Format("%0:s - %1:s", pick), u"Kansas - KA"_s);
        QCOMPARE(Format("%0:s (%2:d)", pick), u"Kansas (18)"_s);
        QCOMPARE(Format("%2:2d. %0:s", pick), u"18. Kansas"_s);
        QCOMPARE(Format("%2:4d.", pick), u"  18."_s);
        // An unindexed specifier continues after the last index used.
        const QVariantList abc{u"a"_s, u"b"_s, u"c"_s};
        QCOMPARE(Format("%1:s %s %0:s %s", abc), u"b c a b"_s);
        QCOMPARE(Format("100%% of %s", {u"it"_s}), u"100% of it"_s);
        QCOMPARE(Format("no specifiers", {}), u"no specifiers"_s);
        QCOMPARE(Format("%d%d", {1, 2}), u"12"_s);
    }

    void mismatchesRaise()
    {
        const char *const formats[] = {"%f", "%s",  "%d %d", "%3:d", "%q",
                                       "%p", "%*d", "50%",   "%-8",  "%999999999d"};
        for (const char *format : formats)
            QVERIFY_THROWS_EXCEPTION(EConvertError, Format(format, {1}));
        for (const QVariant &arg : {QVariant(u"x"_s), QVariant(1.5), QVariant(true)})
            QVERIFY_THROWS_EXCEPTION(EConvertError, Format("%d", {arg}));
    }

    void localeSeparators()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Format("%n", {1000.1}), u"1.000,10"_s);
        QCOMPARE(Format("%.4e", {1000.1}), u"1,000E+003"_s);
        QVERIFY(Format("%m", {1000.1}).contains(u"1.000,10"_s));
        QVERIFY(Format("%m", {1000.1}).contains(QChar(0x20AC))); // the euro sign
        QCOMPARE(FormatDateTime("dd/mm/yyyy hh:nn", QDateTime(QDate(2024, 3, 5), QTime(14, 7))),
                 u"05.03.2024 14:07"_s);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void floatRounding()
    {
        QCOMPARE(Format("%.2f", {0.125}), u"0.13"_s); // halves away from zero
        QCOMPARE(Format("%.0f", {2.5}), u"3"_s);
        QCOMPARE(Format("%.0f", {-2.5}), u"-3"_s);
        QCOMPARE(Format("%.2f", {0.004}), u"0.00"_s);
        QCOMPARE(Format("%.2f", {0.006}), u"0.01"_s);
        QCOMPARE(Format("%.1f", {-0.04}), u"0.0"_s); // no sign on a zero result
        QCOMPARE(Format("%.2n", {999999.999}), u"1,000,000.00"_s);
        // Exact decimal digits rather than binary noise, at most 18 decimals.
        QCOMPARE(Format("%.17f", {0.1}), u"0.10000000000000000"_s);
        QCOMPARE(Format("%.20f", {0.1}), u"0.100000000000000000"_s);
        QCOMPARE(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 4, 2), u"1235.00"_s);
        QCOMPARE(FloatToStrF(qInf(), TFloatFormat::ffFixed, 15, 2), u"INF"_s);
        QCOMPARE(FloatToStrF(qQNaN(), TFloatFormat::ffGeneral, 15, 0), u"NAN"_s);
        QCOMPARE(FloatToStrF(1e20, TFloatFormat::ffGeneral, 15, 0), u"1E20"_s);
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
        QVERIFY(longTime.contains(u"2:07:09"_s));
        QVERIFY(!longTime.contains(u"UTC"_s) && !longTime.endsWith(QLatin1Char(' ')));
        QCOMPARE(FormatDateTime("c", moment), shortDate + QLatin1Char(' ') + longTime);
        QCOMPARE(FormatDateTime({}, moment), FormatDateTime("c", moment));
        // Midnight leaves the time out.
        QCOMPARE(FormatDateTime("c", QDateTime(moment.date(), QTime(0, 0))), shortDate);
        // An invalid moment formats as the zero date rather than failing.
        QCOMPARE(FormatDateTime("yyyy-mm-dd", QDateTime()), u"1899-12-30"_s);
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
            {QVariant(u"x"_s), varString},
            {QVariant(QDate(2024, 1, 1)), varDate},
            {QVariant(QDateTime::currentDateTime()), varDate},
            {QVariant::fromValue(TSQLTimeStamp()), varSQLTimeStamp},
            {QVariant::fromValue(TBcd()), varFMTBcd},
            {QVariant(QPoint()), varUnknown}};
        for (const auto &[value, type] : types)
            QCOMPARE(VarType(value), type);

        QVERIFY(VarIsOrdinal(QVariant(true)) && VarIsOrdinal(QVariant(quint16(1))) &&
                !VarIsOrdinal(QVariant(1.0)) && VarIsFloat(QVariant::fromValue(Currency())) &&
                VarIsFloat(QVariant(1.0f)));
        QVERIFY(!VarIsFloat(QVariant::fromValue(TBcd())) &&
                VarIsFMTBcd(QVariant::fromValue(TBcd())));
        QVERIFY(!VarIsFloat(QVariant(QDate(2024, 1, 1))) && VarIsStr(QVariant(QChar(u'a'))) &&
                VarIsStr(QVariant(QByteArray("a"))) && VarIsEmpty(Unassigned()) &&
                !VarIsEmpty(Null()) && VarIsNull(Null()));
    }

    void valueTypesRoundTrip()
    {
        const Currency amount = Currency::FromDouble(-1234.56785);
        QCOMPARE(amount.Scaled, qint64(-12345679));
        QCOMPARE(amount.ToString(), u"-1234.5679"_s);
        QCOMPARE(QVariant::fromValue(amount).toDouble(), -1234.5679);
        QCOMPARE(QVariant::fromValue(Currency::FromScaled(10000)).toString(), u"1"_s);
        QVERIFY(QVariant::fromValue(amount) ==
                QVariant::fromValue(Currency::FromScaled(-12345679)));
        QVERIFY_THROWS_EXCEPTION(EConvertError, Currency::FromDouble(1e300));

        const TBcd bcd = TBcd::FromString(u"-00123.4500"_s);
        QCOMPARE(bcd.ToString(), u"-123.45"_s);
        QVERIFY(bcd == TBcd::FromDouble(-123.45));
        QCOMPARE(TBcd::FromString(u"-0.000"_s).ToString(), u"0"_s);
        QCOMPARE(QVariant::fromValue(bcd).toString(), u"-123.45"_s);
        TBcd bad;
        QVERIFY(!TBcd::TryFromString(u"1.2.3"_s, bad) && !TBcd::TryFromString(u"-"_s, bad) &&
                !TBcd::TryFromString(QString(65, QLatin1Char('9')), bad));
        QVERIFY_THROWS_EXCEPTION(EConvertError, TBcd::FromString(u"abc"_s));

        const QDateTime moment(QDate(2024, 2, 29), QTime(23, 59, 58, 7));
        const TSQLTimeStamp stamp = TSQLTimeStamp::FromDateTime(moment);
        QCOMPARE(stamp.ToDateTime(), moment);
        QCOMPARE(stamp.ToString(), u"2024-02-29 23:59:58.007"_s);
        QCOMPARE(QVariant::fromValue(stamp).toDateTime(), moment);
        TSQLTimeStamp broken = stamp;
        broken.Month = 13;
        QVERIFY(!broken.ToDateTime().isValid());
    }
};

QTEST_GUILESS_MAIN(FormatTest)
#include "tst_format.moc"

// The host runtime's package-load and package-unload routines over unit tables built here: start
// order, reverse stop order, units shared by two tables, failures. Packages that require other
// packages: a package required by several is held once per holder, and the packages one package
// required are released in the reverse of the order they came in. The end of a host session
// stops every package, the last loaded first.

#include <QtTest>

#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostsession.h"
#include "packages.h"

using namespace Qt::StringLiterals;

namespace {

QStringList trace;
bool failStart = false, failStop = false;

// Start and stop work of units that leaves its trace; the failing unit raises when told to.
struct U {
    template <char Unit> static void start() { trace << u"+%1"_s.arg(Unit); }
    template <char Unit> static void stop() { trace << u"-%1"_s.arg(Unit); }
    static void failingStart()
    {
        if (failStart)
            throw EConvertError(u"start refused"_s);
        trace << u"+F"_s;
    }
    static void failingStop()
    {
        if (failStop)
            throw std::runtime_error("stop refused");
        trace << u"-F"_s;
    }
};
const PackageUnitEntry shared{&U::start<'S'>, &U::stop<'S'>};

TLibModule moduleA{"A", nullptr}, moduleB{"B", nullptr};

QString packageFile(const char *name)
{
    return QDir(QStringLiteral(KOR_TEST_PACKAGE_DIR)).filePath(QLatin1String(name) + ".so");
}

int refCount(const QString &name)
{
    for (const TLoadedPackage &package : LoadedPackages())
        if (package.Name == name)
            return package.RefCount;
    return 0;
}

} // namespace

class TestPackageShared : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_log;
    TAboutBox m_aboutBox;

    QStringList events()
    {
        QFile file(m_log);
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                   : QStringList();
    }

private slots:
    void init()
    {
        m_log = m_dir.filePath(u"events.log"_s);
        QFile::remove(m_log);
        qputenv("KOR_TEST_PACKAGE_LOG", QFile::encodeName(m_log));
        trace.clear();
        failStart = failStop = false;
        RegisterIDEService(IID_IOTAAboutBoxServices, &m_aboutBox);
    }

    void cleanup()
    {
        for (const char *name : {"KorTestLeft", "KorTestRight", "KorTestBoth"})
            if (IsPackageLoaded(QLatin1String(name)))
                UnloadPackage(QLatin1String(name));
        QVERIFY(LoadedPackages().isEmpty());
    }

    void sharedRequirementStaysWhileAnyHolderIsLoaded()
    {
        const QString base = u"KorTestBase"_s;
        LoadPackage(packageFile("KorTestLeft"));
        QCOMPARE(refCount(base), 1);
        LoadPackage(packageFile("KorTestRight"));
        QCOMPARE(refCount(base), 2);

        UnloadPackage(u"KorTestLeft"_s);
        QCOMPARE(refCount(base), 1);
        QVERIFY_THROWS_EXCEPTION(EPackageError, UnloadPackage(base));

        UnloadPackage(u"KorTestRight"_s);
        QVERIFY(!IsPackageLoaded(base));
        QCOMPARE(events().mid(3),
                 QStringList({"stop KorTestLeft", "stop KorTestRight", "stop KorTestBase"}));
    }

    void requirementsGoInTheReverseOfTheirLoadOrder()
    {
        LoadPackage(packageFile("KorTestBoth"));
        QCOMPARE(events(),
                 QStringList({"start KorTestBase", "start KorTestOther", "start KorTestBoth"}));
        QStringList loaded;
        for (const TLoadedPackage &package : LoadedPackages())
            loaded << package.Name;
        QCOMPARE(loaded, QStringList({"KorTestBase", "KorTestOther", "KorTestBoth"}));

        UnloadPackage(u"KorTestBoth"_s);
        QCOMPARE(events().mid(3),
                 QStringList({"stop KorTestBoth", "stop KorTestOther", "stop KorTestBase"}));
        QVERIFY(LoadedPackages().isEmpty());
    }

    // The session's end stops the packages the last loaded first while the host's services are
    // still there. A package that fails to stop is reported through the host, not thrown out of
    // the session's end, and the packages after it still stop.
    void sessionEndStopsPackagesLastLoadedFirst()
    {
        for (const QByteArray &failing : {QByteArray(), QByteArray("KorTestOther")}) {
            QFile::remove(m_log);
            qputenv("KOR_TEST_PACKAGE_FAIL_STOP", failing);
            TScriptedDialogs messages;
            {
                const THostDialogsScope messagesScope(messages);
                auto session = std::make_unique<THostSession>();
                LoadPackage(packageFile("KorTestLeft"));
                LoadPackage(packageFile("KorTestOther"));
                LoadPackage(packageFile("KorTestRight"));
                session.reset();
            }
            qunsetenv("KOR_TEST_PACKAGE_FAIL_STOP");
            QVERIFY(LoadedPackages().isEmpty());
            QCOMPARE(events().mid(4), QStringList({"stop KorTestRight", "stop KorTestOther",
                                                   "stop KorTestLeft", "stop KorTestBase"}));
            QCOMPARE(messages.Errors.size(), failing.isEmpty() ? 0 : 1);
            for (const QString &error : messages.Errors)
                QVERIFY(error.contains(failing) && error.contains("refused to stop"));
        }
    }

    void startsInOrderAndStopsInReverse()
    {
        const PackageUnitEntry units[] = {{&U::start<'A'>, &U::stop<'A'>},
                                          {nullptr, &U::stop<'B'>},
                                          {nullptr, nullptr},
                                          {&U::start<'C'>, nullptr}};
        const PackageInfoTable table{4, units};
        InitializePackage(moduleA, table);
        QCOMPARE(trace, QStringList({"+A", "+C"}));
        QCOMPARE(UnitStartCount(units[1]), 1); // a unit with stop work only is still counted
        QCOMPARE(UnitStartCount(units[2]), 0);

        InitializePackage(moduleA, table); // already started: nothing happens
        QCOMPARE(trace.size(), 2);
        QCOMPARE(UnitStartCount(units[0]), 1);

        FinalizePackage(moduleA, table);
        QCOMPARE(trace, QStringList({"+A", "+C", "-B", "-A"}));
        FinalizePackage(moduleA, table); // not started: nothing happens
        QCOMPARE(trace.size(), 4);
        QCOMPARE(UnitStartCount(units[0]), 0);
    }

    void aSharedUnitStopsAtTheLastStop()
    {
        const PackageUnitEntry unitsA[] = {shared, {&U::start<'A'>, &U::stop<'A'>}};
        const PackageUnitEntry unitsB[] = {shared, {&U::start<'B'>, &U::stop<'B'>}};
        const PackageInfoTable tableA{2, unitsA}, tableB{2, unitsB};

        InitializePackage(moduleA, tableA);
        InitializePackage(moduleB, tableB);
        QCOMPARE(trace, QStringList({"+S", "+A", "+B"}));
        QCOMPARE(UnitStartCount(shared), 2);

        FinalizePackage(moduleA, tableA);
        QCOMPARE(trace, QStringList({"+S", "+A", "+B", "-A"}));
        QCOMPARE(UnitStartCount(shared), 1);

        FinalizePackage(moduleB, tableB);
        QCOMPARE(trace, QStringList({"+S", "+A", "+B", "-A", "-B", "-S"}));
        QCOMPARE(UnitStartCount(shared), 0);
    }

    void aFailingStartUndoesThisStart()
    {
        failStart = true;
        const PackageUnitEntry unitsA[] = {shared};
        const PackageUnitEntry unitsB[] = {shared,
                                           {&U::start<'B'>, &U::stop<'B'>},
                                           {&U::failingStart, &U::failingStop},
                                           {&U::start<'C'>, &U::stop<'C'>}};
        const PackageInfoTable tableA{1, unitsA}, tableB{4, unitsB};
        InitializePackage(moduleA, tableA);
        try {
            InitializePackage(moduleB, tableB);
            QFAIL("the failing start was not reported");
        } catch (const EPackageError &e) {
            QVERIFY(e.Message().contains("start refused") && e.Message().contains("'B'"));
        }
        // B started and stopped again; the shared unit stays started for table A; C never ran.
        QCOMPARE(trace, QStringList({"+S", "+B", "-B"}));
        QCOMPARE(UnitStartCount(shared), 1);
        QCOMPARE(UnitStartCount(unitsB[2]), 0);

        // The failed table counts as not started and can be started later.
        failStart = false;
        InitializePackage(moduleB, tableB);
        QCOMPARE(UnitStartCount(shared), 2);
        FinalizePackage(moduleB, tableB);
        FinalizePackage(moduleA, tableA);
        QCOMPARE(UnitStartCount(shared), 0);
    }

    void aFailingStopDoesNotKeepOthersFromStopping()
    {
        const PackageUnitEntry units[] = {{&U::start<'A'>, &U::stop<'A'>},
                                          {&U::failingStart, &U::failingStop},
                                          {&U::start<'C'>, &U::stop<'C'>}};
        const PackageInfoTable table{3, units};
        InitializePackage(moduleA, table);
        failStop = true;
        QVERIFY_THROWS_EXCEPTION(EPackageError, FinalizePackage(moduleA, table));
        QCOMPARE(trace, QStringList({"+A", "+F", "+C", "-C", "-A"}));
        QCOMPARE(UnitStartCount(units[1]), 0);
    }
};

QTEST_MAIN(TestPackageShared)
#include "tst_packageshared.moc"

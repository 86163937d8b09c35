// The host runtime's package-load and package-unload routines over unit tables built here: start
// order, reverse stop order, units shared by two tables, failures, and the module list.

#include <QtTest>

#include "hosterrors.h"
#include "hostunits.h"
#include "packages.h"

namespace {

QStringList trace;
bool failStart = false;
bool failStop = false;

template <char Unit> void start()
{
    trace << QStringLiteral("+%1").arg(Unit);
}
template <char Unit> void stop()
{
    trace << QStringLiteral("-%1").arg(Unit);
}
void failingStart()
{
    if (failStart)
        throw EConvertError(QStringLiteral("start refused"));
    trace << QStringLiteral("+F");
}
void failingStop()
{
    if (failStop)
        throw std::runtime_error("stop refused");
    trace << QStringLiteral("-F");
}

const PackageUnitEntry shared{&start<'S'>, &stop<'S'>};

TLibModule moduleA{"A", nullptr};
TLibModule moduleB{"B", nullptr};

} // namespace

class TestPackageRuntime : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        trace.clear();
        failStart = failStop = false;
    }

    void startsInOrderAndStopsInReverse()
    {
        const PackageUnitEntry units[] = {{&start<'A'>, &stop<'A'>},
                                          {nullptr, &stop<'B'>},
                                          {nullptr, nullptr},
                                          {&start<'C'>, nullptr}};
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
        const PackageUnitEntry unitsA[] = {shared, {&start<'A'>, &stop<'A'>}};
        const PackageUnitEntry unitsB[] = {shared, {&start<'B'>, &stop<'B'>}};
        const PackageInfoTable tableA{2, unitsA};
        const PackageInfoTable tableB{2, unitsB};

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

    void aSharedHostUnitStaysStartedWhileUsed()
    {
        const PackageUnitEntry toolsapi{&Toolsapi_Initialization, &Toolsapi_Finalization};
        const PackageUnitEntry unitsA[] = {toolsapi, {nullptr, &stop<'A'>}};
        const PackageUnitEntry unitsB[] = {toolsapi};
        const PackageInfoTable tableA{2, unitsA};
        const PackageInfoTable tableB{1, unitsB};

        QVERIFY(!IsHostUnitStarted(QStringLiteral("Toolsapi")));
        InitializePackage(moduleA, tableA);
        InitializePackage(moduleB, tableB);
        FinalizePackage(moduleB, tableB);
        QVERIFY(IsHostUnitStarted(QStringLiteral("Toolsapi")));
        FinalizePackage(moduleA, tableA);
        QVERIFY(!IsHostUnitStarted(QStringLiteral("Toolsapi")));
        QVERIFY(!IsHostUnitStarted(QStringLiteral("NoSuchUnit")));
    }

    void aFailingStartUndoesThisStart()
    {
        failStart = true;
        const PackageUnitEntry unitsA[] = {shared};
        const PackageUnitEntry unitsB[] = {shared,
                                           {&start<'B'>, &stop<'B'>},
                                           {&failingStart, &failingStop},
                                           {&start<'C'>, &stop<'C'>}};
        const PackageInfoTable tableA{1, unitsA};
        const PackageInfoTable tableB{4, unitsB};
        InitializePackage(moduleA, tableA);
        try {
            InitializePackage(moduleB, tableB);
            QFAIL("the failing start was not reported");
        } catch (const EPackageError &e) {
            QVERIFY2(e.Message().contains("start refused") && e.Message().contains("'B'"),
                     qPrintable(e.Message()));
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
        const PackageUnitEntry units[] = {
            {&start<'A'>, &stop<'A'>}, {&failingStart, &failingStop}, {&start<'C'>, &stop<'C'>}};
        const PackageInfoTable table{3, units};
        InitializePackage(moduleA, table);
        failStop = true;
        QVERIFY_THROWS_EXCEPTION(EPackageError, FinalizePackage(moduleA, table));
        QCOMPARE(trace, QStringList({"+A", "+F", "+C", "-C", "-A"}));
        QCOMPARE(UnitStartCount(units[1]), 0);
    }

    void invalidTablesRaise()
    {
        const PackageInfoTable negative{-1, nullptr};
        const PackageInfoTable missing{3, nullptr};
        QVERIFY_THROWS_EXCEPTION(EPackageError, InitializePackage(moduleA, negative));
        QVERIFY_THROWS_EXCEPTION(EPackageError, InitializePackage(moduleA, missing));
        QVERIFY_THROWS_EXCEPTION(EPackageError, FinalizePackage(moduleA, missing));
        const PackageInfoTable empty{0, nullptr};
        InitializePackage(moduleA, empty);
        FinalizePackage(moduleA, empty);
    }

    void moduleList()
    {
        RegisterLibModule(&moduleA);
        RegisterLibModule(&moduleA);
        RegisterLibModule(&moduleB);
        QCOMPARE(LibModules(), QList<const TLibModule *>({&moduleA, &moduleB}));
        UnregisterLibModule(&moduleA);
        UnregisterLibModule(&moduleA);
        QCOMPARE(LibModules(), QList<const TLibModule *>({&moduleB}));
        UnregisterLibModule(&moduleB);
        QVERIFY(LibModules().isEmpty());
    }
};

QTEST_MAIN(TestPackageRuntime)
#include "tst_packageruntime.moc"

// Packages that require other packages: a package required by several is held once per holder,
// and the packages one package required are released in the reverse of the order they came in.
// The end of a host session stops every package, the last loaded first.

#include <QtTest>

#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostsession.h"
#include "packages.h"

namespace {

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
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void init()
    {
        m_log = m_dir.filePath(QStringLiteral("events.log"));
        QFile::remove(m_log);
        qputenv("KOR_TEST_PACKAGE_LOG", QFile::encodeName(m_log));
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
        const QString base = QStringLiteral("KorTestBase");
        LoadPackage(packageFile("KorTestLeft"));
        QCOMPARE(refCount(base), 1);
        LoadPackage(packageFile("KorTestRight"));
        QCOMPARE(refCount(base), 2);
        QCOMPARE(events(),
                 QStringList({"start KorTestBase", "start KorTestLeft", "start KorTestRight"}));

        UnloadPackage(QStringLiteral("KorTestLeft"));
        QVERIFY(IsPackageLoaded(base));
        QCOMPARE(refCount(base), 1);
        QVERIFY_THROWS_EXCEPTION(EPackageError, UnloadPackage(base));

        UnloadPackage(QStringLiteral("KorTestRight"));
        QVERIFY(!IsPackageLoaded(base));
        QCOMPARE(events().mid(3),
                 QStringList({"stop KorTestLeft", "stop KorTestRight", "stop KorTestBase"}));
    }

    void requirementsGoInTheReverseOfTheirLoadOrder()
    {
        LoadPackage(packageFile("KorTestBoth"));
        QCOMPARE(events(),
                 QStringList({"start KorTestBase", "start KorTestOther", "start KorTestBoth"}));
        const QStringList loaded = [] {
            QStringList names;
            for (const TLoadedPackage &package : LoadedPackages())
                names << package.Name;
            return names;
        }();
        QCOMPARE(loaded, QStringList({"KorTestBase", "KorTestOther", "KorTestBoth"}));

        UnloadPackage(QStringLiteral("KorTestBoth"));
        QCOMPARE(events().mid(3),
                 QStringList({"stop KorTestBoth", "stop KorTestOther", "stop KorTestBase"}));
        QVERIFY(LoadedPackages().isEmpty());
    }

    // The session's end stops the packages the last loaded first while the host's services are
    // still there. A package that fails to stop is reported through the host, not thrown out of
    // the session's end, and the packages after it still stop.
    void sessionEndStopsPackagesLastLoadedFirst_data()
    {
        QTest::addColumn<QByteArray>("failing");
        QTest::addRow("every package stops") << QByteArray();
        QTest::addRow("one refuses to stop") << QByteArray("KorTestOther");
    }

    void sessionEndStopsPackagesLastLoadedFirst()
    {
        QFETCH(QByteArray, failing);
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
            QVERIFY2(error.contains(failing) && error.contains("refused to stop"),
                     qPrintable(error));
    }
};

QTEST_MAIN(TestPackageShared)
#include "tst_packageshared.moc"

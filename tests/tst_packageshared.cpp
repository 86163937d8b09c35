// Packages that require other packages: a package required by several is held once per holder,
// and the packages one package required are released in the reverse of the order they came in.

#include <QtTest>

#include "hosterrors.h"
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
};

QTEST_MAIN(TestPackageShared)
#include "tst_packageshared.moc"

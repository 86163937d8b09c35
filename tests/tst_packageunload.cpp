// Unloading the design-time module leaves nothing of it behind: a designer window opened, its
// tabs dragged (the drag and hint services start), closed or left open, and the package
// unloaded, three times over; after each unload the module is no longer mapped, and the program
// ends cleanly. A Register procedure or a unit stop that raises is reported and unloads the
// package cleanly.

#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "compedit.h"
#include "controldrag.h"
#include "designintf.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "packages.h"
#include "regini.h"
#include "registration.h"
#include "services.h"
#include "showhint.h"
#include "testsupport.h"

namespace {

const QString packageName = QStringLiteral("DCLKorDBGrid90");

QString moduleFile()
{
    return QFileInfo(PackageModuleFile()).canonicalFilePath();
}

bool moduleMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return true; // cannot tell: count it as a failure
    return maps.readAll().contains(QFile::encodeName(moduleFile()));
}

// A splash service that refuses the product's entry, so the Register procedure that adds it
// raises.
class TRefusingSplash : public ISplashScreenServices {
public:
    void AddPluginBitmap(const QString &, const QImage &, bool, const QString &,
                         const QString &) override
    {
        throw EInvalidOperation(QStringLiteral("the splash screen is closed"));
    }
};

// An about box that refuses to give the product's entry back, so the unit stop that removes it
// raises.
class TRefusingAboutBox : public TAboutBox {
public:
    void RemovePluginInfo(int) override
    {
        throw EInvalidOperation(QStringLiteral("the about box is closed"));
    }
};

} // namespace

class TestPackageUnload : public QObject {
    Q_OBJECT
    TSplashScreen splash;
    TAboutBox aboutBox;

private slots:
    void init()
    {
        ResetTestSettingsDir();
        splash.Entries.clear();
        SetSplashScreenServices(&splash);
        RegisterIDEService(IID_IOTAAboutBoxServices, &aboutBox);
    }

    void cleanup()
    {
        if (IsPackageLoaded(packageName))
            UnloadPackage(packageName);
    }

    void designerWindowsLeaveNothingBehind()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        const TRegIniFile state(BaseRegistryKey() +
                                QStringLiteral("\\Property Editors\\Brisk Designer"));
        for (int round = 1; round <= 3; ++round) {
            QVERIFY(!moduleMapped());
            QCOMPARE(LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl")), packageName);
            QVERIFY(moduleMapped());

            // The grid's registered component editor opens the designer window; the editor's
            // code is the module's, so it is gone before the unload.
            QPointer<QWidget> window;
            {
                std::unique_ptr<TDefaultEditor> editor = GetComponentEditor(grid, &designer);
                QCOMPARE(editor->GetVerb(3), QStringLiteral("Kor-DBGrid Designer..."));
                editor->ExecuteVerb(3);
            }
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->inherits("TBriskDesigner") && w->isVisible())
                    window = w;
            QVERIFY(window);
            auto *pages = window->findChild<QTabWidget *>(QStringLiteral("PageControl"));
            QVERIFY(pages);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QVERIFY(Application::OnShowHint()); // the window's hint handler is in place

            // Drag the first tab onto the third.
            QTabBar *bar = pages->tabBar();
            const QPoint from = bar->tabRect(0).center();
            const QPoint to = bar->tabRect(2).center();
            QTest::mousePress(bar, Qt::LeftButton, {}, from);
            QTest::mouseMove(bar, from + QPoint(20, 0));
            QTest::mouseMove(bar, to);
            QVERIFY(Dragging());
            QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
            QVERIFY(!Dragging());
            QCOMPARE(pages->widget(2)->objectName(), QStringLiteral("LayoutTabSheet"));

            // The last round leaves the window open: the unload closes it the normal way, which
            // saves its form state.
            if (round < 3) {
                window->close();
                QTRY_VERIFY(window.isNull());
            }
            TRegIniFile(state.Key()).EraseSection(QStringLiteral("TKorDBGridDesigner"));
            UnloadPackage(packageName);
            QVERIFY(window.isNull());
            QVERIFY(!moduleMapped());
            QVERIFY(!Application::OnShowHint());
            QCOMPARE(state.ValueExists(QStringLiteral("TKorDBGridDesigner"), QStringLiteral("Top")),
                     round == 3);
            QCOMPARE(ModuleReleaseCount(packageName), 0);
        }
    }

    // A host service that refuses the package, at its registration or at its units' stop: the
    // failure is reported with what failed, the package is unloaded all the same, nothing of it
    // stays registered, and the host loads it again once the service works.
    void refusingHostServiceIsReportedAndUnloaded_data()
    {
        QTest::addColumn<bool>("atStop");
        QTest::addColumn<QString>("reported");
        QTest::addRow("at registration") << false << QStringLiteral("KorDBGridsReg");
        QTest::addRow("at the units' stop") << true << QStringLiteral("failed to stop");
    }

    void refusingHostServiceIsReportedAndUnloaded()
    {
        QFETCH(bool, atStop);
        QFETCH(QString, reported);
        TRefusingSplash refusingSplash;
        TRefusingAboutBox refusingAboutBox;
        if (atStop)
            RegisterIDEService(IID_IOTAAboutBoxServices, &refusingAboutBox);
        else
            SetSplashScreenServices(&refusingSplash);
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        {
            TScriptedDialogs messages;
            const THostDialogsScope messagesScope(messages);
            try {
                LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
                UnloadPackage(packageName);
                QFAIL("the failure was not raised");
            } catch (...) {
                HandleHostException();
            }
            QCOMPARE(messages.Errors.size(), 1);
            QVERIFY2(messages.Errors[0].contains(reported) &&
                         messages.Errors[0].contains(QStringLiteral("is closed")),
                     qPrintable(messages.Errors[0]));
        }
        QVERIFY(!IsPackageLoaded(packageName));
        QVERIFY(!moduleMapped());
        for (const TRegistration &r : Registrations())
            QVERIFY(r.Module != packageName);
        QCOMPARE(GetComponentEditor(grid, &designer)->metaObject(),
                 &TDefaultEditor::staticMetaObject);

        splash.Entries.clear();
        SetSplashScreenServices(&splash);
        RegisterIDEService(IID_IOTAAboutBoxServices, &aboutBox);
        QCOMPARE(LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl")), packageName);
        QCOMPARE(splash.Entries.size(), 1);
        UnloadPackage(packageName);
        QVERIFY(!moduleMapped());
    }
};

QTEST_MAIN(TestPackageUnload)
#include "tst_packageunload.moc"

// Loading the design-time module as the host does: required packages, unit start, the Register
// procedures and what they register, the product's splash and about-box entries, the stop work
// of the units, a second round after the first; the records the module carries; the refusals of
// damaged, foreign and incomplete modules. Unloading leaves nothing of it behind, also after a
// designer window was used, and when a Register procedure or a unit stop raises.

#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "collectioneditor.h"
#include "column.h"
#include "columnsdialog.h"
#include "compedit.h"
#include "designintf.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "hostunits.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "packages.h"
#include "propedit.h"
#include "regini.h"
#include "registration.h"
#include "runtimeunits.h"
#include "services.h"
#include "showhint.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString packageName = u"DCLKorDBGrid90"_s;
const QString caption =
    u"Kor-DBGrid Component - ver. 8.6 (%1), build 8.134"_s.arg(DesignHostPlatform());

int registrationsOf(const QString &module)
{
    return std::ranges::count(Registrations(), module, &TRegistration::Module);
}

bool allOutsideUnitsStarted(bool started)
{
    return std::ranges::all_of(HostUnitNames(),
                               [=](auto &u) { return IsHostUnitStarted(u) == started; }) &&
           std::ranges::all_of(RuntimeUnitNames(),
                               [=](auto &u) { return IsRuntimeUnitStarted(u) == started; });
}

bool moduleListed()
{
    return std::ranges::any_of(LibModules(), [](auto *m) { return m->Name == packageName; });
}

// A copy of the module whose manifest names another run-time package, with a matching hash.
QByteArray requiringMissingPackage()
{
    QByteArray bytes = ReadTestFile(PackageModuleFile());
    const qsizetype manifest =
        bytes.indexOf(ReadModuleSection(PackageModuleFile(), PackageInfoSection));
    const qsizetype at = bytes.indexOf(QByteArray("VCLKorDBGrid90.bpl") + '\0', manifest);
    if (manifest < 0 || at < 1)
        return {};
    bytes[at + 13] = 'X'; // VCLKorDBGrid9X.bpl
    bytes[at - 1] = char(PackageNameHash("VCLKorDBGrid9X.bpl"));
    return bytes;
}

bool moduleMapped()
{
    QFile maps(u"/proc/self/maps"_s); // when it cannot tell, it counts as a failure
    return !maps.open(QIODevice::ReadOnly) ||
           maps.readAll().contains(
               QFile::encodeName(QFileInfo(PackageModuleFile()).canonicalFilePath()));
}

// A splash service that refuses the product's entry, so the Register procedure that adds it
// raises.
class TRefusingSplash : public ISplashScreenServices {
public:
    void AddPluginBitmap(const QString &, const QImage &, bool, const QString &,
                         const QString &) override
    {
        throw EInvalidOperation(u"the splash screen is closed"_s);
    }
};

// An about box that refuses to give the product's entry back, so the unit stop that removes it
// raises.
class TRefusingAboutBox : public TAboutBox {
public:
    void RemovePluginInfo(int) override { throw EInvalidOperation(u"the about box is closed"_s); }
};

} // namespace

class TestPackageLoader : public QObject {
    Q_OBJECT
    TSplashScreen splash;
    TAboutBox aboutBox;

private slots:
    void init()
    {
        ResetTestSettingsDir();
        splash.Entries.clear();
        aboutBox.Entries.clear();
        SetSplashScreenServices(&splash);
        RegisterIDEService(IID_IOTAAboutBoxServices, &aboutBox);
    }

    void cleanup()
    {
        if (IsPackageLoaded(packageName))
            UnloadPackage(packageName);
    }

    // Two rounds of load, start, register and stop behave alike and leave nothing behind.
    void loadStartRegisterStopTwice()
    {
        for (int round = 1; round <= 2; ++round) {
            QCOMPARE(LoadPackage(u"DCLKorDBGrid90.bpl"_s), packageName);
            QVERIFY(IsPackageLoaded(packageName) && moduleListed() && allOutsideUnitsStarted(true));

            QCOMPARE(LoadedPackages().size(), 1);
            const TLoadedPackage loaded = LoadedPackages()[0];
            QCOMPARE(loaded.FileName, QFileInfo(PackageModuleFile()).canonicalFilePath());
            QVERIFY(loaded.RequiredFiles.size() == 2 && loaded.Manifest.Flags & pfDesignOnly);
            QCOMPARE(loaded.Description, u"Kor-DBGrid Component 8.6"_s);
            QCOMPARE(loaded.Version.FileVersionText(), u"8.6.0.134"_s);

            QCOMPARE(RegisteringModule(), QString());
            QCOMPARE(splash.Entries.size(), round);
            QCOMPARE(splash.Entries.last().Caption, caption);
            QCOMPARE(aboutBox.Entries.size(), 1);
            QCOMPARE(aboutBox.Entries[0].Title, caption);
            QCOMPARE(aboutBox.Entries[0].Image.size(), QSize(24, 24));

            UnloadPackage(packageName);
            QVERIFY(!IsPackageLoaded(packageName) && !moduleListed() && aboutBox.Entries.isEmpty());
            QCOMPARE(registrationsOf(packageName), 0);
            QVERIFY(allOutsideUnitsStarted(false));
        }
    }

    // A second load or unload is refused; a stop without host services stops quietly.
    void stopWithoutAboutBoxService()
    {
        LoadPackage(PackageModuleFile());
        QVERIFY_THROWS_EXCEPTION(EPackageError, LoadPackage(PackageModuleFile()));
        UnregisterIDEService(IID_IOTAAboutBoxServices);
        UnloadPackage(packageName);
        QVERIFY_THROWS_EXCEPTION(EPackageError, UnloadPackage(packageName));
        QCOMPARE(aboutBox.Entries.size(), 1); // nobody to remove it from

        // Without any host service the product registers nothing and stops quietly.
        SetSplashScreenServices(nullptr);
        aboutBox.Entries.clear();
        LoadPackage(PackageModuleFile());
        QVERIFY(aboutBox.Entries.isEmpty());
        RegisterIDEService(IID_IOTAAboutBoxServices, &aboutBox);
        UnloadPackage(packageName);
        QVERIFY(aboutBox.Entries.isEmpty());
        QCOMPARE(splash.Entries.size(), 1);
    }

    // The grid's context menu comes from the package; a columns editor it opened that is still
    // open when the package goes is destroyed with it.
    void componentEditorsComeAndGoWithThePackage()
    {
        TFormDesigner designer;
        TKorDBGrid *grid = designer.Create<TKorDBGrid>();
        LoadPackage(u"DCLKorDBGrid90.bpl"_s);
        GetComponentEditor(grid, &designer)->ExecuteVerb(2);
        const QList<TCollectionEditor *> open = TCollectionEditor::OpenEditors();
        QCOMPARE(open.size(), 1);
        QPointer<TCollectionEditor> columnsEditor = open[0];
        QCOMPARE(columnsEditor->Collection(), grid->Columns());

        UnloadPackage(packageName);
        QVERIFY(columnsEditor.isNull());
    }

    void everyDamagedRecordIsRefused()
    {
        // Worked by hand, case aside: 'A' = 0x41; rotl3(0x41) = 0x0A, ^ 'B' (0x42) = 0x48.
        QCOMPARE(PackageNameHash("ab"), 0x48);
        const QByteArray good = ReadModuleSection(PackageModuleFile(), PackageInfoSection);
        for (qsizetype length = 0; length < good.size(); ++length)
            QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(good.left(length)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(good + '\0'));
        QByteArray bad = good;
        bad[8] = char(bad[8] ^ 0x01); // hash of the first required package
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(bad));
        bad = good;
        bad[4] = '\xFF'; // required count 0x000000FF
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(bad));
        bad[7] = '\xFF'; // negative
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(bad));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageDescription(QByteArray("K\0o\0", 4)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageDescription(QByteArray("K\0o", 3)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageVersion(QByteArray("KVR2........")));
    }

    // A file that is no package, a damaged module, a library without a manifest, a module whose
    // required package is missing, a name nowhere to be found: each load is refused with the
    // name of what is wrong, and leaves nothing started or registered.
    void refusedFiles()
    {
        QTemporaryDir dir;
        const QByteArray module = ReadTestFile(PackageModuleFile());
        QVERIFY(module.size() > 4096);
        QByteArray noSectionTable = module;
        // e_shoff of a 64-bit header sits at byte 40; point it past the end of the file.
        const quint64 past = quint64(module.size()) + 64;
        memcpy(noSectionTable.data() + 40, &past, sizeof past);
        const auto file = [&](const char *name, const QByteArray &bytes) {
            return WriteTestFile(dir.filePath(QLatin1String(name)), bytes);
        };
        const struct {
            QString path;
            QString named;
        } rows[] = {{file("empty.so", {}), "empty.so"},
                    {file("text.so", "This is no module at all\n"), "text.so"},
                    {file("truncated.so", module.left(4096)), "truncated.so"},
                    {file("header-only.so", module.left(20)), "header-only.so"},
                    {file("bad-table.so", noSectionTable), "bad-table.so"},
                    {dir.filePath("missing.so"), "missing.so"},
                    {QDir(qEnvironmentVariable("KOR_PACKAGE_DIR")).filePath("libVCLKorDBGrid90.so"),
                     "libVCLKorDBGrid90.so"},
                    {file("DCLKorDBGrid90.so", requiringMissingPackage()), "VCLKorDBGrid9X.bpl"},
                    {"NoSuchPackage.bpl", "NoSuchPackage.bpl"}};
        for (const auto &row : rows) {
            try {
                LoadPackage(row.path);
                QFAIL(qPrintable(row.path + " was loaded"));
            } catch (const EPackageError &e) {
                QVERIFY(e.Message().contains(row.named));
            }
            QVERIFY(LoadedPackages().isEmpty() && allOutsideUnitsStarted(false) &&
                    aboutBox.Entries.isEmpty());
            QCOMPARE(registrationsOf(packageName), 0);
        }
    }

    void designerWindowsLeaveNothingBehind()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        const TRegIniFile state(BaseRegistryKey() + u"\\Property Editors\\Brisk Designer"_s);
        for (int round = 1; round <= 3; ++round) {
            QVERIFY(!moduleMapped());
            QCOMPARE(LoadPackage(u"DCLKorDBGrid90.bpl"_s), packageName);
            QVERIFY(moduleMapped());

            // The grid's registered component editor opens the designer window; the editor's
            // code is the module's, so it is gone before the unload.
            QCOMPARE(GetComponentEditor(grid, &designer)->GetVerb(3), u"Kor-DBGrid Designer..."_s);
            GetComponentEditor(grid, &designer)->ExecuteVerb(3);
            QPointer<QWidget> window;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->inherits("TBriskDesigner") && w->isVisible())
                    window = w;
            QVERIFY(window);
            auto *pages = window->findChild<QTabWidget *>(u"PageControl"_s);
            QVERIFY(pages);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QVERIFY(Application::OnShowHint()); // the window's hint handler is in place

            // Drag the first tab onto the third.
            QTabBar *bar = pages->tabBar();
            const QPoint from = bar->tabRect(0).center(), to = bar->tabRect(2).center();
            QTest::mousePress(bar, Qt::LeftButton, {}, from);
            QTest::mouseMove(bar, from + QPoint(20, 0));
            QTest::mouseMove(bar, to);
            QTest::mouseRelease(bar, Qt::LeftButton, {}, to);

            // The last round leaves the window open: the unload closes it the normal way, which
            // saves its form state.
            if (round < 3) {
                window->close();
                QTRY_VERIFY(window.isNull());
            }
            TRegIniFile(state.Key()).EraseSection(u"TKorDBGridDesigner"_s);
            UnloadPackage(packageName);
            QVERIFY(window.isNull() && !moduleMapped() && !Application::OnShowHint());
            QCOMPARE(state.ValueExists(u"TKorDBGridDesigner"_s, u"Top"_s), round == 3);
            QCOMPARE(ModuleReleaseCount(packageName), 0);
        }
    }

    // A host service that refuses the package, at its registration or at its units' stop: the
    // failure is reported with what failed, the package is unloaded all the same, nothing of it
    // stays registered, and the host loads it again once the service works.
    void refusingHostServiceIsReportedAndUnloaded()
    {
        for (const bool atStop : {false, true}) {
            TRefusingSplash refusingSplash;
            TRefusingAboutBox refusingAboutBox;
            if (atStop)
                RegisterIDEService(IID_IOTAAboutBoxServices, &refusingAboutBox);
            else
                SetSplashScreenServices(&refusingSplash);
            {
                TScriptedDialogs messages;
                const THostDialogsScope messagesScope(messages);
                try {
                    LoadPackage(u"DCLKorDBGrid90.bpl"_s);
                    UnloadPackage(packageName);
                    QFAIL("the failure was not raised");
                } catch (...) {
                    HandleHostException();
                }
                QCOMPARE(messages.Errors.size(), 1);
                QVERIFY(messages.Errors[0].contains(atStop ? "failed to stop" : "KorDBGridsReg") &&
                        messages.Errors[0].contains(u"is closed"_s));
            }
            QVERIFY(!IsPackageLoaded(packageName) && !moduleMapped());
            QCOMPARE(registrationsOf(packageName), 0);

            splash.Entries.clear();
            SetSplashScreenServices(&splash);
            RegisterIDEService(IID_IOTAAboutBoxServices, &aboutBox);
            QCOMPARE(LoadPackage(u"DCLKorDBGrid90.bpl"_s), packageName);
            QCOMPARE(splash.Entries.size(), 1);
            UnloadPackage(packageName);
            QVERIFY(!moduleMapped());
        }
    }

    // The load reports nothing: every property a registration names is published with the
    // registered type. A string property that holds field names offers them: its editor is one
    // for fields (DataField, the field of a control's own data link, is left to the host).
    void propertiesExistWithTheirTypes()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        TKorColumn *column = grid->Columns()->Add();
        QList<QObject *> instances{
            grid,   grid->Gradient(), grid->Search(),       grid->Totals(), grid->TreeView(),
            column, column->Title(),  column->TotalFooter()};
        instances << designer.Create<TKorDBEditor>() << designer.Create<TKorDBColumn>()
                  << designer.Create<TKorDBColumnsDialog>() << designer.Create<TKorDBNavigator>();
        TScriptedDialogs messages;
        {
            const THostDialogsScope messagesScope(messages);
            LoadPackage(u"DCLKorDBGrid90.bpl"_s);
        }
        QVERIFY(messages.Errors.isEmpty());
        QStringList plain;
        for (QObject *object : instances)
            for (PPropInfo info : GetPropList(object)) {
                const QMetaObject *editor = FindPropertyEditorClass(info, object);
                if (info->IsString() && info->Name != "DataField" &&
                    QRegularExpression("Fields?$").match(info->Name).hasMatch() &&
                    !(editor && QByteArray(editor->className()).contains("Field")))
                    plain << object->metaObject()->className() + ('.' + info->Name);
            }
        QVERIFY(plain.isEmpty());
    }

    // The palette shows every registered class with its bitmap, background see-through, and each
    // entry can be placed on a form; the icons go with the package.
    void paletteEntries()
    {
        const QMetaObject *grid = &TKorDBGrid::staticMetaObject;
        QVERIFY(GetPaletteIcon(grid).isNull());
        LoadPackage(u"DCLKorDBGrid90.bpl"_s);
        const QList<const QMetaObject *> classes = GetPaletteClasses("Data Controls");
        QVERIFY(classes.contains(grid));
        TFormDesigner designer;
        for (const QMetaObject *Class : classes) {
            QVERIFY(designer.CreateComponent(Class));
            const QIcon icon = GetPaletteIcon(Class);
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(24, 24)});
            const QImage image = icon.pixmap(24, 24).toImage();
            // The background is see-through, the picture is not.
            QVERIFY(qAlpha(image.pixel(0, 23)) == 0 && qAlpha(image.pixel(12, 12)) == 255);
        }
        QVERIFY(GetPaletteIcon(&TKorCustomDBGrid::staticMetaObject).isNull());
        UnloadPackage(packageName);
        QVERIFY(GetPaletteIcon(grid).isNull());
    }
};

QTEST_MAIN(TestPackageLoader)
#include "tst_packageloader.moc"

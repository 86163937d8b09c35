// Loading the design-time module as the host does: required packages, unit start, the Register
// procedures and their order, the product's splash and about-box entries, the stop work of the
// units, a second round after the first, and the refusals.

#include <QPointer>
#include <QtTest>

#include <dlfcn.h>

#include "collectioneditor.h"
#include "compedit.h"
#include "formdesigner.h"
#include "grid.h"
#include "hosterrors.h"
#include "hostunits.h"
#include "packages.h"
#include "propedit.h"
#include "registration.h"
#include "runtimeunits.h"
#include "services.h"
#include "testsupport.h"

namespace {

const QString packageName = QStringLiteral("DCLKorDBGrid90");
const QString caption =
    QStringLiteral("Kor-DBGrid Component - ver. 8.6 (%1), build 8.134").arg(DesignHostPlatform());

// The module, held open by the test itself so that its package-wide state can be inspected
// between the host's loads and unloads. The package's own procedures are found by their link
// names, since this program does not link the package code.
class ModuleProbe {
public:
    ModuleProbe() : m_handle(dlopen(QFile::encodeName(PackageModuleFile()).constData(), RTLD_NOW))
    {
    }
    ~ModuleProbe()
    {
        if (m_handle)
            dlclose(m_handle);
    }
    bool isOpen() const { return m_handle != nullptr; }
    template <typename Fn> Fn *proc(const char *linkName) const
    {
        return reinterpret_cast<Fn *>(dlsym(m_handle, linkName));
    }
    bool designerListExists() const
    {
        auto list = proc<void *()>("_ZN11IDEDesignEd12DesignerListEv");
        return list && list();
    }
    void addDesignerWindow(QWidget *window) const
    {
        if (auto add = proc<void(QWidget *)>("_ZN11IDEDesignEd17AddDesignerWindowEP7QWidget"))
            add(window);
    }
    void useLineCaptions() const
    {
        if (auto captions = proc<const void *()>("_ZN11IDELinesDlg12LineCaptionsEv"))
            captions();
    }
    bool lineCaptionsHeld() const
    {
        auto held = proc<bool()>("_ZN11IDELinesDlg16LineCaptionsHeldEv");
        return held && held();
    }

private:
    void *m_handle;
};

int registrationsOf(const QString &module)
{
    int count = 0;
    for (const TRegistration &r : Registrations())
        count += r.Module == module;
    return count;
}

bool allOutsideUnitsStarted(bool started)
{
    for (const QString &unit : HostUnitNames())
        if (IsHostUnitStarted(unit) != started)
            return false;
    for (const QString &unit : RuntimeUnitNames())
        if (IsRuntimeUnitStarted(unit) != started)
            return false;
    return true;
}

bool moduleListed()
{
    for (const TLibModule *module : LibModules())
        if (module->Name == packageName)
            return true;
    return false;
}

// A copy of the module whose manifest names another run-time package, with a matching hash.
QString copyRequiringMissingPackage(const QTemporaryDir &dir)
{
    QFile source(PackageModuleFile());
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.readAll();
    const qsizetype manifest =
        bytes.indexOf(ReadModuleSection(PackageModuleFile(), PackageInfoSection));
    const qsizetype at = bytes.indexOf(QByteArray("VCLKorDBGrid90.bpl") + '\0', manifest);
    if (manifest < 0 || at < 1)
        return {};
    bytes[at + 13] = 'X'; // VCLKorDBGrid9X.bpl
    bytes[at - 1] = char(PackageNameHash("VCLKorDBGrid9X.bpl"));
    const QString path = dir.filePath(QStringLiteral("DCLKorDBGrid90.so"));
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size())
        return {};
    return path;
}

} // namespace

class TestPackageLoader : public QObject {
    Q_OBJECT
    TSplashScreen splash;
    TAboutBox aboutBox;

    // Two rounds of load, start, register and stop behave alike and leave nothing behind.
    void loadStartRegisterStop(const ModuleProbe &probe)
    {
        for (int round = 1; round <= 2; ++round) {
            // A designer window still open at the stop is destroyed with the package's code.
            QPointer<QWidget> designerWindow = new QWidget;
            QCOMPARE(LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl")), packageName);
            QVERIFY(IsPackageLoaded(packageName));
            QVERIFY(allOutsideUnitsStarted(true));

            const QList<TLoadedPackage> loaded = LoadedPackages();
            QCOMPARE(loaded.size(), 1);
            QCOMPARE(loaded[0].FileName, QFileInfo(PackageModuleFile()).canonicalFilePath());
            QCOMPARE(loaded[0].Description, QStringLiteral("Kor-DBGrid Component 8.6"));
            QCOMPARE(loaded[0].Version.FileVersionText(), QStringLiteral("8.6.0.134"));
            QCOMPARE(loaded[0].RequiredFiles.size(), 2);
            QVERIFY(loaded[0].RequiredFiles[0].endsWith("libVCLKorDBGrid90.so"));
            QVERIFY(loaded[0].RequiredFiles[1].endsWith("libKorDesignHost.so"));
            QCOMPARE(loaded[0].RegisteredUnits,
                     QStringList({"IDEColorDlg", "KorDBGridsReg", "KorDBEditsReg", "KorDBListsReg",
                                  "KorDBCtrlsReg"}));

            // RegisterProduct ran under the package's name.
            const QList<TRegistration> all = Registrations();
            QVERIFY(std::any_of(all.begin(), all.end(), [](const TRegistration &r) {
                return r.kind == TRegistration::DemandLoadState && r.State == 1 &&
                       r.Module == packageName;
            }));
            QCOMPARE(RegisteringModule(), QString());
            QCOMPARE(splash.Entries.size(), round);
            QCOMPARE(splash.Entries.last().Caption, caption);
            QCOMPARE(aboutBox.Entries.size(), 1);
            QCOMPARE(aboutBox.Entries[0].Title, caption);
            QVERIFY(aboutBox.Entries[0].Description.startsWith(
                "Kor-DBGrid Component package contains only few fundamental components designed "
                "for database developers. "));
            const QImage sign = aboutBox.Entries[0].Image;
            QCOMPARE(sign.size(), QSize(24, 24));
            QCOMPARE(sign.format(), QImage::Format_Indexed8);

            // No designer window was opened yet in this round: no list.
            QVERIFY(!probe.designerListExists());
            probe.addDesignerWindow(designerWindow);
            QVERIFY(probe.designerListExists());
            probe.useLineCaptions();
            QVERIFY(probe.lineCaptionsHeld());

            UnloadPackage(packageName);
            QVERIFY(!IsPackageLoaded(packageName));
            QVERIFY(!probe.designerListExists());
            QVERIFY(designerWindow.isNull());
            QVERIFY(!probe.lineCaptionsHeld());
            QVERIFY(aboutBox.Entries.isEmpty());
            QCOMPARE(registrationsOf(packageName), 0);
            QVERIFY(allOutsideUnitsStarted(false));
        }
    }

private slots:
    void init()
    {
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

    void loadStartRegisterStopTwice()
    {
        {
            ModuleProbe probe;
            QVERIFY(probe.isOpen());
            QVERIFY(moduleListed());
            loadStartRegisterStop(probe);
        }
        QVERIFY(!moduleListed());
    }

    void unitTableOfTheModule()
    {
        ModuleProbe probe;
        QVERIFY(probe.isOpen());
        const PackageInfoTable *table =
            probe.proc<const PackageInfoTable *()>("GetPackageInfoTable")();
        const char *const *names = probe.proc<const char *const *()>("GetPackageUnitNames")();
        const QStringList expected = {
            "Toolsapi",      "Designeditors", "IDEAboutDlg",   "Vcleditors",    "IDEColorDlg",
            "IDELinesDlg",   "Kordblists",    "Kordbeditor",   "Kordbfields",   "Briskutils",
            "Briskgraph",    "Kordbgrids",    "Colnedit",      "Toolwnds",      "IDEGridsDlg",
            "IDEPropList",   "IDEDesignEd",   "IDEDesigner",   "Kordbgridsado", "Kordbgridscds",
            "KorDBGridsReg", "KorDBEditsReg", "KorDBListsReg", "Kordbctrls",    "KorDBCtrlsReg"};
        QCOMPARE(table->UnitCount, expected.size());

        QMap<QString, PackageUnitEntry> outside;
#define KOR_OUTSIDE(Unit) outside.insert(#Unit, {&Unit##_Initialization, &Unit##_Finalization});
        KOR_HOST_UNITS(KOR_OUTSIDE)
        KOR_RUNTIME_UNITS(KOR_OUTSIDE)
#undef KOR_OUTSIDE
        const QStringList withStopWork = {"IDEAboutDlg", "IDELinesDlg", "IDEDesignEd"};
        const TPackageManifest manifest = ReadPackageManifest(PackageModuleFile());
        int outsideSeen = 0;
        for (int i = 0; i < table->UnitCount; ++i) {
            const QString name = QString::fromLatin1(names[i]);
            const PackageUnitEntry &unit = table->UnitInfo[i];
            QCOMPARE(name, expected[i]);
            if (outside.contains(name)) {
                // Points at the owning library's own routines.
                ++outsideSeen;
                QVERIFY(unit.Init == outside[name].Init && unit.FInit == outside[name].FInit);
                QVERIFY(!manifest.ContainsUnit(name));
            } else {
                QVERIFY2(manifest.ContainsUnit(name), qPrintable(name));
                QVERIFY(!unit.Init);
                QCOMPARE(unit.FInit != nullptr, withStopWork.contains(name));
            }
        }
        QCOMPARE(outsideSeen, outside.size()); // every host and run-time unit appears
    }

    void stopWithoutAboutBoxService()
    {
        LoadPackage(PackageModuleFile());
        QCOMPARE(aboutBox.Entries.size(), 1);
        UnregisterIDEService(IID_IOTAAboutBoxServices);
        UnloadPackage(packageName);
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

    void packageBitmapsWhileLoaded()
    {
        LoadPackage(PackageModuleFile());
        const char *const palette[] = {
            "TKORDBGRID",       "TKORDBGRIDSADO", "TKORDBGRIDSCDS",
            "TKORDBEDITOR",     "TKORDBCOLUMN",   "TKORDBCOLUMNSDIALOG",
            "TKORDBNAVIGATOR",  "TKORDBCHECKBOX", "TKORDBPRINTCOLUMNSDIALOG",
            "TKORDBRADIOGROUP", "TKORDBTEXT"};
        auto header = [](const QString &name) {
            QFile file(QStringLiteral(":/DCLKorDBGrid90/%1.bmp").arg(name));
            return file.open(QIODevice::ReadOnly) ? file.read(30) : QByteArray();
        };
        auto field = [](const QByteArray &bytes, int at) {
            return qFromLittleEndian<qint32>(bytes.constData() + at);
        };
        for (const char *name : palette) {
            const QByteArray bmp = header(QLatin1String(name));
            QVERIFY2(bmp.startsWith("BM"), name);
            QCOMPARE(field(bmp, 18), 24);
            QCOMPARE(field(bmp, 22), 24);
            QCOMPARE(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);
        }
        const QByteArray sign = header(QStringLiteral("BRISKSPLASHSIGN"));
        QVERIFY(sign.startsWith("BM"));
        QCOMPARE(qFromLittleEndian<quint16>(sign.constData() + 28), 8);
        UnloadPackage(packageName);
    }

    // What a host does with a grid: its context menu and its Columns come from the package's
    // registrations; a columns editor still open when the package goes is destroyed with it.
    void componentEditorsComeAndGoWithThePackage()
    {
        TFormDesigner designer;
        TKorDBGrid *grid = designer.Create<TKorDBGrid>();
        PPropInfo columnsInfo = GetPropInfo(grid, QStringLiteral("Columns"));
        LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
        {
            auto editor = GetComponentEditor(grid, &designer);
            QCOMPARE(QLatin1String(editor->metaObject()->className()),
                     QLatin1String("KorDBGridsReg::TKorDBGridEditor"));
            QCOMPARE(editor->GetVerb(2), QStringLiteral("Co&lumns Editor..."));
            editor->ExecuteVerb(2);
        }
        QCOMPARE(QLatin1String(FindPropertyEditorClass(columnsInfo, grid)->className()),
                 QLatin1String("TKorDBGridColumnsProperty"));
        const QList<TCollectionEditor *> open = TCollectionEditor::OpenEditors();
        QCOMPARE(open.size(), 1);
        QPointer<TCollectionEditor> columnsEditor = open[0];
        QCOMPARE(columnsEditor->Collection(), grid->Columns());

        UnloadPackage(packageName);
        QVERIFY(columnsEditor.isNull());
        QCOMPARE(GetComponentEditor(grid, &designer)->metaObject(),
                 &TDefaultEditor::staticMetaObject);
        QCOMPARE(FindPropertyEditorClass(columnsInfo, grid),
                 &TCollectionProperty::staticMetaObject);
    }

    void refusals()
    {
        LoadPackage(PackageModuleFile());
        QVERIFY_THROWS_EXCEPTION(EPackageError, LoadPackage(PackageModuleFile()));
        QCOMPARE(LoadedPackages().size(), 1);
        UnloadPackage(packageName);
        QVERIFY_THROWS_EXCEPTION(EPackageError, UnloadPackage(packageName));
        QVERIFY_THROWS_EXCEPTION(EPackageError, LoadPackage(QStringLiteral("NoSuchPackage.bpl")));
    }

    void missingRequiredPackage()
    {
        QTemporaryDir dir;
        const QString copy = copyRequiringMissingPackage(dir);
        QVERIFY(!copy.isEmpty());
        QCOMPARE(ReadPackageManifest(copy).Requires[0].FileName,
                 QStringLiteral("VCLKorDBGrid9X.bpl"));
        try {
            LoadPackage(copy);
            QFAIL("a missing required package was not reported");
        } catch (const EPackageError &e) {
            QVERIFY2(e.Message().contains("VCLKorDBGrid9X.bpl"), qPrintable(e.Message()));
        }
        QVERIFY(!IsPackageLoaded(packageName));
        QVERIFY(allOutsideUnitsStarted(false));
        QVERIFY(aboutBox.Entries.isEmpty());
        QCOMPARE(registrationsOf(packageName), 0);
    }
};

QTEST_MAIN(TestPackageLoader)
#include "tst_packageloader.moc"

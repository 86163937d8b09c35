// The workbench: a small design host that loads the design-time package so a person can place
// the grid components on a form and use every design window.

#include <QApplication>

#include "colnedit.h"
#include "hostmessages.h"
#include "hostpalette.h"
#include "packages.h"
#include "services.h"
#include "workbenchapplication.h"
#include "workbenchwindow.h"

int main(int argc, char **argv)
{
    TWorkbenchApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorDesignHost"));

    // The host's splash and about-box services, which packages add their entries to.
    TSplashScreen splash;
    TAboutBox aboutBox;
    SetSplashScreenServices(&splash);
    RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&aboutBox));

    // Collection properties open the host's collection editor (or a package's own).
    InstallCollectionEditor();
    RegisterHostComponents();
    const QString sample = SampleDatabasePath();

    int result = 0;
    {
        TWorkbenchWindow window;
        window.LoadDesignPackage(QStringLiteral("DCLKorDBGrid90"));
        window.SetSampleDatabase(sample);
        window.show();
        result = app.exec();
    }
    // Stop the packages while the services they registered with still exist.
    QList<TLoadedPackage> packages = LoadedPackages();
    for (auto it = packages.crbegin(); it != packages.crend(); ++it) {
        try {
            if (IsPackageLoaded(it->Name))
                UnloadPackage(it->Name);
        } catch (...) {
            HandleHostException();
        }
    }
    UnregisterIDEService(IID_IOTAAboutBoxServices);
    SetSplashScreenServices(nullptr);
    return result;
}

#include "workbenchsession.h"

#include <QCoreApplication>

#include "colnedit.h"
#include "hostmessages.h"
#include "hostpalette.h"
#include "packages.h"

TWorkbenchSession::TWorkbenchSession()
{
    SetSplashScreenServices(&m_splash);
    RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&m_aboutBox));
    InstallCollectionEditor();
    RegisterHostComponents();
}

TWorkbenchSession::~TWorkbenchSession()
{
    // Design windows closed with the form go at the next turn of the event loop; let them go
    // while their package is still loaded.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    UnloadPackages();
    UnregisterIDEService(IID_IOTAAboutBoxServices);
    SetSplashScreenServices(nullptr);
}

void TWorkbenchSession::UnloadPackages()
{
    const QList<TLoadedPackage> packages = LoadedPackages();
    for (auto it = packages.crbegin(); it != packages.crend(); ++it) {
        try {
            if (IsPackageLoaded(it->Name))
                UnloadPackage(it->Name);
        } catch (...) {
            HandleHostException();
        }
    }
}

#include "hostsession.h"

#include <QCoreApplication>

#include "collectioneditor.h"
#include "hostmessages.h"
#include "packages.h"

THostSession::THostSession()
{
    SetSplashScreenServices(&m_splash);
    RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&m_aboutBox));
    InstallCollectionEditor();
}

THostSession::~THostSession()
{
    // Design windows closed with the form go at the next turn of the event loop; let them go
    // while their package is still loaded.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    UnloadPackages();
    UnregisterIDEService(IID_IOTAAboutBoxServices);
    SetSplashScreenServices(nullptr);
}

void THostSession::UnloadPackages()
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

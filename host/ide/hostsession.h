#pragma once
// THostSession: what a host offers its packages for as long as it runs, set up in one place for
// every host (the workbench, the Qt Designer plugin, their tests and benchmarks). While it lives,
// the host's splash and about-box services take the packages' entries and collection properties
// open the host's collection editor. When it ends, design windows already closed are let go,
// then the loaded packages are stopped (the last loaded first) while those services still
// exist; errors on the way are reported, not thrown.

#include "korhost_export.h"
#include "services.h"

class KORHOST_EXPORT THostSession {
public:
    THostSession();
    ~THostSession();
    THostSession(const THostSession &) = delete;
    THostSession &operator=(const THostSession &) = delete;

    TSplashScreen &SplashScreen() { return m_splash; }
    TAboutBox &AboutBox() { return m_aboutBox; }

    // Stops every loaded package, the last loaded first.
    static void UnloadPackages();

private:
    TSplashScreen m_splash;
    TAboutBox m_aboutBox;
};

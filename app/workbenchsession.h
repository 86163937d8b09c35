#pragma once
// TWorkbenchSession: what the workbench's host offers its packages for as long as it runs, set
// up in one place for the program, its tests and its benchmarks. While it lives, the host's
// splash and about-box services take the packages' entries, collection properties open the
// host's collection editor, and the host's data-access components are on the palette. When it
// ends, design windows already closed are let go, then the loaded packages are stopped (the last
// loaded first) while those services still exist; errors on the way are reported, not thrown.

#include "services.h"

class TWorkbenchSession {
public:
    TWorkbenchSession();
    ~TWorkbenchSession();
    TWorkbenchSession(const TWorkbenchSession &) = delete;
    TWorkbenchSession &operator=(const TWorkbenchSession &) = delete;

    TSplashScreen &SplashScreen() { return m_splash; }
    TAboutBox &AboutBox() { return m_aboutBox; }

    // Stops every loaded package, the last loaded first.
    static void UnloadPackages();

private:
    TSplashScreen m_splash;
    TAboutBox m_aboutBox;
};

#pragma once
// Host services a package may use at registration: the splash screen and the about box.
// Either may be absent (a command-line host has neither); callers test for null.

#include <QImage>
#include <QList>
#include <QString>

#include "korhost_export.h"

class KORHOST_EXPORT ISplashScreenServices {
public:
    virtual ~ISplashScreenServices();
    virtual void AddPluginBitmap(const QString &Caption, const QImage &Bitmap,
                                 bool IsUnregistered = false, const QString &LicenseStatus = {},
                                 const QString &SkuName = {}) = 0;
};

class KORHOST_EXPORT IOTAAboutBoxServices {
public:
    virtual ~IOTAAboutBoxServices();
    // Adds an entry and answers its index.
    virtual int AddPluginInfo(const QString &Title, const QString &Description, const QImage &Image,
                              bool IsUnregistered = false, const QString &LicenseStatus = {},
                              const QString &SkuName = {}) = 0;
    virtual void RemovePluginInfo(int Index) = 0;
};

// The interface identity under which the about-box service is looked up.
inline constexpr const char *IID_IOTAAboutBoxServices = "{1DD6FC0B-32F9-4161-A81A-9BE214F9F30D}";

// The splash-screen service, or null.
KORHOST_EXPORT ISplashScreenServices *SplashScreenServices();
KORHOST_EXPORT void SetSplashScreenServices(ISplashScreenServices *Services);

// The host's service registry: a service by interface identity, or null.
KORHOST_EXPORT void *DesignHostServices(const char *InterfaceId);

// What the design host says of itself in the packages' about boxes and splash entries: its
// name ("Kor Design Host"), its version ("8.6") and the platform it runs on ("Linux x86_64").
KORHOST_EXPORT QString DesignHostName();
KORHOST_EXPORT QString DesignHostVersion();
KORHOST_EXPORT QString DesignHostPlatform();
KORHOST_EXPORT void RegisterIDEService(const char *InterfaceId, void *Service);
KORHOST_EXPORT void UnregisterIDEService(const char *InterfaceId);

// A real, in-memory implementation the workbench installs and the tests inspect.
class KORHOST_EXPORT TSplashScreen : public ISplashScreenServices {
public:
    struct Entry {
        QString Caption;
        QImage Bitmap;
    };
    void AddPluginBitmap(const QString &Caption, const QImage &Bitmap, bool IsUnregistered,
                         const QString &LicenseStatus, const QString &SkuName) override;
    QList<Entry> Entries;
};

class KORHOST_EXPORT TAboutBox : public IOTAAboutBoxServices {
public:
    struct Entry {
        int Index;
        QString Title;
        QString Description;
        QImage Image;
    };
    int AddPluginInfo(const QString &Title, const QString &Description, const QImage &Image,
                      bool IsUnregistered, const QString &LicenseStatus,
                      const QString &SkuName) override;
    void RemovePluginInfo(int Index) override;
    QList<Entry> Entries;

private:
    int m_nextIndex = 0;
};

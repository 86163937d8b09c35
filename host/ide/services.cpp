#include "services.h"

#include <QSysInfo>
#include <map>
#include <string>

namespace {

ISplashScreenServices *g_splash = nullptr;

std::map<std::string, void *> &serviceRegistry()
{
    static std::map<std::string, void *> registry;
    return registry;
}

} // namespace

ISplashScreenServices::~ISplashScreenServices()
{
    if (g_splash == this)
        g_splash = nullptr;
}

IOTAAboutBoxServices::~IOTAAboutBoxServices()
{
    // Nobody may find a service after it is gone.
    std::erase_if(serviceRegistry(),
                  [this](const auto &entry) { return entry.second == static_cast<void *>(this); });
}

ISplashScreenServices *SplashScreenServices()
{
    return g_splash;
}

void SetSplashScreenServices(ISplashScreenServices *Services)
{
    g_splash = Services;
}

void *DesignHostServices(const char *InterfaceId)
{
    if (!InterfaceId)
        return nullptr;
    const auto found = serviceRegistry().find(InterfaceId);
    return found == serviceRegistry().end() ? nullptr : found->second;
}

void RegisterIDEService(const char *InterfaceId, void *Service)
{
    if (!InterfaceId)
        return;
    if (Service)
        serviceRegistry()[InterfaceId] = Service;
    else
        serviceRegistry().erase(InterfaceId);
}

void UnregisterIDEService(const char *InterfaceId)
{
    if (InterfaceId)
        serviceRegistry().erase(InterfaceId);
}

void TSplashScreen::AddPluginBitmap(const QString &Caption, const QImage &Bitmap, bool,
                                    const QString &, const QString &)
{
    Entries.append(Entry{Caption, Bitmap});
}

int TAboutBox::AddPluginInfo(const QString &Title, const QString &Description, const QImage &Image,
                             bool, const QString &, const QString &)
{
    const int index = m_nextIndex++;
    Entries.append(Entry{index, Title, Description, Image});
    return index;
}

void TAboutBox::RemovePluginInfo(int Index)
{
    Entries.removeIf([Index](const Entry &entry) { return entry.Index == Index; });
}

QString DesignHostName()
{
    return QStringLiteral("Kor Design Host");
}

QString DesignHostVersion()
{
    return QStringLiteral(KOR_HOST_VERSION);
}

QString DesignHostPlatform()
{
    QString kernel = QSysInfo::kernelType();
    if (!kernel.isEmpty())
        kernel[0] = kernel[0].toUpper();
    return kernel + QLatin1Char(' ') + QSysInfo::currentCpuArchitecture();
}

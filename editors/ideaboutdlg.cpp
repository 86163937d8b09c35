#include "ideaboutdlg.h"

#include <optional>

#include "registration.h"
#include "services.h"

namespace {

std::optional<int> aboutBoxIndex;

IOTAAboutBoxServices *aboutBoxServices()
{
    return static_cast<IOTAAboutBoxServices *>(BorlandIDEServices(IID_IOTAAboutBoxServices));
}

} // namespace

// Resource initialisation must be named from the global namespace.
static void initBitmapResources()
{
    Q_INIT_RESOURCE(packagebitmaps);
}

namespace IDEAboutDlg {

QString ProductTitle()
{
    return QStringLiteral("Kor-DBGrid Component");
}

QString HostEdition()
{
    return QStringLiteral("BDS 2005 Win32");
}

QString HostPlatform()
{
    return QLatin1Char('(') + HostEdition().mid(9).trimmed() + QLatin1Char(')');
}

QString VersionLine(const QString &Edition)
{
    return QStringLiteral(" - ver. %1.%2 %3, build 8.134")
        .arg(MajorVersion)
        .arg(MinorVersion)
        .arg(Edition);
}

QString ProductCaption()
{
    return ProductTitle() + VersionLine(HostPlatform());
}

QString ProductDescription()
{
    return QStringLiteral(
        "Kor-DBGrid Component package contains only few fundamental components designed for "
        "database developers. It is a part of the Brisk Component Collection, a family of "
        "data-aware controls for business applications.\n\n"
        "Please visit the Brisk web site for the latest versions, news and support.");
}

QString PackageBitmapPath(const QString &ResourceName)
{
    return QStringLiteral(":/DCLKorDBGrid90/%1.bmp").arg(ResourceName);
}

QImage ProductBitmap()
{
    initBitmapResources();
    return QImage(PackageBitmapPath(QStringLiteral("BRISKSPLASHSIGN")));
}

void RegisterProduct()
{
    ForceDemandLoadState(1);
    const QString caption = ProductCaption();
    if (ISplashScreenServices *splash = SplashScreenServices())
        splash->AddPluginBitmap(caption, ProductBitmap());
    if (IOTAAboutBoxServices *about = aboutBoxServices())
        aboutBoxIndex = about->AddPluginInfo(caption, ProductDescription(), ProductBitmap());
}

int AboutBoxIndex()
{
    return aboutBoxIndex.value_or(-1);
}

void Finalization()
{
    if (!aboutBoxIndex)
        return;
    if (IOTAAboutBoxServices *about = aboutBoxServices())
        about->RemovePluginInfo(*aboutBoxIndex);
    aboutBoxIndex.reset();
}

} // namespace IDEAboutDlg

#include "shellopen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QtDebug>
#include <utility>

namespace {

TShellOpenHandler &handler()
{
    static TShellOpenHandler current;
    return current;
}

bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return !qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ||
           platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

bool openWithDesktop(const QString &Link)
{
    if (headless()) {
        qInfo().noquote() << "Not opening" << Link << "on a headless platform";
        return false;
    }
    return QDesktopServices::openUrl(QUrl(Link, QUrl::TolerantMode));
}

} // namespace

bool ShellOpen(const QString &Link)
{
    try {
        return handler() ? handler()(Link) : openWithDesktop(Link);
    } catch (...) {
        return false;
    }
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler)
{
    return std::exchange(handler(), std::move(Handler));
}

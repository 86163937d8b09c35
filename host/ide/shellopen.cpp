#include "shellopen.h"

#include <QDesktopServices>
#include <QUrl>
#include <QtDebug>

#include "hostdialogs.h"

bool THostDialogs::OpenLink(const QString &Link)
{
    if (!CanShowDialogs()) {
        qInfo().noquote() << "Not opening" << Link << "on a headless platform";
        return false;
    }
    return QDesktopServices::openUrl(QUrl(Link, QUrl::TolerantMode));
}

bool ShellOpen(const QString &Link)
{
    try {
        return HostDialogs().OpenLink(Link);
    } catch (...) {
        return false;
    }
}

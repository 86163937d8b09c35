#include "testsupport.h"

#include <QDir>

QString ResetTestSettingsDir()
{
    QString dir = qEnvironmentVariable("KOR_SETTINGS_DIR");
    if (dir.isEmpty()) {
        dir = QDir::tempPath() + QStringLiteral("/kor-test-settings");
        qputenv("KOR_SETTINGS_DIR", dir.toLocal8Bit());
    }
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

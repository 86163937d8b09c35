#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QWidget>

#include "font.h"
#include "sqldata.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

QString ResetTestSettingsDir()
{
    QString dir = qEnvironmentVariable("KOR_SETTINGS_DIR");
    if (dir.isEmpty()) {
        dir = QDir::tempPath() + u"/kor-test-settings"_s;
        qputenv("KOR_SETTINGS_DIR", dir.toLocal8Bit());
    }
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}

QString SaveScreenshot(QWidget *Window, const QString &Name)
{
    const QString dir = qEnvironmentVariable("KOR_SCREENSHOT_DIR");
    if (dir.isEmpty() || !Window)
        return {};
    QDir().mkpath(dir);
    const QString file = QDir(dir).filePath(Name + u".png"_s);
    return Window->grab().save(file) ? file : QString();
}

QString CreateTestDatabase(const QString &Path, const QStringList &Statements)
{
    // A connection opens only a database file that exists; SQLite takes an empty file for an
    // empty database.
    QFile(Path).open(QIODevice::Append);
    TSQLConnection connection;
    connection.setDatabaseName(Path);
    connection.Open();
    for (const QString &statement : Statements)
        connection.ExecuteDirect(statement);
    connection.Close();
    return Path;
}

bool IsBold(QWidget *Control)
{
    if (!Control)
        return false;
    if (auto *font = qobject_cast<TFont *>(GetObjectProp(Control, u"Font"_s)))
        return font->Style().testFlag(Vcl::fsBold);
    return Control->font().bold();
}

QString WriteTestFile(const QString &Path, const QByteArray &Bytes)
{
    QFile file(Path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(Bytes) != Bytes.size())
        return {};
    return Path;
}

QByteArray ReadTestFile(const QString &Path)
{
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PackageModuleFile()
{
    return QDir(qEnvironmentVariable("KOR_PACKAGE_DIR")).filePath(u"DCLKorDBGrid90.so"_s);
}

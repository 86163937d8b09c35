#pragma once
// Helpers shared by the test programs.

#include <QString>
#include <QStringList>

class QByteArray;
class QWidget;

// A fresh, empty folder for this test's settings; KOR_SETTINGS_DIR points at it.
QString ResetTestSettingsDir();
// Writes a picture of Window to "<Name>.png" in the folder KOR_SCREENSHOT_DIR names, so that a
// person can look at it; does nothing when the variable is not set. Answers the file written.
QString SaveScreenshot(QWidget *Window, const QString &Name);
// Creates the SQLite database file Path when it does not exist yet, then runs Statements (tables
// and their rows) in order. Answers Path.
QString CreateTestDatabase(const QString &Path, const QStringList &Statements);
// Whether Control shows its text in bold: the published Font where the control has one (the
// design window's own controls), otherwise the widget's font.
bool IsBold(QWidget *Control);
// Writes Bytes to the file Path, replacing what it held. Answers Path, or an empty string when the
// file could not be written.
QString WriteTestFile(const QString &Path, const QByteArray &Bytes);
// The bytes of the file Path; empty when it cannot be read.
QByteArray ReadTestFile(const QString &Path);
// The design-time module that the tests load, in the folder KOR_PACKAGE_DIR names.
QString PackageModuleFile();

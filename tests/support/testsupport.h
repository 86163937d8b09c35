#pragma once
// Helpers shared by the test programs.

#include <QString>
#include <QStringList>

class QWidget;

// A fresh, empty folder for this test's settings; KOR_SETTINGS_DIR points at it.
QString ResetTestSettingsDir();
// Writes a picture of Window to "<Name>.png" in the folder KOR_SCREENSHOT_DIR names, so that a
// person can look at it; does nothing when the variable is not set. Answers the file written.
QString SaveScreenshot(QWidget *Window, const QString &Name);
// Creates the SQLite database file Path when it does not exist yet, then runs Statements (tables
// and their rows) in order. Answers Path.
QString CreateTestDatabase(const QString &Path, const QStringList &Statements);

#pragma once
// Helpers shared by the test programs.

#include <QString>

// A fresh, empty folder for this test's settings; KOR_SETTINGS_DIR points at it.
QString ResetTestSettingsDir();

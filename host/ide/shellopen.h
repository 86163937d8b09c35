#pragma once
// Opening a web or mail link with the desktop's handler (the browser, the mail program).
//
// It goes through the host's dialogs (hostdialogs.h) so that tests can see what would be opened:
// the default asks the desktop, except on a headless platform ("offscreen", "minimal") or without
// a QApplication, where it only logs the link and answers false.

#include <QString>

#include "korhost_export.h"

// Opens Link as it is (no escaping is added); answers whether the desktop took it. Never raises.
KORHOST_EXPORT bool ShellOpen(const QString &Link);

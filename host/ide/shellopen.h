#pragma once
// Opening a web or mail link with the desktop's handler (the browser, the mail program).
//
// It goes through a replaceable handler so that tests can see what would be opened: the default
// handler asks the desktop, except on a headless platform ("offscreen", "minimal") or without a
// GUI application, where it only logs the link and answers false.

#include <QString>
#include <functional>

#include "korhost_export.h"

using TShellOpenHandler = std::function<bool(const QString &Link)>;

// Opens Link as it is (no escaping is added); answers whether the desktop took it. Never raises.
KORHOST_EXPORT bool ShellOpen(const QString &Link);
// Installs a handler; an empty one restores the default. Answers the handler it replaced.
KORHOST_EXPORT TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler);

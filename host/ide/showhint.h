#pragma once
// The application's hint-display event: one handler at a time may rewrite or suppress the
// pop-up hint (tool tip) a control is about to show. Designer windows install theirs while they
// are active to move the hints of their own controls into their status bar.
//
// The handler is reached through an application-wide event filter on QEvent::ToolTip, which is
// in place only while a handler is installed. The filter is the host's, so a package that
// installs a handler leaves no object of its own in the application; a handler that raises is
// reported (HandleHostException) and the hint shows as it is.

#include <QPoint>
#include <QString>
#include <functional>

#include "korhost_export.h"

class QWidget;

struct THintInfo {
    // The control whose hint is about to show.
    QWidget *HintControl = nullptr;
    // Where the mouse is, in screen coordinates.
    QPoint CursorPos;
};

// HintStr may be changed; CanShow false suppresses the pop-up.
using TShowHintEvent = std::function<void(QString &HintStr, bool &CanShow, THintInfo &HintInfo)>;

namespace Application {

KORHOST_EXPORT TShowHintEvent OnShowHint();
// Installs Handler (an empty one removes the current handler) and answers the one it replaced.
KORHOST_EXPORT TShowHintEvent SetOnShowHint(TShowHintEvent Handler);

} // namespace Application

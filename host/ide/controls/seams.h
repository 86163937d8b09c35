#pragma once
// Facts the controls and the property items take from the windowing system, behind seams that
// tests replace so their results do not depend on the machine: the screen's font list, the
// cursor identifiers, the default font name and the width of a vertical scroll bar. (The font
// and colour dialogs are the host's dialogs, hostdialogs.h.)
//
// ControlSeams() answers the one set in use; it starts with the real implementations.
// TControlSeamsScope installs replacements for the lifetime of a scope and restores the
// previous ones afterwards.

#include <QStringList>
#include <functional>

#include "korhost_export.h"

struct KORHOST_EXPORT TControlSeams {
    // The names of the installed screen fonts.
    std::function<QStringList()> ScreenFonts;
    // Every cursor identifier, in the host's order.
    std::function<void(const std::function<void(const QString &)> &Proc)> CursorValues;
    // The name of the host's default font.
    std::function<QString()> DefaultFontName;
    // The system's width of a vertical scroll bar, in pixels.
    std::function<int()> VerticalScrollBarWidth;

    // The real implementations.
    static TControlSeams Defaults();
};

KORHOST_EXPORT TControlSeams &ControlSeams();

class KORHOST_EXPORT TControlSeamsScope {
public:
    explicit TControlSeamsScope(const TControlSeams &Seams);
    ~TControlSeamsScope();
    TControlSeamsScope(const TControlSeamsScope &) = delete;
    TControlSeamsScope &operator=(const TControlSeamsScope &) = delete;

private:
    TControlSeams m_saved;
};

#pragma once
// What the controls and the property items take from the windowing system, behind seams that
// tests replace: the font and colour dialogs, the screen's font list, the cursor identifiers,
// the default font name and the width of a vertical scroll bar.
//
// ControlSeams() answers the one set in use; it starts with the real implementations.
// TControlSeamsScope installs replacements for the lifetime of a scope and restores the
// previous ones afterwards.

#include <QStringList>
#include <functional>

#include "../graphics.h"
#include "korhost_export.h"

class QWidget;
class TFont;

struct KORHOST_EXPORT TControlSeams {
    // Shows the font dialog on Font; true (and Font changed) when the user confirms.
    std::function<bool(TFont &Font, QWidget *Parent)> ExecuteFontDialog;
    // Shows the colour dialog starting at Color; true (and Color changed) on confirmation.
    std::function<bool(TColor &Color, QWidget *Parent)> ExecuteColorDialog;
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

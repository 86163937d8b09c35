#pragma once
// The host's colour dialog as property editors use it: the colour to start on and the one
// chosen, the sixteen custom colours as "ColorA=BBGGRR" lines (A to P, the colour in hex as the
// host writes TColor values), a help context and options.
//
// Execute goes through the host's dialogs (hostdialogs.h), which tests and hosts replace; the
// default shows a QColorDialog, except on a headless platform, where it answers Cancel at once.

#include <QFlags>
#include <QStringList>

#include "graphics.h"
#include "korhost_export.h"

class QWidget;

enum TColorDialogOption {
    cdFullOpen = 0x1,
    cdPreventFullOpen = 0x2,
    cdShowHelp = 0x4,
    cdSolidColor = 0x8,
    cdAnyColor = 0x10,
};
Q_DECLARE_FLAGS(TColorDialogOptions, TColorDialogOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColorDialogOptions)

class KORHOST_EXPORT TColorDialog {
public:
    static constexpr int CustomColorCount = 16;

    TColor Color = clBlack;
    QStringList CustomColors;
    int HelpContext = 0;
    TColorDialogOptions Options;

    // Runs the dialog over Parent (nullptr: the active window); true (Color and CustomColors
    // updated) when the user confirmed. The custom colours are updated on Cancel as well.
    bool Execute(QWidget *Parent = nullptr);
    // Runs the dialog on Color alone; true (and Color changed) when the user confirmed.
    static bool Execute(TColor &Color, QWidget *Parent = nullptr);

    // The name of custom colour Index (0 to 15): "ColorA" to "ColorP".
    static QString CustomColorName(int Index);
};

// The settings section that holds the colour dialog's custom colours under the host's base
// registry key.
KORHOST_EXPORT QString SCustomColors();

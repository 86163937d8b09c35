#pragma once
// Colours and cursors as the component model encodes them.
//
// A TColor is a signed 32-bit value: an RGB value with red in the low byte; a value whose high
// byte is 0xFF names a system colour by its index in the low byte; clNone and clDefault tell a
// component to use no colour or its own default.

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

#include "korhost_export.h"

using TColor = qint32;
using TCursor = qint32;

constexpr TColor clSystemColor = TColor(0xFF000000);

constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour an RGB or system colour stands for; system colours come from the application
// palette. clNone and clDefault give an invalid QColor.
KORHOST_EXPORT QColor ColorToQColor(TColor Color);
KORHOST_EXPORT TColor QColorToColor(const QColor &Color);
// RGB value of a colour, with system colours resolved (0x00BBGGRR).
KORHOST_EXPORT qint32 ColorToRGB(TColor Color);

// Identifier ("clWindow") of a colour, or false when the colour has none.
KORHOST_EXPORT bool ColorToIdent(TColor Color, QString &Ident);
KORHOST_EXPORT bool IdentToColor(const QString &Ident, TColor &Color);
// The identifier, or the hexadecimal form "$00BBGGRR".
KORHOST_EXPORT QString ColorToString(TColor Color);
// Accepts an identifier, "$hex", "0xhex" or a decimal number; raises EConvertError otherwise.
KORHOST_EXPORT TColor StringToColor(const QString &Text);
// Every colour identifier, in the host's order; calls Proc once for each.
KORHOST_EXPORT void GetColorValues(const std::function<void(const QString &)> &Proc);

// Cursor identifiers ("crDefault" = 0, "crArrow" = -2, ...).
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

KORHOST_EXPORT bool CursorToIdent(TCursor Cursor, QString &Ident);
KORHOST_EXPORT bool IdentToCursor(const QString &Ident, TCursor &Cursor);
// The identifier, or the number as text.
KORHOST_EXPORT QString CursorToString(TCursor Cursor);
KORHOST_EXPORT TCursor StringToCursor(const QString &Text);
KORHOST_EXPORT void GetCursorValues(const std::function<void(const QString &)> &Proc);

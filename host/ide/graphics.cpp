#include "graphics.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

#include "hosterrors.h"

namespace {

struct IdentEntry {
    qint32 value;
    const char *ident;
};

// The host's colour identifiers, in the order the host lists them.
constexpr std::array<IdentEntry, 52> kColorIdents{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

constexpr std::array<IdentEntry, 22> kCursorIdents{{
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCross, "crCross"},
    {crIBeam, "crIBeam"},
    {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},
    {crNo, "crNo"},
    {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
    {crNone, "crNone"},
}};

template <std::size_t N>
bool valueToIdent(const std::array<IdentEntry, N> &table, qint32 value, QString &ident)
{
    for (const IdentEntry &entry : table)
        if (entry.value == value) {
            ident = QString::fromLatin1(entry.ident);
            return true;
        }
    return false;
}

template <std::size_t N>
bool identToValue(const std::array<IdentEntry, N> &table, const QString &ident, qint32 &value)
{
    for (const IdentEntry &entry : table)
        if (ident.compare(QLatin1String(entry.ident), Qt::CaseInsensitive) == 0) {
            value = entry.value;
            return true;
        }
    return false;
}

// Parses "$hex", "0xhex" and decimal numbers as 32-bit signed values.
bool parseNumber(const QString &text, qint32 &value)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qint64 parsed = 0;
    if (trimmed.startsWith(QLatin1Char('$')))
        parsed = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        parsed = trimmed.mid(2).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("-0x"), Qt::CaseInsensitive)) {
        parsed = -trimmed.mid(3).toLongLong(&ok, 16);
    } else
        parsed = trimmed.toLongLong(&ok, 10);
    if (!ok || parsed < -2147483648LL || parsed > 0xFFFFFFFFLL)
        return false;
    value = qint32(quint32(parsed));
    return true;
}

QPalette::ColorRole systemRole(int index, QPalette::ColorGroup &group)
{
    group = QPalette::Active;
    switch (index) {
    case 0:
        return QPalette::Mid; // scroll bar
    case 1:
        return QPalette::Dark; // desktop
    case 2:
        return QPalette::Highlight; // active caption
    case 3:
        group = QPalette::Inactive;
        return QPalette::Highlight;
    case 4:
        return QPalette::Window; // menu
    case 5:
        return QPalette::Base; // window
    case 6:
        return QPalette::Shadow; // window frame
    case 7:
        return QPalette::WindowText; // menu text
    case 8:
        return QPalette::Text; // window text
    case 9:
        return QPalette::HighlightedText;
    case 10:
        return QPalette::Button;
    case 11:
        group = QPalette::Inactive;
        return QPalette::Button;
    case 12:
        return QPalette::Dark; // application work space
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 15:
        return QPalette::Button; // button face
    case 16:
        return QPalette::Mid; // button shadow
    case 17:
        group = QPalette::Disabled;
        return QPalette::Text;
    case 18:
        return QPalette::ButtonText;
    case 19:
        group = QPalette::Inactive;
        return QPalette::HighlightedText;
    case 20:
        return QPalette::Light; // button highlight
    case 21:
        return QPalette::Shadow; // 3-D dark shadow
    case 22:
        return QPalette::Midlight; // 3-D light
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 26:
        return QPalette::Link; // hot light
    case 27:
        return QPalette::Highlight;
    case 28:
        group = QPalette::Inactive;
        return QPalette::Highlight;
    case 29:
        return QPalette::Highlight; // menu highlight
    case 30:
        return QPalette::Window; // menu bar
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor ColorToQColor(TColor Color)
{
    if (Color == clNone || Color == clDefault)
        return {};
    const qint32 rgb = ColorToRGB(Color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor QColorToColor(const QColor &Color)
{
    if (!Color.isValid())
        return clNone;
    return TColor(Color.red() | (Color.green() << 8) | (Color.blue() << 16));
}

qint32 ColorToRGB(TColor Color)
{
    if ((quint32(Color) & 0xFF000000u) == 0xFF000000u) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = systemRole(Color & 0xFF, group);
        const QColor c = QGuiApplication::palette().color(group, role);
        return QColorToColor(c);
    }
    return Color & 0x00FFFFFF;
}

bool ColorToIdent(TColor Color, QString &Ident)
{
    return valueToIdent(kColorIdents, Color, Ident);
}

bool IdentToColor(const QString &Ident, TColor &Color)
{
    return identToValue(kColorIdents, Ident, Color);
}

QString ColorToString(TColor Color)
{
    QString ident;
    if (ColorToIdent(Color, ident))
        return ident;
    return QStringLiteral("$%1").arg(quint32(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString &Text)
{
    TColor color = 0;
    if (IdentToColor(Text.trimmed(), color) || parseNumber(Text, color))
        return color;
    throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(Text));
}

void GetColorValues(const std::function<void(const QString &)> &Proc)
{
    for (const IdentEntry &entry : kColorIdents)
        Proc(QString::fromLatin1(entry.ident));
}

bool CursorToIdent(TCursor Cursor, QString &Ident)
{
    return valueToIdent(kCursorIdents, Cursor, Ident);
}

bool IdentToCursor(const QString &Ident, TCursor &Cursor)
{
    return identToValue(kCursorIdents, Ident, Cursor);
}

QString CursorToString(TCursor Cursor)
{
    QString ident;
    return CursorToIdent(Cursor, ident) ? ident : QString::number(Cursor);
}

TCursor StringToCursor(const QString &Text)
{
    TCursor cursor = 0;
    if (IdentToCursor(Text.trimmed(), cursor) || parseNumber(Text, cursor))
        return cursor;
    throw EConvertError(QStringLiteral("'%1' is not a valid cursor").arg(Text));
}

void GetCursorValues(const std::function<void(const QString &)> &Proc)
{
    for (const IdentEntry &entry : kCursorIdents)
        Proc(QString::fromLatin1(entry.ident));
}

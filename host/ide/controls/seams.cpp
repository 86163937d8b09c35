#include "seams.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QStyle>

#include "../font.h"

TControlSeams TControlSeams::Defaults()
{
    TControlSeams seams;
    seams.ExecuteFontDialog = [](TFont &Font, QWidget *Parent) {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, Font.ToQFont(), Parent);
        if (ok)
            Font.FromQFont(chosen);
        return ok;
    };
    seams.ExecuteColorDialog = [](TColor &Color, QWidget *Parent) {
        const QColor chosen = QColorDialog::getColor(ColorToQColor(Color), Parent);
        if (!chosen.isValid())
            return false;
        Color = QColorToColor(chosen);
        return true;
    };
    seams.ScreenFonts = [] { return QFontDatabase::families(); };
    seams.CursorValues = [](const std::function<void(const QString &)> &Proc) {
        GetCursorValues(Proc);
    };
    seams.DefaultFontName = [] { return TFont().Name(); };
    seams.VerticalScrollBarWidth = [] {
        return QApplication::style()
                   ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                   : 16;
    };
    return seams;
}

TControlSeams &ControlSeams()
{
    static TControlSeams seams = TControlSeams::Defaults();
    return seams;
}

TControlSeamsScope::TControlSeamsScope(const TControlSeams &Seams) : m_saved(ControlSeams())
{
    // Keep the real implementation of every seam the scope does not replace.
    TControlSeams &current = ControlSeams();
    if (Seams.ExecuteFontDialog)
        current.ExecuteFontDialog = Seams.ExecuteFontDialog;
    if (Seams.ExecuteColorDialog)
        current.ExecuteColorDialog = Seams.ExecuteColorDialog;
    if (Seams.ScreenFonts)
        current.ScreenFonts = Seams.ScreenFonts;
    if (Seams.CursorValues)
        current.CursorValues = Seams.CursorValues;
    if (Seams.DefaultFontName)
        current.DefaultFontName = Seams.DefaultFontName;
    if (Seams.VerticalScrollBarWidth)
        current.VerticalScrollBarWidth = Seams.VerticalScrollBarWidth;
}

TControlSeamsScope::~TControlSeamsScope()
{
    ControlSeams() = m_saved;
}

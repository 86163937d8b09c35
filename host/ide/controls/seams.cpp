#include "seams.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyle>

#include "../font.h"
#include "../graphics.h"

TControlSeams TControlSeams::Defaults()
{
    TControlSeams seams;
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
    const auto replace = [](auto &Current, const auto &Replacement) {
        if (Replacement)
            Current = Replacement;
    };
    TControlSeams &current = ControlSeams();
    replace(current.ScreenFonts, Seams.ScreenFonts);
    replace(current.CursorValues, Seams.CursorValues);
    replace(current.DefaultFontName, Seams.DefaultFontName);
    replace(current.VerticalScrollBarWidth, Seams.VerticalScrollBarWidth);
}

TControlSeamsScope::~TControlSeamsScope()
{
    ControlSeams() = m_saved;
}

#include "gridparts.h"

#include "componentlink.h"
#include "grid.h"

TKorDBGridPart::TKorDBGridPart(TKorCustomDBGrid *Grid, const QString &PropName)
    : TOwnedPersistent(Grid, PropName), m_grid(Grid)
{
}

// ---- TKorDBGridTotals ---------------------------------------------------------------------

TKorDBGridTotals::TKorDBGridTotals(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("Totals")), m_Font(std::make_unique<TFont>())
{
    connect(m_Font.get(), &TFont::changed, this, &TKorDBGridTotals::Changed);
}

TKorDBGridTotals::~TKorDBGridTotals()
{
    m_Font->disconnect(this);
}

TColor TKorDBGridTotals::UsedColor() const
{
    if (Color() != clDefault && Color() != clNone)
        return Color();
    return Grid() ? Grid()->UsedFixedColor() : clBtnFace;
}

TColor TKorDBGridTotals::DefaultSelectedColor() const
{
    return BlendColors(UsedColor(), clHighlight, 96);
}

TColor TKorDBGridTotals::UsedSelectedColor() const
{
    return SelectedColor() == clDefault ? DefaultSelectedColor() : SelectedColor();
}

void TKorDBGridTotals::DropLinks(TComponent *Gone)
{
    DropLink(m_Images, Gone);
    DropLink(m_DataSource, Gone);
}

// ---- TKorDBGridSearch ---------------------------------------------------------------------

TKorDBGridSearch::TKorDBGridSearch(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("Search"))
{
}

TColor TKorDBGridSearch::DefaultColor() const
{
    const TColor window = Grid() ? Grid()->UsedColor() : clWindow;
    return BlendColors(window, clYellow, 160);
}

TColor TKorDBGridSearch::DefaultPanelColor() const
{
    return Grid() ? Grid()->UsedFixedColor() : clBtnFace;
}

// ---- Other parts --------------------------------------------------------------------------

TKorDBGridTreeView::TKorDBGridTreeView(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("TreeView"))
{
}

TKorDBGridGradient::TKorDBGridGradient(TKorCustomDBGrid *Grid)
    : TBriskGradient(Grid, Grid, QStringLiteral("Gradient")), m_grid(Grid)
{
}

bool TKorDBGridGradient::IsActive() const
{
    return TBriskGradient::IsActive() && m_grid && m_grid->DrawingStyle() == Kor::gdsGradient;
}

TKorDBGridStyle::TKorDBGridStyle(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("GridStyle"))
{
}

TKorDBGridSettings::TKorDBGridSettings(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("Settings"))
{
}

TKorDBGridFilter::TKorDBGridFilter(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("FilterGrid"))
{
}

TKorDBGridScrollProp::TKorDBGridScrollProp(TKorCustomDBGrid *Grid)
    : TKorDBGridPart(Grid, QStringLiteral("ScrollProp"))
{
}

#pragma once
// The option objects a grid publishes as sub-objects: Totals, Search, TreeView, Gradient,
// GridStyle, Settings, FilterGrid and ScrollProp. Each knows its grid; a change repaints it.

#include <memory>

#include "briskgraph.h"
#include "db.h"
#include "font.h"
#include "imagelist.h"
#include "korenums.h"
#include "ownedpersistent.h"
#include "published.h"

class TKorCustomDBGrid;

class KORRUNTIME_EXPORT TKorDBGridPart : public TOwnedPersistent {
    Q_OBJECT
public:
    TKorDBGridPart(TKorCustomDBGrid *Grid, const QString &PropName);
    TKorCustomDBGrid *Grid() const { return m_grid; }

private:
    TKorCustomDBGrid *m_grid;
};

// The total rows: whether they show, their colour and font, the images of their cells and the
// data set that totals of the "totals record" kind read from.
class KORRUNTIME_EXPORT TKorDBGridTotals : public TKorDBGridPart {
    Q_OBJECT
    KOR_BOOLEAN(Active, false)
    // clDefault: the grid's FixedColor.
    KOR_COLOR(Color, clDefault)
    KOR_LINK(TCustomImageList, Images)
    KOR_LINK(TDataSource, DataSource)
    // clDefault: DefaultSelectedColor.
    KOR_COLOR(SelectedColor, clDefault)
    KOR_INTEGER(LinesCount, 1)
    KOR_INTEGER(DataMaxRow, 0)
    KOR_OBJECT(TFont, Font)
    KOR_ENUM(Kor::TKorTotalBoxStyle, BoxStyle, Kor::tbsFlat)
    KOR_BOOLEAN(CalcValues, true)

public:
    explicit TKorDBGridTotals(TKorCustomDBGrid *Grid);
    ~TKorDBGridTotals() override;

    // The colour of the total rows in use.
    TColor UsedColor() const;
    // The colour of selected total cells while SelectedColor holds clDefault.
    TColor DefaultSelectedColor() const;
    TColor UsedSelectedColor() const;
    // Clears the links to a component that is going away.
    void DropLinks(TComponent *Gone);
};

class KORRUNTIME_EXPORT TKorDBGridSearch : public TKorDBGridPart {
    Q_OBJECT
    KOR_BOOLEAN(Active, false)
    KOR_BOOLEAN(Incremental, true)
    KOR_BOOLEAN(PanelVisible, false)
    KOR_BOOLEAN(PanelOnTop, false)
    KOR_INTEGER(ListWidth, 0)
    KOR_STRING(Text)
    // clDefault: DefaultColor and DefaultPanelColor.
    KOR_COLOR(Color, clDefault)
    KOR_COLOR(PanelColor, clDefault)
    KOR_SET(Kor::TKorSearchOptions, Options, (Kor::sroWrapAround))
    KOR_SET(Kor::TKorSearchOptions, VisibleOptions,
            (Kor::sroCaseSensitive | Kor::sroWholeWords | Kor::sroWrapAround))

public:
    explicit TKorDBGridSearch(TKorCustomDBGrid *Grid);

    // The colour that marks found text, and the search panel's colour, while the properties
    // hold clDefault.
    TColor DefaultColor() const;
    TColor DefaultPanelColor() const;
};

class KORRUNTIME_EXPORT TKorDBGridTreeView : public TKorDBGridPart {
    Q_OBJECT
    KOR_BOOLEAN(AutoActive, false)
    KOR_BOOLEAN(AutoUpdate, true)
    KOR_BOOLEAN(CellExpand, false)
    KOR_INTEGER(OpenToLevel, -1)
    KOR_STRING(ColumnNames)
    KOR_STRING(KeyFields)
    KOR_STRING(ParentFields)

public:
    explicit TKorDBGridTreeView(TKorCustomDBGrid *Grid);
};

class KORRUNTIME_EXPORT TKorDBGridGradient : public TBriskGradient {
    Q_OBJECT
    KOR_SET(Kor::TKorGradientCells, Cells, ())
    KOR_SET(Kor::TKorGradientOptions, Options, (Kor::goGradient | Kor::goHotButton))
    KOR_INTEGER(ShadowFactor, 0)

public:
    explicit TKorDBGridGradient(TKorCustomDBGrid *Grid);
    TKorCustomDBGrid *Grid() const { return m_grid; }
    // Active, and the grid draws its fixed cells in the gradient style.
    bool IsActive() const override;

private:
    TKorCustomDBGrid *m_grid;
};

// Spacing of the grid's rows and cells, in pixels.
class KORRUNTIME_EXPORT TKorDBGridStyle : public TKorDBGridPart {
    Q_OBJECT
    KOR_ENUM(Kor::TKorVisualStyle, VisualStyle, Kor::vsClassic)
    KOR_INTEGER(DataRowSpace, 2)
    KOR_INTEGER(HeaderRowSpace, 2)
    KOR_INTEGER(TitleColMargin, 2)
    KOR_INTEGER(TitleRowSpace, 2)
    KOR_INTEGER(TotalColMargin, 2)
    KOR_INTEGER(TotalRowSpace, 2)

public:
    explicit TKorDBGridStyle(TKorCustomDBGrid *Grid);
};

// Where and what of the grid's layout the user's settings keep.
class KORRUNTIME_EXPORT TKorDBGridSettings : public TKorDBGridPart {
    Q_OBJECT
    KOR_BOOLEAN(Active, false)
    KOR_BOOLEAN(IniFile, false)
    KOR_BOOLEAN(ExeName, true)
    KOR_STRING(FileName)
    KOR_STRING(Section)
    KOR_SET(Kor::TKorSettingsOptions, Options, (Kor::stoLoadLayout | Kor::stoSaveLayout))

public:
    explicit TKorDBGridSettings(TKorCustomDBGrid *Grid);
};

// The grid's own filter: the filter text, the automatic filter lists in the titles, and the
// clauses and periods the filter form offers.
class KORRUNTIME_EXPORT TKorDBGridFilter : public TKorDBGridPart {
    Q_OBJECT
    KOR_BOOLEAN(Filtered, false)
    KOR_STRING(FilterText)
    KOR_BOOLEAN(AutoFilter, false)
    KOR_BOOLEAN(AutoUpdate, true)
    KOR_SET(Kor::TKorAutoFilters, AutoFilters, (Kor::afFilterList))
    KOR_SET(Kor::TKorFilterOptions, Options, (Kor::fgoAutoApplyList | Kor::fgoListAnimation))
    KOR_BOOLEAN(DecimalSeparator, false)
    KOR_INTEGER(DropDownRows, 16)
    KOR_INTEGER(DropDownWidth, 0)
    KOR_SET(Kor::TKorFilterClauses, Clauses,
            (Kor::fcNoFilter | Kor::fcContains | Kor::fcStartsFrom | Kor::fcIsEqual |
             Kor::fcIsEmpty | Kor::fcIsNotEmpty))
    KOR_SET(Kor::TKorFilterPeriods, Periods,
            (Kor::fpNoPeriod | Kor::fpDay | Kor::fpWeek | Kor::fpMonth | Kor::fpYear))

public:
    explicit TKorDBGridFilter(TKorCustomDBGrid *Grid);
};

class KORRUNTIME_EXPORT TKorDBGridScrollProp : public TKorDBGridPart {
    Q_OBJECT
    KOR_COLOR(Color, clDefault)
    KOR_ENUM(Kor::TKorScrollBarStyle, Style, Kor::sbsRegular)
    KOR_ENUM(Kor::TKorScrollAutoHidden, AutoHidden, Kor::sahNone)
    KOR_ENUM(Kor::TKorScrollThumbBar, ThumbBar, Kor::stbDefault)
    KOR_BOOLEAN(ParentColor, true)
    KOR_BOOLEAN(ParentStyle, true)
    KOR_BOOLEAN(AutoStretch, false)
    KOR_BOOLEAN(WinXPMode, false)

public:
    explicit TKorDBGridScrollProp(TKorCustomDBGrid *Grid);
};

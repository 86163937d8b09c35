// The "Colors" page: the colours of the fixed and of the data elements. Each caption-less
// DrawingOptions check box stands in front of the colour box whose use it switches.

#include "gridpages.h"

#include "grid.h"
#include "gridparts.h"

namespace {

using namespace TFactory;

TKorCustomDBGrid *gridOf(QObject *Grid)
{
    return qobject_cast<TKorCustomDBGrid *>(Grid);
}

// The run-time defaults that the colour boxes offer as their default entry.
TColor TotalsSelectedColor(QObject *Grid)
{
    return gridOf(Grid)->Totals()->DefaultSelectedColor();
}
TColor GradientHotColor(QObject *Grid)
{
    return gridOf(Grid)->Gradient()->DefaultHotColor();
}
TColor HighlightText(QObject *Grid)
{
    return gridOf(Grid)->DefaultHighlightText();
}
TColor DataLineColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultDataLineColor();
}
TColor SelectCellColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultSelectCellColor();
}
TColor SelectRowColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultSelectRowColor();
}
TColor SelectionColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultSelectionColor();
}
TColor StripeColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultStripeColor();
}
TColor EditorColor(QObject *Grid)
{
    return gridOf(Grid)->DefaultEditorColor();
}

const char *const Fixed = "FixedElementsGroupBox";
const char *const Data = "DataElementsGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ColorsTabSheet",
        // Groups.
        {
            {Fixed, OnSheet, " Fixed elements "},
            {Data, OnSheet, " Data elements ", TPlace::NewColumn},
        },
        // Rows.
        {
            {"FixedColorColorBox", Fixed, AddColorProp, "FixedColor", Colors(clDefault, clNone)},
            {"FillerColorColorBox", Fixed, AddColorProp, "FillerColor", Colors(clDefault, clNone)},
            {"HeaderColorColorBox", Fixed, AddColorProp, "HeaderColor", Colors(clDefault, clNone)},
            {"TotalColorColorBox", Fixed, AddColorProp, "Totals.Color", Colors(clDefault, clNone),
             "TotalColor"},
            {"TotalSelectedColorCheckBox", Fixed, AddElemProp, "DrawingOptions", Elem(6), NoCaption,
             TPlace::Beside, "TotalSelectedColorColorBox"},
            {"TotalSelectedColorColorBox", Fixed, AddColorProp, "Totals.SelectedColor",
             RuntimeColors(TotalsSelectedColor, clWhite), "TotalSelectColor"},
            {"GradientStartColorColorBox", Fixed, AddColorProp, "Gradient.StartColor",
             Colors(clDefault, clNone), "GradientStartColor"},
            {"GradientEndColorColorBox", Fixed, AddColorProp, "Gradient.EndColor",
             Colors(clBtnFace, clNone), "GradientEndColor"},
            {"GradientHotColorColorBox", Fixed, AddColorProp, "Gradient.HotColor",
             RuntimeColors(GradientHotColor, clNone), "GradientHotColor"},
            {"GradientShadowFactorEdit", Fixed, AddValueProp, "Gradient.ShadowFactor",
             Range(-255, 255), "GradientShadow"},
            {"ColorColorBox", Data, AddColorProp, "Color", Colors(clDefault, clNone)},
            {"HighlightTextColorBox", Data, AddColorProp, "HighlightText",
             RuntimeColors(HighlightText, clWhite)},
            {"DataColLineColorColorBox", Data, AddColorProp, "DataColLineColor",
             RuntimeColors(DataLineColor, clWhite), "DataCoLineColor"},
            {"DataRowLineColorColorBox", Data, AddColorProp, "DataRowLineColor",
             RuntimeColors(DataLineColor, clWhite), "DataRoLineColor"},
            {"SelectedCellColorColorBox", Data, AddColorProp, "SelectCellColor",
             RuntimeColors(SelectCellColor, clWhite)},
            {"SelectedRowColorColorBox", Data, AddColorProp, "SelectRowColor",
             RuntimeColors(SelectRowColor, clWhite)},
            {"MultiSelectedColorColorBox", Data, AddColorProp, "SelectionColor",
             RuntimeColors(SelectionColor, clWhite)},
            {"StripedRowsColorColorBox", Data, AddColorProp, "StripeColor",
             RuntimeColors(StripeColor, clWhite)},
            {"EditorColorColorBox", Data, AddColorProp, "EditorColor",
             RuntimeColors(EditorColor, clWhite)},
            {"HighlightTextCheckBox", Data, AddElemProp, "DrawingOptions", Elem(0), NoCaption,
             TPlace::Beside, "HighlightTextColorBox"},
            {"DataColLineColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(1), NoCaption,
             TPlace::Beside, "DataColLineColorColorBox"},
            {"DataRowLineColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(2), NoCaption,
             TPlace::Beside, "DataRowLineColorColorBox"},
            {"SelectedCellColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(3), NoCaption,
             TPlace::Beside, "SelectedCellColorColorBox"},
            {"SelectedRowColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(4), NoCaption,
             TPlace::Beside, "SelectedRowColorColorBox"},
            {"MultiSelectedColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(5), NoCaption,
             TPlace::Beside, "MultiSelectedColorColorBox"},
            {"StripedRowsColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(7), NoCaption,
             TPlace::Beside, "StripedRowsColorColorBox"},
            {"EditorColorCheckBox", Data, AddElemProp, "DrawingOptions", Elem(8), NoCaption,
             TPlace::Beside, "EditorColorColorBox"},
        },
        // Rules.
        {
            {{"FixedColorColorBox"}, O(2) || GridBool("Totals.Active") || O(3)},
            {{"FillerColorColorBox"}, O(2) && O(3)},
            {{"HeaderColorColorBox"}, O(2) && O(19)},
            {{"TotalColorColorBox"}, GridBool("Totals.Active")},
            {{"TotalSelectedColorCheckBox", "TotalSelectedColorColorBox"},
             GridBool("Totals.Active") && (OX(23) || OX(24) || OX(25) || OX(21))},
            {{"GradientStartColorColorBox", "GradientEndColorColorBox", "GradientHotColorColorBox",
              "GradientShadowFactorEdit"},
             GridOrd("DrawingStyle", 2)},
            {{"DataColLineColorCheckBox", "DataColLineColorColorBox"}, O(5)},
            {{"DataRowLineColorCheckBox", "DataRowLineColorColorBox"}, O(6)},
            {{"MultiSelectedColorCheckBox", "MultiSelectedColorColorBox"}, O(12) || O(14)},
            {{"EditorColorCheckBox", "EditorColorColorBox"}, O(0)},
        },
    };
    return table;
}

} // namespace

TColorsPropList::TColorsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

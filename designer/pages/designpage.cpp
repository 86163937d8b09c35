// The "Design" page: drawing style, gradient, fixed rows, buttons and border.

#include "gridpages.h"

#include "controls/checkbox.h"
#include "controls/label.h"

namespace {

using namespace TFactory;

const char *const Styles = "StyleElementsGroupBox";

// The styles group and its switch are made but never shown: the grid draws its own styles.
void HideStyleElements(TPageTableList &Page)
{
    Page.PageControl<TCheckBox>(QStringLiteral("StyleElementsCheckBox"))->setVisible(false);
    Page.PageControl<TGroupBox>(QString::fromLatin1(Styles))->setVisible(false);
}

TCond DrawingStyle(int Ordinal)
{
    return GridOrd("DrawingStyle", Ordinal);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "DesignTabSheet",
        // Groups.
        {
            {"DrawingStyleGroupBox", OnSheet, " Drawing style "},
            {"BorderGroupBox", OnSheet, " Border "},
            {"GradientStyleGroupBox", OnSheet, " Gradient / Styles ", TPlace::NewColumn},
            {Styles, OnSheet, "      Styles / Gradient ", TPlace::Same},
            {"SelectedCellsGroupBox", "GradientStyleGroupBox", " Selected cells "},
            {"FixedCellsGroupBox", "GradientStyleGroupBox", " Fixed cells ", TPlace::NewColumn},
            {"CustomStyleGroupBox", Styles, "      Custom style "},
            {"SystemStyleGroupBox", Styles, "      System style ", TPlace::NewColumn},
            {"FixedRowsGroupBox", OnSheet, " Fixed rows ", TPlace::NewColumn},
            {"ButtonsGroupBox", OnSheet, " Buttons "},
        },
        // Rows.
        {
            {"DrawingStyleComboBox", "DrawingStyleGroupBox", AddEnumProp, "DrawingStyle"},
            {"FixedThemeComboBox", "DrawingStyleGroupBox", AddEnumProp, "FixedTheme"},
            {"FixedStyleComboBox", "DrawingStyleGroupBox", AddEnumProp, "FixedStyle"},
            {"GradientStyleGroupBox", OnSheet, AddNoneProp, "Gradient"},
            {"GradientActiveCheckBox", "GradientStyleGroupBox", AddBoolProp, "Gradient.Active"},
            {"SelectedCellsGroupBox", "GradientStyleGroupBox", AddNoneProp, "Gradient.Cells"},
            {"SelectedCellCheckBox", "SelectedCellsGroupBox", AddElemProp, "Gradient.Cells",
             Elem(0), "SelectedCell"},
            {"SelectedRowCheckBox", "SelectedCellsGroupBox", AddElemProp, "Gradient.Cells", Elem(1),
             "SelectedRow"},
            {"MultiSelectedCheckBox", "SelectedCellsGroupBox", AddElemProp, "Gradient.Cells",
             Elem(2), "MultiSelected"},
            {"StripedRowsCheckBox", "SelectedCellsGroupBox", AddElemProp, "Gradient.Cells", Elem(3),
             "StripedRows"},
            {"FixedCellsGroupBox", "GradientStyleGroupBox", AddNoneProp, "Gradient.Options"},
            {"GradientCheckBox", "FixedCellsGroupBox", AddElemProp, "Gradient.Options", Elem(0),
             "Gradient"},
            {"HotButtonCheckBox", "FixedCellsGroupBox", AddElemProp, "Gradient.Options", Elem(1),
             "HotButton"},
            {"HotTrackCheckBox", "FixedCellsGroupBox", AddElemProp, "Gradient.Options", Elem(2),
             "HotTrack"},
            {"HotColorCheckBox", "FixedCellsGroupBox", AddElemProp, "Gradient.Options", Elem(3),
             "HotColor"},
            {"DirectionCheckBox", "FixedCellsGroupBox", AddBoolProp, "Gradient.Direction",
             Inverted(), "Horizontal"},
            {"SwapColorsCheckBox", "FixedCellsGroupBox", AddBoolProp, "Gradient.SwapColors"},
            {"HeadersCheckBox", "FixedRowsGroupBox", AddElemProp, "Options", Elem(19), "Headers"},
            {"TitlesCheckBox", "FixedRowsGroupBox", AddElemProp, "Options", Elem(2), "Titles"},
            {"TotalsCheckBox", "FixedRowsGroupBox", AddBoolProp, "Totals.Active", NoArgs, "Totals"},
            {"FilterCheckBox", "FixedRowsGroupBox", Unbound, nullptr, NoArgs, "Filter"},
            {"IndicatorCheckBox", "FixedRowsGroupBox", AddElemProp, "Options", Elem(3),
             "Indicator"},
            {"IndicatorMarkerCheckBox", "FixedRowsGroupBox", AddElemProp, "Options",
             ElemInverted(24), "IndicatorMarker"},
            {"FixedColsEdit", "FixedRowsGroupBox", AddValueProp, "FixedCols", Range(0, 32767)},
            {"TitleButtonsCheckBox", "ButtonsGroupBox", AddElemProp, "Options", Elem(18),
             "TitleButtons"},
            {"FillerButtonCheckBox", "ButtonsGroupBox", AddBoolProp, "FillerButton"},
            {"HotButtonsCheckBox", "ButtonsGroupBox", AddElemProp, "Options", Elem(17),
             "HotButtons"},
            {"HotButtonsComboBox", "ButtonsGroupBox", AddEnumProp, "HotButtons", NoArgs, NoLabel},
            {"Ctl3DCheckBox", "BorderGroupBox", AddBoolProp, "Ctl3D"},
            {"Ctl3DAutoCheckBox", "BorderGroupBox", AddBoolProp, "Ctl3DAuto", NoArgs, nullptr,
             TPlace::Beside},
            {"ParentCtl3DCheckBox", "BorderGroupBox", AddBoolProp, "ParentCtl3D"},
            {"BorderStyleCheckBox", "BorderGroupBox", AddBoolProp, "BorderStyle", NoArgs,
             "BorderFrame", TPlace::Beside},
            {"ListBorderComboBox", "BorderGroupBox", AddEnumProp, "ListBorder"},
            // The styles group: never shown, bound to nothing.
            {"StyleElementsCheckBox", OnSheet, Unbound, nullptr, NoArgs, NoCaption},
            {"ForceSystemButtonCheckBox", Styles, Unbound, nullptr, NoArgs, "ForceSystemButton"},
            {"ForceSystemMarkerCheckBox", Styles, Unbound, nullptr, NoArgs, "ForceSystemMarker"},
            {"CustomStyleCheckBox", Styles, Unbound, nullptr, NoArgs, NoCaption},
            {"CustomStyleBorderCheckBox", "CustomStyleGroupBox", Unbound, nullptr, NoArgs,
             "Border"},
            {"CustomStyleFontCheckBox", "CustomStyleGroupBox", Unbound, nullptr, NoArgs, "Font"},
            {"CustomStyleClientCheckBox", "CustomStyleGroupBox", Unbound, nullptr, NoArgs,
             "Client"},
            {"SystemStyleCheckBox", Styles, Unbound, nullptr, NoArgs, NoCaption},
            {"SystemStyleFixedCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs, "Fixed"},
            {"SystemStyleTextCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs, "Text"},
            {"SystemStyleButtonCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs,
             "Button"},
            {"SystemStyleMarkerCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs,
             "Marker"},
            {"SystemStyleDataCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs, "Data"},
            {"SystemStyleFontCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs, "Font"},
            {"SystemStyleClientCheckBox", "SystemStyleGroupBox", Unbound, nullptr, NoArgs,
             "Client"},
        },
        // Rules.
        {
            {{"FixedStyleComboBox"}, !DrawingStyle(1)},
            {{"SelectedCellsGroupBox"}, GridBool("Gradient.Active")},
            {{"FixedCellsGroupBox"}, DrawingStyle(2)},
            {{"HeadersCheckBox"}, O(2)},
            {{"IndicatorMarkerCheckBox"}, O(3)},
            {{"TitleButtonsCheckBox"}, O(2)},
            {{"FillerButtonCheckBox"}, O(18) && O(2) && O(3)},
            {{"HotButtonsCheckBox"}, O(18) && O(2)},
            {{"HotButtonsComboBox"}, O(18) && O(2) && O(17) && !DrawingStyle(1)},
            {{"Ctl3DCheckBox", "Ctl3DAutoCheckBox", "ParentCtl3DCheckBox"},
             GridOrd("BorderStyle", 1)},
            {{"ListBorderComboBox"}, !DrawingStyle(1)},
        },
        // Overrides.
        HideStyleElements,
    };
    return table;
}

} // namespace

TDesignPropList::TDesignPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

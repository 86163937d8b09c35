// The "Layout" page: bounds, constraints, anchors, bidirectional mode, margins and tab order.

#include "gridpages.h"

namespace {

using namespace TFactory;

// The "AlignWithMargins" check box and the whole " Margins " group are bound but never shown
// (nor loaded): the grid lays itself out without margins. They are hidden from the start and
// again after the base visibility rule of every load.
void HideMargins(TPageTableList &Page)
{
    for (const char *name : {"AlignWithMarginsCheckBox", "MarginsGroupBox"})
        if (TPropItem *item = Page.Item(QString::fromLatin1(name)))
            item->SetVisible(false);
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "LayoutTabSheet",
        // Groups.
        {
            {"BoundsGroupBox", OnSheet, " Bounds "},
            {"ConstraintsGroupBox", OnSheet, " Constraints "},
            {"AnchorsGroupBox", OnSheet, " Anchors ", TPlace::NewColumn},
            {"BiDiModeGroupBox", OnSheet, " BiDiMode "},
            {"MarginsGroupBox", OnSheet, " Margins "},
            {"TabOrderGroupBox", OnSheet, " TabOrder "},
        },
        // Rows.
        {
            {"BoundsLeftEdit", "BoundsGroupBox", AddValueProp, "Left", Range(-32768, 32767)},
            {"BoundsTopEdit", "BoundsGroupBox", AddValueProp, "Top", Range(-32768, 32767)},
            {"BoundsWidthEdit", "BoundsGroupBox", AddValueProp, "Width", Range(0, 32767)},
            {"BoundsHeightEdit", "BoundsGroupBox", AddValueProp, "Height", Range(0, 32767)},
            {"ConstraintsGroupBox", OnSheet, AddNoneProp, "Constraints"},
            {"ConstraintsMinWidthEdit", "ConstraintsGroupBox", AddValueProp, "Constraints.MinWidth",
             Range(0, 32767)},
            {"ConstraintsMinHeightEdit", "ConstraintsGroupBox", AddValueProp,
             "Constraints.MinHeight", Range(0, 32767)},
            {"ConstraintsMaxWidthEdit", "ConstraintsGroupBox", AddValueProp, "Constraints.MaxWidth",
             Range(0, 32767)},
            {"ConstraintsMaxHeightEdit", "ConstraintsGroupBox", AddValueProp,
             "Constraints.MaxHeight", Range(0, 32767)},
            {"BiDiModeComboBox", "BiDiModeGroupBox", AddEnumProp, "BiDiMode", NoArgs, NoLabel},
            {"ParentBiDiModeCheckBox", "BiDiModeGroupBox", AddBoolProp, "ParentBiDiMode"},
            {"AnchorsGroupBox", OnSheet, AddNoneProp, "Anchors"},
            {"AnchorsLeftCheckBox", "AnchorsGroupBox", AddElemProp, "Anchors", Elem(0), "Left"},
            {"AnchorsTopCheckBox", "AnchorsGroupBox", AddElemProp, "Anchors", Elem(1), "Top",
             TPlace::Beside},
            {"AnchorsRightCheckBox", "AnchorsGroupBox", AddElemProp, "Anchors", Elem(2), "Right"},
            {"AnchorsBottomCheckBox", "AnchorsGroupBox", AddElemProp, "Anchors", Elem(3), "Bottom",
             TPlace::Beside},
            {"AlignComboBox", "AnchorsGroupBox", AddEnumProp, "Align"},
            {"AlignWithMarginsCheckBox", "AnchorsGroupBox", AddBoolProp, "AlignWithMargins"},
            {"MarginsGroupBox", OnSheet, AddNoneProp, "Margins"},
            {"MarginsLeftEdit", "MarginsGroupBox", AddValueProp, "Margins.Left", Range(0, 32767)},
            {"MarginsTopEdit", "MarginsGroupBox", AddValueProp, "Margins.Top", Range(0, 32767)},
            {"MarginsRightEdit", "MarginsGroupBox", AddValueProp, "Margins.Right", Range(0, 32767)},
            {"MarginsBottomEdit", "MarginsGroupBox", AddValueProp, "Margins.Bottom",
             Range(0, 32767)},
            {"TabOrderEdit", "TabOrderGroupBox", AddValueProp, "TabOrder", Range(0, 32767),
             NoLabel},
            {"TabStopCheckBox", "TabOrderGroupBox", AddBoolProp, "TabStop"},
        },
        // Rules: none.
        {},
        // Overrides.
        HideMargins,
        HideMargins,
    };
    return table;
}

} // namespace

TLayoutPropList::TLayoutPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

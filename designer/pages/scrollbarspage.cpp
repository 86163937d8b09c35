// The "ScrollBars" page: which scroll bars show and how they look, and how the grid scrolls.

#include "gridpages.h"

#include <QVBoxLayout>

#include "controls/label.h"
#include "grid.h"

namespace {

using namespace TFactory;

const char *const Style = "ScrollBarStyleGroupBox";
const char *const Notice = "ScrollBarNoticeGroupBox";
const char *const Control = "ScrollBarControlGroupBox";
const char *const Mode = "ScrollingModeGroupBox";

// The notice group holds nothing but a text.
void AddNotice(TPageTableList &Page)
{
    auto *group = Page.PageControl<TGroupBox>(QString::fromLatin1(Notice));
    auto *label = new TLabel(QStringLiteral("Most of ScrollBar style's properties work "
                                            "effectively only when XPManifest is not included "
                                            "in application."),
                             group);
    label->setObjectName(QStringLiteral("ScrollBarNoticeLabel"));
    label->setWordWrap(true);
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(label);
}

// Themed drawing draws the system's scroll bars.
TCond ThemesEnabled()
{
    static const TCond cond = Fact(
        QStringLiteral("grid ThemesEnabled"),
        [](const TRuleContext &Context) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            return grid && grid->ThemesEnabled();
        },
        [](const TRuleContext &Context, bool Value) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            if (!grid)
                return false;
            grid->setDrawingStyle(Value ? Kor::gdsThemed : Kor::gdsClassic);
            return true;
        });
    return cond;
}

TCond AnyScrollBar()
{
    return !GridOrd("ScrollBars", 0);
}

// STY: the scroll bars are drawn in their own style.
TCond OwnStyle()
{
    return AnyScrollBar() && !ThemesEnabled() && !GridBool("ScrollProp.WinXPMode");
}

const TPageTable &PageTable()
{
    static const TPageTable table{
        "ScrollBarsTabSheet",
        // Groups.
        {
            {Style, OnSheet, " ScrollBar style "},
            {Notice, OnSheet, " ScrollBar notice ", TPlace::NewColumn},
            {Control, OnSheet, " ScrollBar control "},
            {Mode, OnSheet, " Scrolling mode "},
        },
        // Rows.
        {
            {"ScrollBarsComboBox", Style, AddEnumProp, "ScrollBars"},
            {"ScrollBarColorColorBox", Style, AddColorProp, "ScrollProp.Color",
             Colors(clDefault, clNone), "ScrollBarColor"},
            {"ScrollBarStyleComboBox", Style, AddEnumProp, "ScrollProp.Style", NoArgs,
             "ScrollBarStyle"},
            {"AutoHiddenComboBox", Style, AddEnumProp, "ScrollProp.AutoHidden"},
            {"ThumbBarComboBox", Style, AddEnumProp, "ScrollProp.ThumbBar"},
            {"ParentColor1CheckBox", Style, AddBoolProp, "ScrollProp.ParentColor"},
            {"ParentStyleCheckBox", Style, AddBoolProp, "ScrollProp.ParentStyle"},
            {"AutoStretchCheckBox", Style, AddBoolProp, "ScrollProp.AutoStretch"},
            {"WinXPModeCheckBox", Style, AddBoolProp, "ScrollProp.WinXPMode"},
            {"ForceSequenceCheckBox", Control, AddElemProp, "Options", Elem(29), "ForceSequence"},
            {"ThumbTrackingCheckBox", Control, AddElemProp, "Options", Elem(30), "ThumbTracking"},
            {"AutoUpdateSequenceCheckBox", Control, AddElemProp, "OptionsEx", Elem(15),
             "AutoUpdateSequence"},
            {"DelayUpdateSequenceCheckBox", Control, AddElemProp, "OptionsEx", Elem(16),
             "DelayUpdateSequence"},
            {"ScrollGridModeCheckBox", Mode, AddElemProp, "OptionsExt", Elem(9), "ScrollGridMode"},
            {"ScrollPageModeCheckBox", Mode, AddElemProp, "OptionsExt", Elem(10), "ScrollPageMode"},
            {"ScrollRowsModeCheckBox", Mode, AddElemProp, "OptionsExt", Elem(11), "ScrollRowsMode"},
        },
        // Rules.
        {
            {{"ScrollBarColorColorBox", "ScrollBarStyleComboBox", "AutoHiddenComboBox",
              "ParentColor1CheckBox", "ParentStyleCheckBox"},
             OwnStyle()},
            {{"ThumbBarComboBox"}, AnyScrollBar()},
            {{"AutoStretchCheckBox"},
             GridBool("StretchMode") && OwnStyle() &&
                 (GridOrd("ScrollProp.AutoHidden", 1) || GridOrd("ScrollProp.AutoHidden", 3))},
            {{"WinXPModeCheckBox"}, AnyScrollBar() && !ThemesEnabled()},
            {{"ThumbTrackingCheckBox"}, GridOrd("ScrollBars", 2) || GridOrd("ScrollBars", 3)},
            {{"DelayUpdateSequenceCheckBox"}, OX(15)},
            {{"ScrollGridModeCheckBox"}, O(29)},
            {{"ScrollPageModeCheckBox"}, O(29) && OT(9)},
        },
        // Overrides.
        AddNotice,
    };
    return table;
}

} // namespace

TScrollBarsPropList::TScrollBarsPropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}

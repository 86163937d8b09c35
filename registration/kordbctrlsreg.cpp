#include "kordbctrlsreg.h"

#include "briskaboutform.h"
#include "navigator.h"
#include "regtables.h"

namespace KorDBCtrlsReg {

namespace {

using namespace KorReg;

const TPaletteRow kPalette[] = {
    {"Data Controls", {&TKorDBNavigator::staticMetaObject}},
};

const TComponentEditorRow kComponentEditors[] = {
    {&TKorDBNavigator::staticMetaObject, &TBriskEditor::staticMetaObject},
};

// clang-format off
const TCategoryRow kCategories[] = {
    {nullptr, "Brisk", &TKorDBNavigator::staticMetaObject,
     {"ApplyTheme", "Captions", "Fine", "FineTheme", "Font", "Gradient", "Kind", "Layout", "Margin",
      "ParentBackground", "ParentFont", "ShowCaptions", "Spacing"}},
};
// clang-format on

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables(
        {.Palette = kPalette, .ComponentEditors = kComponentEditors, .Categories = kCategories});
}

} // namespace KorDBCtrlsReg

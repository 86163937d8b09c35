#include "kordblistsreg.h"

#include <array>

#include "regtables.h"

// The unit's registration tables, in the order the host is told about them. The rows name the
// run-time package's component classes and the package's editor classes.
namespace {

constexpr std::array<KorReg::TPaletteRow, 0> paletteRows{};
constexpr std::array<KorReg::TComponentEditorRow, 0> componentEditorRows{};
constexpr std::array<KorReg::TPropertyEditorRow, 0> propertyEditorRows{};
constexpr std::array<KorReg::TCategoryRow, 0> categoryRows{};

} // namespace

namespace KorDBListsReg {

void Register()
{
    KorReg::RegisterPalette(paletteRows);
    KorReg::RegisterComponentEditors(componentEditorRows);
    KorReg::RegisterPropertyEditors(propertyEditorRows);
    KorReg::RegisterCategories(categoryRows);
}

} // namespace KorDBListsReg

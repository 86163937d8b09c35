#pragma once
// Unit KorDBGridsReg: registration of the grid family (the three grid classes, the grid's component
// editor, the property editors and property categories of the grid and its parts).

namespace KorDBGridsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

} // namespace KorDBGridsReg

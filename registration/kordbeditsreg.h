#pragma once
// Unit KorDBEditsReg: registration of the data-aware editor controls.

namespace KorDBEditsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

} // namespace KorDBEditsReg

#pragma once
// Unit KorDBCtrlsReg: registration of the navigator.

namespace KorDBCtrlsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

} // namespace KorDBCtrlsReg

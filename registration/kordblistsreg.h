#pragma once
// Unit KorDBListsReg: registration of the columns dialog component.

namespace KorDBListsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

} // namespace KorDBListsReg

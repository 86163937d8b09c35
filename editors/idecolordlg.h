#pragma once
// Unit IDEColorDlg: the colour property editor with special colours.

namespace IDEColorDlg {

// Registers the unit's property editors with the host.
void Register();

} // namespace IDEColorDlg

#pragma once
// IPropListWindow: what the property lists know of the window that shows them.

// A window that shows a property list and can reload it: an item whose change alters what the
// page shows asks the list's window through this, without knowing the window's class.
class IPropListWindow {
public:
    virtual ~IPropListWindow() = default;
    // Reloads the window's active page and selects its object in the host again.
    virtual void UpdatePropList() = 0;
};

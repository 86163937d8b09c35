#pragma once
// Unit IDEDesignEd's package-wide list of open designer windows (of every designer class). The
// list is created on first use; each designer window adds itself when it is created and removes
// itself when it is destroyed; the unit's stop frees it. Windows are held as QPointer, so a
// window the host deleted shows up as null and is dropped at the next removal.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace IDEDesignEd {

using TDesignerList = QList<QPointer<QWidget>>;

// The list, or null before it was first used and after the unit stopped.
TDesignerList *DesignerList();
// The list, created when it does not exist yet.
TDesignerList &EnsureDesignerList();
// Adds a window (once), creating the list when needed.
void AddDesignerWindow(QWidget *Window);
// Removes a window and every entry whose window is gone; does nothing without a list.
void RemoveDesignerWindow(QWidget *Window);

// The unit's stop work: closes the windows still open through their normal close path (so
// their form state is saved) and destroys them (their code is about to be unloaded), frees the
// list, if it exists, and clears the reference.
void Finalization();

} // namespace IDEDesignEd

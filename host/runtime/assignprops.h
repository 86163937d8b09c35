#pragma once
// Copying published properties between objects of the same kind, as Assign of persistent parts
// does: every published property that both objects have is read from the source and written to
// the destination. Owned sub-objects copy through their own Assign (their setters assign);
// references to components are shared.

#include <QObject>

#include "korruntime_export.h"

// Copies the published properties of Source that Dest also publishes, except Name. Properties
// that Dest cannot write are skipped.
KORRUNTIME_EXPORT void AssignPublishedProperties(QObject *Dest, const QObject *Source);

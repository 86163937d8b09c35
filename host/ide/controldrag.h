#pragma once
// Dragging between controls of the application's own windows, tracked with the mouse: a control
// starts a drag with BeginDrag (usually from its mouse-down handler); controls that accept drops
// say so with SetDragTarget. Nothing leaves the application and no data is carried: the drop
// handler receives the source control and decides what to do.
//
// The tracker outlives every window that uses it, so it is the host's: a package that starts a
// drag leaves nothing of its own behind in the application when it is unloaded. A drop or
// drag-over handler that raises is reported (HandleHostException); the drag ends.

#include <QPoint>
#include <functional>
#include <optional>

#include "korhost_export.h"

class QObject;
class QWidget;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// X and Y are relative to Sender, the control under the mouse. Accept starts as true.
using TDragOverEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y,
                                          TDragState State, bool &Accept)>;
using TDragDropEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y)>;

// Lets Control (and the children that have no handlers of their own) receive drags. Empty
// handlers remove the registration; a destroyed control is forgotten by itself.
KORHOST_EXPORT void SetDragTarget(QWidget *Control, TDragOverEvent OnDragOver,
                                  TDragDropEvent OnDragDrop);

// Starts dragging Control. A drag that is not immediate begins only once the mouse has moved
// Threshold pixels (the system's drag distance when negative) with the button held; releasing
// the button earlier is an ordinary click. Escape cancels a drag. Origin is where the mouse went
// down, in screen coordinates; the cursor's position when not given.
KORHOST_EXPORT void BeginDrag(QWidget *Control, bool Immediate, int Threshold = -1,
                              std::optional<QPoint> Origin = std::nullopt);
// Whether a drag has begun and not ended yet.
KORHOST_EXPORT bool Dragging();
KORHOST_EXPORT void CancelDrag();

#pragma once
// Dragging between controls of the application's own windows, tracked with the mouse: a control
// starts a drag with BeginDrag (usually from its mouse-down handler); controls that accept drops
// say so with SetDragTarget. Nothing leaves the application and no data is carried: the drop
// handler receives the source control and decides what to do.

#include <QPoint>
#include <functional>
#include <optional>

class QObject;
class QWidget;

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// X and Y are relative to Sender, the control under the mouse. Accept starts as true.
using TDragOverEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y,
                                          TDragState State, bool &Accept)>;
using TDragDropEvent = std::function<void(QObject *Sender, QObject *Source, int X, int Y)>;

// Lets Control (and the children that have no handlers of their own) receive drags. Empty
// handlers remove the registration; a destroyed control is forgotten by itself.
void SetDragTarget(QWidget *Control, TDragOverEvent OnDragOver, TDragDropEvent OnDragDrop);

// Starts dragging Control. A drag that is not immediate begins only once the mouse has moved
// Threshold pixels (the system's drag distance when negative) with the button held; releasing
// the button earlier is an ordinary click. Escape cancels a drag. Origin is where the mouse went
// down, in screen coordinates; the cursor's position when not given.
void BeginDrag(QWidget *Control, bool Immediate, int Threshold = -1,
               std::optional<QPoint> Origin = std::nullopt);
// Whether a drag has begun and not ended yet.
bool Dragging();
void CancelDrag();

#pragma once
// The form surface's arranging commands: lining components up, giving them one size, spacing
// them evenly and changing which lies on top. One table describes every command (its menu text,
// the name of its undo step, how many components it needs, its tool-bar picture); the geometry
// is a pure function of the rectangles, so the surface only has to apply the result.

#include <QIcon>
#include <QLine>
#include <QList>
#include <QRect>
#include <QString>

enum class TArrange {
    AlignLefts,
    AlignRights,
    AlignTops,
    AlignBottoms,
    AlignHorizontalCentres,
    AlignVerticalCentres,
    SameWidth,
    SameHeight,
    SameSize,
    SpaceAcross,
    SpaceDown,
    BringToFront,
    SendToBack,
};

struct TArrangeCommand {
    TArrange Kind;
    const char *Text;     // the menu text, with its accelerator
    const char *StepName; // the undo step, also the tool tip
    // How many selected components the command needs to do anything. Geometry commands count
    // controls only (icons have no size); stacking counts every component.
    int MinSelected;
    bool Geometry; // moves or sizes, so a lock stops it
    bool GroupEnd; // a separator follows it in menus and the tool bar
    // The picture, on a 16 x 16 grid: a guide line (none when null) and up to three boxes,
    // drawn in order; the last box drawn is the selected one and is filled.
    QLine Guide;
    QRect Boxes[3];
};

// Every arranging command, in menu order.
const QList<TArrangeCommand> &ArrangeCommands();
const TArrangeCommand &ArrangeCommand(TArrange Kind);

// Where Rects lie after the geometry command Kind. The first rectangle is the anchor: the others
// line up with it or take its size. Spacing keeps the two outermost where they are and shares
// the room between them out evenly, in the order the rectangles lie. Stacking commands answer
// Rects unchanged.
QList<QRect> ArrangedRects(TArrange Kind, const QList<QRect> &Rects);

// The tool-bar picture of Kind, drawn rather than loaded, so it follows the palette.
QIcon ArrangeIcon(TArrange Kind);

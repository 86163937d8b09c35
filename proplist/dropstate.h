#pragma once
// The state of the one drop-down list that can be open at a time: the left edge and width of
// the combo box while it is widened, and the colour selected when a colour box's context list
// was opened.

#include "graphics.h"

class TCustomComboBox;

namespace DropState {
inline int SavedLeft = 0;
inline int SavedWidth = 0;
inline TColor SavedColor = 0;

// Wide: remembers the box's left edge and width and widens it to DropWidth, growing to the
// left so its right edge stays. Not wide: restores what was remembered. Nothing when
// DropWidth is 0.
void SetListWidth(TCustomComboBox *Box, int DropWidth, bool Wide);
} // namespace DropState

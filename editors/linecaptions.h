#pragma once
// Unit IDELinesDlg: the multi-row string editor's line-counter captions and the unit's stop work.

#include <QString>
#include <array>

namespace IDELinesDlg {

// The line counter's caption table, created on first use: index 0 "&Lines", index 1 "&Line".
const std::array<QString, 2> &LineCaptions();
// Whether the caption table is held right now.
bool LineCaptionsHeld();

// The unit's stop work: releases the caption table.
void Finalization();

// The string editor form belongs to this unit as well.

} // namespace IDELinesDlg

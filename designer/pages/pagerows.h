#pragma once
// Rows that several pages share: a font group's controls and a text group's layout controls,
// named from a prefix so that each page keeps its own control names. A page joins them with its
// own rows in call order (JoinRows).

#include <initializer_list>
#include <vector>

#include "pagetable.h"

// In which order a font group binds its colour and its size.
enum class TFontRowOrder { SizeThenColor, ColorThenSize };

// The rows of the font group Prefix + "GroupBox": the group bound to the font at FontPath
// (its caption from its TPageGroup), the name, size and colour, and the four style check boxes
// two to a line. The controls are Prefix + "NameComboBox", "SizeEdit", "ColorColorBox",
// "BoldCheckBox", "ItalicCheckBox", "UnderlineCheckBox" and "StrikeOutCheckBox".
std::vector<TPageRow> FontRows(const char *Prefix, const char *FontPath,
                               TFontRowOrder Order = TFontRowOrder::SizeThenColor);

// The rows of a text group: Prefix + "AlignmentComboBox", "VAlignmentComboBox",
// "EllipsisCheckBox" and "WordWrapCheckBox" beside it, bound to the properties of those names
// after PathPrefix ("" or "Title.").
std::vector<TPageRow> TextLayoutRows(const char *Prefix, const char *Group, const char *PathPrefix);

// The rows of several runs, one after the other.
std::vector<TPageRow> JoinRows(std::initializer_list<std::vector<TPageRow>> Runs);

#pragma once
// Conditions that the column pages' rules share: what the column is (a text column, an editable
// one), its button style, its lookup and pick-list state, and the grid's hint options.

#include "pagetable.h"

namespace ColumnRules {

// The column's expand count is above 0. The count is the column's ExpandCols: a column that heads
// an expand group shows its cell text beside the expand box.
TCond ExpandCount();
// The column heads an expand group (TKorColumn.Expandable).
TCond Expandable();
// TEXT: the cell shows text: no check box, no expand box unless the column heads a group, no
// automatic numbering.
TCond Text();
// ES: the grid edits and the column shows the editor.
TCond EditShown();
// EDIT: the cell is edited as text (ES and TEXT).
TCond Edit();
// B is Ordinal: the column's ButtonStyle.
TCond Button(int Ordinal);
// The column has a lookup data set (LDS).
TCond LookupDataSet();
// The column is a lookup column (LC): LookupColumn has a non-zero ordinal.
TCond LookupColumn();
// The column's pick list has at least one line (HP).
TCond HasPickList();
// L[n]: element n of the column's ListOptions.
TCond ListOption(int Index);
// P[n]: element n of the column's PickOptions.
TCond PickOption(int Index);
// SH and H[n]: the grid's ShowHint and its HintOptions.
TCond ShowHint();
TCond HintOption(int Index);
// The grid lays itself out from right to left.
TCond RightToLeft();

} // namespace ColumnRules

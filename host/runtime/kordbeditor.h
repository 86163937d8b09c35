#pragma once
// The grid-linked editor control of unit KorDBEditor. Linked to a grid through DBGrid, it edits
// the field of the grid's focus cell, or of the column named by DataColumn, in the grid's current
// record. It lives in its own namespace: the design-time package has a component editor of the
// same name.

#include "kordbeditors.h"

namespace KorDBEditor {

class KORRUNTIME_EXPORT TKorDBGridEditor : public TKorDBDataEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridEditor(QObject *AOwner = nullptr);

    // DataColumn's column, or the grid's column with the focus cell.
    TKorColumn *GridColumn() const override;
};

} // namespace KorDBEditor

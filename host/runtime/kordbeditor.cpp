#include "kordbeditor.h"

namespace KorDBEditor {

TKorDBGridEditor::TKorDBGridEditor(QObject *AOwner) : TKorDBDataEditor(AOwner) {}

TKorColumn *TKorDBGridEditor::GridColumn() const
{
    if (!DataColumn().isEmpty())
        return TKorDBDataEditor::GridColumn();
    return DBGrid() ? DBGrid()->SelectedColumn() : nullptr;
}

} // namespace KorDBEditor

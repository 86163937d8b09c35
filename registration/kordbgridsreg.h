#pragma once
// Unit KorDBGridsReg: registration of the grid family (the three grid classes, the grid's component
// editor, the property editors and property categories of the grid and its parts).

#include "briskaboutform.h"

namespace KorDBGridsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

// The grid's component editor (not the run-time editor control of the same name): the About box,
// the columns editor and the grid designer; a double-click opens the columns editor and then
// the grid designer.
class TKorDBGridEditor : public TBriskEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridEditor(const TComponentEditorArgs &Args);
    void Edit() override;

    // Opens the columns editor of the grid's Columns.
    void ShowColumnsEditor();
    // Opens the grid designer; with UseActiveForm the window active in the host now is its
    // parent form, else it has none.
    void ShowDesignerForm(bool UseActiveForm);

protected:
    QStringList OwnVerbs() const override;
    void ExecuteOwnVerb(int Index) override;
};

} // namespace KorDBGridsReg

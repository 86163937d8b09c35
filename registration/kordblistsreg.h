#pragma once
// Unit KorDBListsReg: registration of the columns dialog component.

#include "briskaboutform.h"

namespace KorDBListsReg {

// Makes the unit's registration calls with the host, in their fixed order; called once by the
// host after the package's units have started.
void Register();

// The columns dialog component's editor: the About box and a test run of the dialog, which is
// also what a double-click does.
class TKorDBColumnsDialogEditor : public TBriskEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBColumnsDialogEditor(const TComponentEditorArgs &Args);
    void Edit() override;

    void About();
    // Shows the dialog as the application would at run time, with its dialog parent cleared for
    // the duration of the call (put back also when the dialog raises).
    void TestDialog();

protected:
    QStringList OwnVerbs() const override;
    void ExecuteOwnVerb(int Index) override;
};

} // namespace KorDBListsReg

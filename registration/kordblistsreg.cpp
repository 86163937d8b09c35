#include "kordblistsreg.h"

#include <QPointer>

#include "columnsdialog.h"
#include "ideaboutdlg.h"
#include "regtables.h"

namespace KorDBListsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow componentEditors[] = {
    {&TKorDBColumnsDialog::staticMetaObject, &TKorDBColumnsDialogEditor::staticMetaObject},
};

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables({.ComponentEditors = componentEditors});
}

// ---- TKorDBColumnsDialogEditor ----

TKorDBColumnsDialogEditor::TKorDBColumnsDialogEditor(const TComponentEditorArgs &Args)
    : TDefaultEditor(Args)
{
}

void TKorDBColumnsDialogEditor::Edit()
{
    TestDialog();
}

void TKorDBColumnsDialogEditor::ExecuteVerb(int Index)
{
    switch (Index) {
    case 0:
        About();
        break;
    case 2:
        TestDialog();
        break;
    default: // 1 is the separator line
        break;
    }
}

QString TKorDBColumnsDialogEditor::GetVerb(int Index)
{
    switch (Index) {
    case 0:
        return IDEAboutDlg::ProductTitle();
    case 1:
        return QStringLiteral("-");
    case 2:
        return QStringLiteral("Test Dialog");
    default:
        return {};
    }
}

int TKorDBColumnsDialogEditor::GetVerbCount()
{
    return 3;
}

void TKorDBColumnsDialogEditor::About()
{
    IDEAboutDlg::ShowAboutForm();
}

void TKorDBColumnsDialogEditor::TestDialog()
{
    TComponent *component = Component();
    QPointer<TKorDBColumnsDialog> dialog =
        component ? qobject_cast<TKorDBColumnsDialog *>(component->Object()) : nullptr;
    if (!dialog)
        return;
    // The designed form must not become the dialog's parent during the test run.
    struct RestoreParent {
        QPointer<TKorDBColumnsDialog> &dialog;
        QWidget *parent;
        ~RestoreParent()
        {
            if (dialog)
                dialog->setDialogParent(parent);
        }
    } restore{dialog, dialog->DialogParent()};
    dialog->setDialogParent(nullptr);
    dialog->Execute();
}

} // namespace KorDBListsReg

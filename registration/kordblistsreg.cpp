#include "kordblistsreg.h"

#include <QPointer>

#include "briskaboutform.h"
#include "columnsdialog.h"
#include "regtables.h"

namespace KorDBListsReg {

namespace {

using namespace KorReg;

const TPaletteRow kPalette[] = {
    {"Data Controls", {&TKorDBColumnsDialog::staticMetaObject}},
};

const TComponentEditorRow kComponentEditors[] = {
    {&TKorDBColumnsDialog::staticMetaObject, &TKorDBColumnsDialogEditor::staticMetaObject},
};

// "Linkage", "Localizable" and "Visual" are passed as plain text, not as the host's (translated)
// category names: they stay in English in a translated host. "onShow" keeps the small letter it
// has always been registered with; the host matches property names without regard to case.
// clang-format off
const TCategoryRow kCategories[] = {
    {nullptr, "Linkage", &TKorDBColumnsDialog::staticMetaObject, {"DBGrid"}},
    {nullptr, "Localizable", &TKorDBColumnsDialog::staticMetaObject,
     {"ButtonsTitles", "ColumnsTitle", "Title"}},
    {nullptr, "Visual", &TKorDBColumnsDialog::staticMetaObject,
     {"ButtonsTitles", "ColumnsTitle", "DefaultCount", "DefaultWidth", "MinimumCount",
      "MinimumWidth", "Title"}},
    {nullptr, "KorDBColumnsDialog", &TKorDBColumnsDialog::staticMetaObject,
     {"BorderStyle", "ButtonsTitles", "ColumnsTitle", "DBGrid", "DefaultCount", "DefaultWidth",
      "HelpContext", "MinimumCount", "MinimumWidth", "Options", "Title"}},
    {nullptr, "KorDBColumnsDialog", &TKorDBColumnsDialog::staticMetaObject,
     {"OnApply", "OnClose", "OnCreate", "onShow"}},
};
// clang-format on

} // namespace

// The unit's registration tables are handed to the host in one go.
void Register()
{
    KorReg::RegisterTables(
        {.Palette = kPalette, .ComponentEditors = kComponentEditors, .Categories = kCategories});
}

// ---- TKorDBColumnsDialogEditor ----

TKorDBColumnsDialogEditor::TKorDBColumnsDialogEditor(const TComponentEditorArgs &Args)
    : TBriskEditor(Args)
{
}

void TKorDBColumnsDialogEditor::Edit()
{
    TestDialog();
}

QStringList TKorDBColumnsDialogEditor::OwnVerbs() const
{
    return {QStringLiteral("Test Dialog")};
}

void TKorDBColumnsDialogEditor::ExecuteOwnVerb(int)
{
    TestDialog();
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

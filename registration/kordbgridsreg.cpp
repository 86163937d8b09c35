#include "kordbgridsreg.h"

#include <QApplication>

#include "grid.h"
#include "ideaboutdlg.h"
#include "idedesigned.h"
#include "idegridsdlg.h"
#include "regtables.h"

namespace KorDBGridsReg {

namespace {

using namespace KorReg;

const TComponentEditorRow componentEditors[] = {
    {&TKorDBGrid::staticMetaObject, &TKorDBGridEditor::staticMetaObject},
};

const TPropertyEditorRow propertyEditors[] = {
    {nullptr, &TKorDBGridColumns::staticMetaObject, &TKorDBGrid::staticMetaObject, "Columns",
     &TKorDBGridColumnsProperty::staticMetaObject},
};

} // namespace

// The product first, then the unit's registration tables in one go.
void Register()
{
    IDEAboutDlg::RegisterProduct();
    KorReg::RegisterTables(
        {.ComponentEditors = componentEditors, .PropertyEditors = propertyEditors});
}

// ---- TKorDBGridEditor ----

TKorDBGridEditor::TKorDBGridEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}

void TKorDBGridEditor::Edit()
{
    ShowColumnsEditor();
    ShowDesignerForm(true);
}

void TKorDBGridEditor::ExecuteVerb(int Index)
{
    switch (Index) {
    case 0:
        IDEAboutDlg::ShowAboutForm();
        break;
    case 2:
        ShowColumnsEditor();
        break;
    case 3:
        ShowDesignerForm(false);
        break;
    default: // 1 is the separator line
        break;
    }
}

QString TKorDBGridEditor::GetVerb(int Index)
{
    switch (Index) {
    case 0:
        return IDEAboutDlg::ProductTitle();
    case 1:
        return QStringLiteral("-");
    case 2:
        return QStringLiteral("Co&lumns Editor...");
    case 3:
        return QStringLiteral("Kor-DBGrid Designer...");
    default:
        return {};
    }
}

int TKorDBGridEditor::GetVerbCount()
{
    return 4;
}

void TKorDBGridEditor::ShowColumnsEditor()
{
    ShowKorDBGridColumnsEditor(GetDesigner(), Component());
}

void TKorDBGridEditor::ShowDesignerForm(bool UseActiveForm)
{
    auto *grid = Component() ? qobject_cast<TKorDBGrid *>(Component()->Object()) : nullptr;
    if (!grid)
        return;
    // The one place that opens the grid designer window.
    ShowBriskDesigner(GetDesigner(), grid, UseActiveForm ? QApplication::activeWindow() : nullptr);
}

} // namespace KorDBGridsReg

#include "stringproperties.h"

#include <QApplication>
#include <QPointer>

#include "hostdialogs.h"
#include "stringeditor.h"

TKorStringProperty::TKorStringProperty(const TPropertyEditorArgs &Args) : TStringProperty(Args) {}

TPropertyAttributes TKorStringProperty::GetAttributes()
{
    return TPropertyEditor::GetAttributes() | paDialog;
}

void TKorStringProperty::Edit()
{
    auto *editor = new TKorStringEditor(HeaderMode(), GetValue(), QApplication::activeWindow());
    // Released after its own event handling has ended, whatever happens here.
    struct Release {
        QPointer<TKorStringEditor> Editor;
        ~Release()
        {
            if (Editor)
                Editor->deleteLater();
        }
    } release{editor};
    if (HostDialogs().ExecuteDialog(*editor) == QDialog::Accepted)
        SetValue(editor->GetText());
}

TKorHeaderProperty::TKorHeaderProperty(const TPropertyEditorArgs &Args) : TKorStringProperty(Args)
{
}

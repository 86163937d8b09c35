#include "workbenchdialogs.h"

#include "formfile.h"
#include "formproblemsdialog.h"
#include "multilinetextdialog.h"
#include "taborderdialog.h"

bool TWorkbenchDialogs::ConfirmFormProblems(QWidget *Parent, const QString &FileName,
                                            const QList<TFormProblem> &Problems)
{
    if (!CanShowDialogs())
        return false;
    TFormProblemsDialog dialog(FileName, Problems, Parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TWorkbenchDialogs::EditTabOrder(QWidget *Parent, QStringList &Names)
{
    if (!CanShowDialogs())
        return false;
    TTabOrderDialog dialog(Names, Parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Names = dialog.Order();
    return true;
}

bool TWorkbenchDialogs::EditMultiLineText(QWidget *Parent, const QString &Caption, QString &Text)
{
    if (!CanShowDialogs())
        return false;
    TMultiLineTextDialog dialog(Caption, Text, Parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Text = dialog.Text();
    return true;
}

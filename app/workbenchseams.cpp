#include "workbenchseams.h"

#include <QFileDialog>
#include <QGuiApplication>

#include "formfile.h"
#include "formproblemsdialog.h"
#include "multilinetextdialog.h"
#include "taborderdialog.h"

namespace {

// Nothing waits for a person on a platform without a screen.
bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

TWorkbenchSeams TWorkbenchSeams::Defaults()
{
    TWorkbenchSeams seams;
    seams.GetOpenFileName = [](QWidget *Parent, const QString &Caption, const QString &Dir,
                               const QString &Filter) {
        return headless() ? QString() : QFileDialog::getOpenFileName(Parent, Caption, Dir, Filter);
    };
    seams.GetSaveFileName = [](QWidget *Parent, const QString &Caption, const QString &FileName,
                               const QString &Filter) {
        return headless() ? QString()
                          : QFileDialog::getSaveFileName(Parent, Caption, FileName, Filter);
    };
    seams.ConfirmFormProblems = [](QWidget *Parent, const QString &FileName,
                                   const QList<TFormProblem> &Problems) {
        if (headless())
            return false;
        TFormProblemsDialog dialog(FileName, Problems, Parent);
        return dialog.exec() == QDialog::Accepted;
    };
    seams.EditTabOrder = [](QWidget *Parent, QStringList &Names) {
        if (headless())
            return false;
        TTabOrderDialog dialog(Names, Parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        Names = dialog.Order();
        return true;
    };
    seams.EditMultiLineText = [](QWidget *Parent, const QString &Caption, QString &Text) {
        if (headless())
            return false;
        TMultiLineTextDialog dialog(Caption, Text, Parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        Text = dialog.Text();
        return true;
    };
    return seams;
}

TWorkbenchSeams &WorkbenchSeams()
{
    static TWorkbenchSeams seams = TWorkbenchSeams::Defaults();
    return seams;
}

TWorkbenchSeamsScope::TWorkbenchSeamsScope(const TWorkbenchSeams &Seams) : m_saved(WorkbenchSeams())
{
    TWorkbenchSeams &current = WorkbenchSeams();
    if (Seams.GetOpenFileName)
        current.GetOpenFileName = Seams.GetOpenFileName;
    if (Seams.GetSaveFileName)
        current.GetSaveFileName = Seams.GetSaveFileName;
    if (Seams.ConfirmFormProblems)
        current.ConfirmFormProblems = Seams.ConfirmFormProblems;
    if (Seams.EditTabOrder)
        current.EditTabOrder = Seams.EditTabOrder;
    if (Seams.EditMultiLineText)
        current.EditMultiLineText = Seams.EditMultiLineText;
}

TWorkbenchSeamsScope::~TWorkbenchSeamsScope()
{
    WorkbenchSeams() = m_saved;
}

#pragma once
// The workbench's dialogs: the host's and the fields editor's, with the workbench's own form
// problems, tab order and multi-line text dialogs. The workbench installs them for its lifetime
// (THostDialogsScope); on a headless platform they answer "cancelled" at once.

#include "fieldseditor.h"

class TWorkbenchDialogs : public TRuntimeDialogs {
public:
    bool ConfirmFormProblems(QWidget *Parent, const QString &FileName,
                             const QList<TFormProblem> &Problems) override;
    bool EditTabOrder(QWidget *Parent, QStringList &Names) override;
    bool EditMultiLineText(QWidget *Parent, const QString &Caption, QString &Text) override;
};

#pragma once
// The file dialogs and other modal dialogs of the workbench, behind seams that tests replace (the
// "save changes?" question goes through MessageDlg, the host's own seam). WorkbenchSeams() answers
// the set in use; TWorkbenchSeamsScope installs replacements for a scope and restores the previous
// ones.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
struct TFormProblem;

struct TWorkbenchSeams {
    // The form file to open, starting in the folder Dir; empty when the user cancels.
    std::function<QString(QWidget *Parent, const QString &Caption, const QString &Dir,
                          const QString &Filter)>
        GetOpenFileName;
    // The file to save the form to, starting at FileName; empty when the user cancels.
    std::function<QString(QWidget *Parent, const QString &Caption, const QString &FileName,
                          const QString &Filter)>
        GetSaveFileName;
    // Shows the problems of the form file FileName (TFormProblemsDialog) and answers whether to
    // open what can be read (false: cancel, nothing changes).
    std::function<bool(QWidget *Parent, const QString &FileName,
                       const QList<TFormProblem> &Problems)>
        ConfirmFormProblems;
    // Shows the controls named Names in tab order (TTabOrderDialog) for the user to reorder;
    // answers false when the user cancels, else true with Names in the new order.
    std::function<bool(QWidget *Parent, QStringList &Names)> EditTabOrder;
    // Lets the user edit the long text Text over several lines (TMultiLineTextDialog) under
    // Caption; answers false when the user cancels, Text then unchanged.
    std::function<bool(QWidget *Parent, const QString &Caption, QString &Text)> EditMultiLineText;

    // The real dialogs; on a headless platform they answer "cancelled" at once.
    static TWorkbenchSeams Defaults();
};

TWorkbenchSeams &WorkbenchSeams();

class TWorkbenchSeamsScope {
public:
    explicit TWorkbenchSeamsScope(const TWorkbenchSeams &Seams);
    ~TWorkbenchSeamsScope();
    TWorkbenchSeamsScope(const TWorkbenchSeamsScope &) = delete;
    TWorkbenchSeamsScope &operator=(const TWorkbenchSeamsScope &) = delete;

private:
    TWorkbenchSeams m_saved;
};

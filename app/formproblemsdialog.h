#pragma once
// TFormProblemsDialog: the problems found in a form file that opens only in part, one row each
// (line, column, component, property, message) as a compiler lists its diagnostics, with the
// choice to open what can be read ("Open") or to leave the form as it is (Cancel). The
// workbench shows it through TWorkbenchDialogs::ConfirmFormProblems.

#include <QDialog>
#include <QList>

struct TFormProblem;
class QTreeWidget;

class TFormProblemsDialog : public QDialog {
    Q_OBJECT
public:
    TFormProblemsDialog(const QString &FileName, const QList<TFormProblem> &Problems,
                        QWidget *parent = nullptr);

    QTreeWidget *ProblemList() const { return m_list; }

private:
    QTreeWidget *m_list;
};

#include "formproblemsdialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "formfile.h"

TFormProblemsDialog::TFormProblemsDialog(const QString &FileName,
                                         const QList<TFormProblem> &Problems, QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("FormProblemsDialog"));
    setWindowTitle(tr("Problems in %1").arg(QFileInfo(FileName).fileName()));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        tr("%n part(s) of %1 cannot be read. Open what can be read? Values this version does "
           "not know are kept and saved back; the file is not changed until you save.",
           nullptr, int(Problems.size()))
            .arg(QDir::toNativeSeparators(FileName)),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_list->setObjectName(QStringLiteral("ProblemList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {tr("Line"), tr("Column"), tr("Component"), tr("Property"), tr("Problem")});
    for (const TFormProblem &problem : Problems) {
        auto *row = new QTreeWidgetItem(m_list);
        row->setText(0, problem.Line > 0 ? QString::number(problem.Line) : QString());
        row->setText(1, problem.Column > 0 ? QString::number(problem.Column) : QString());
        row->setText(2, problem.Component.isEmpty() ? tr("(form)") : problem.Component);
        row->setText(3, problem.Property);
        row->setText(4, problem.Message);
        row->setToolTip(4, problem.Text());
    }
    for (int column = 0; column < 4; ++column)
        m_list->resizeColumnToContents(column);
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *open = buttons->addButton(tr("Open"), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("OpenButton"));
    buttons->button(QDialogButtonBox::Cancel)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(720, 360);
}

#include "taborderdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TTabOrderDialog::TTabOrderDialog(const QStringList &Names, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TabOrderDialog"));
    setWindowTitle(tr("Tab Order"));
    auto *label = new QLabel(tr("&Controls in tab order:"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("TabOrderList"));
    m_list->addItems(Names);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setCurrentRow(0);
    label->setBuddy(m_list);
    m_up = new QPushButton(tr("Move &Up"));
    m_down = new QPushButton(tr("Move &Down"));
    connect(m_up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(m_list, &QListWidget::currentRowChanged, this, &TTabOrderDialog::refreshButtons);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
    refreshButtons();
}

QStringList TTabOrderDialog::Order() const
{
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        names << m_list->item(i)->text();
    return names;
}

void TTabOrderDialog::moveCurrent(int Step)
{
    const int row = m_list->currentRow();
    const int to = row + Step;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
}

void TTabOrderDialog::refreshButtons()
{
    const int row = m_list->currentRow();
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < m_list->count() - 1);
}

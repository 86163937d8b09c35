#include "columnsdialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "componentlink.h"
#include "hostdialogs.h"

namespace {

} // namespace

TKorDBColumnsDialog::TKorDBColumnsDialog(QObject *AOwner)
    : QObject(), TComponent(AsComponent(AOwner)), m_ButtonsTitles(std::make_unique<TStrings>())
{
}

TKorDBColumnsDialog::~TKorDBColumnsDialog() = default;

void TKorDBColumnsDialog::setDBGrid(TKorCustomDBGrid *Value)
{
    if (m_grid == Value)
        return;
    m_grid.set(Value);
    if (Value)
        FreeNotification(Value);
}

void TKorDBColumnsDialog::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove)
        m_grid.drop(AComponent);
}

QString TKorDBColumnsDialog::buttonTitle(int Index, const QString &Fallback) const
{
    const QString title =
        Index < ButtonsTitles()->Count() ? ButtonsTitles()->Strings(Index) : QString();
    return title.isEmpty() ? Fallback : title;
}

QList<bool> TKorDBColumnsDialog::choiceOf(const QListWidget &List) const
{
    QList<bool> shown;
    for (int i = 0; i < List.count(); ++i)
        shown.append(List.item(i)->checkState() == Qt::Checked);
    return shown;
}

void TKorDBColumnsDialog::restoreDefaults(QListWidget &List) const
{
    for (int i = 0; i < List.count(); ++i)
        List.item(i)->setCheckState(DefaultCount() <= 0 || i < DefaultCount() ? Qt::Checked
                                                                              : Qt::Unchecked);
}

void TKorDBColumnsDialog::ApplyChoice(const QList<bool> &Shown)
{
    TKorCustomDBGrid *grid = DBGrid();
    if (!grid)
        return;
    TKorDBGridColumns *columns = grid->Columns();
    const int count = qMin(columns->Count(), int(Shown.size()));
    if (int(Shown.count(true)) < qMin(MinimumCount(), count))
        throw EConvertError(
            QStringLiteral("At least %1 columns must stay visible").arg(MinimumCount()));
    columns->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        TKorColumn *column = columns->Items(i);
        column->setVisible(Shown[i]);
        if (Shown[i] && column->Width() < MinimumWidth())
            column->setWidth(MinimumWidth());
    }
    columns->EndUpdate();
    grid->Refresh();
    if (ApplyHandler)
        ApplyHandler(*this);
}

bool TKorDBColumnsDialog::Execute()
{
    TKorCustomDBGrid *grid = DBGrid();
    if (!grid)
        return false;
    QWidget *parent = m_dialogParent ? m_dialogParent.data() : grid->window();
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("KorDBColumnsDialog"));
    dialog.setWindowTitle(Title().isEmpty() ? QStringLiteral("Columns") : Title());
    if (BorderStyle() == Kor::dbsToolWindow || BorderStyle() == Kor::dbsSizeToolWin)
        dialog.setWindowFlag(Qt::Tool);
    dialog.setSizeGripEnabled(BorderStyle() == Kor::dbsSizeable ||
                              BorderStyle() == Kor::dbsSizeToolWin);

    auto *layout = new QVBoxLayout(&dialog);
    auto *caption = new QLabel(
        ColumnsTitle().isEmpty() ? QStringLiteral("&Columns:") : ColumnsTitle(), &dialog);
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QString::fromLatin1(ColumnsListName));
    caption->setBuddy(list);
    TKorDBGridColumns *columns = grid->Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        TKorColumn *column = columns->Items(i);
        const QString text = column->Title()->Caption().isEmpty() ? column->DisplayName()
                                                                  : column->Title()->Caption();
        auto *item = new QListWidgetItem(text, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(column->Visible() ? Qt::Checked : Qt::Unchecked);
    }
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok =
        buttons->addButton(buttonTitle(0, QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    buttons->addButton(buttonTitle(1, QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    if (Options() & Kor::dloApplyButton) {
        QPushButton *apply = buttons->addButton(buttonTitle(2, QStringLiteral("&Apply")),
                                                QDialogButtonBox::ApplyRole);
        apply->setObjectName(QStringLiteral("ApplyButton"));
        connect(apply, &QPushButton::clicked, &dialog, [this, list] {
            try {
                ApplyChoice(choiceOf(*list));
            } catch (const EHostError &) {
                // The OK button's rule keeps the choice valid; nothing to apply otherwise.
            }
        });
    }
    QPushButton *defaults =
        buttons->addButton(buttonTitle(3, QStringLiteral("&Default")), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("DefaultButton"));
    ok->setObjectName(QStringLiteral("OKButton"));
    connect(defaults, &QPushButton::clicked, &dialog, [this, list] { restoreDefaults(*list); });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // OK is offered only while enough columns are shown.
    const auto checkMinimum = [this, list, ok] {
        ok->setEnabled(int(choiceOf(*list).count(true)) >= qMin(MinimumCount(), list->count()));
    };
    connect(list, &QListWidget::itemChanged, &dialog, checkMinimum);
    checkMinimum();
    layout->addWidget(caption);
    layout->addWidget(list);
    layout->addWidget(buttons);

    const int result = HostDialogs().ExecuteDialog(dialog);
    const bool accepted = result == QDialog::Accepted && ok->isEnabled();
    if (accepted)
        ApplyChoice(choiceOf(*list));
    if (CloseHandler)
        CloseHandler(*this);
    return accepted;
}

#include "checkbox.h"

TCheckBox::TCheckBox(QWidget *Parent) : QCheckBox(Parent)
{
    init();
}

TCheckBox::TCheckBox(const QString &Caption, QWidget *Parent) : QCheckBox(Caption, Parent)
{
    init();
}

void TCheckBox::init()
{
    connect(this, &QCheckBox::stateChanged, this, [this] { FireEvent(OnClick); });
}

int TCheckBox::State() const
{
    switch (checkState()) {
    case Qt::Checked:
        return cbChecked;
    case Qt::PartiallyChecked:
        return cbGrayed;
    default:
        return cbUnchecked;
    }
}

void TCheckBox::SetState(int Value)
{
    setCheckState(Value == cbChecked  ? Qt::Checked
                  : Value == cbGrayed ? Qt::PartiallyChecked
                                      : Qt::Unchecked);
}

void TCheckBox::SetAllowGrayed(bool Value)
{
    m_allowGrayed = Value;
    setTristate(Value || checkState() == Qt::PartiallyChecked);
}

void TCheckBox::nextCheckState()
{
    switch (State()) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(AllowGrayed() ? cbGrayed : cbUnchecked);
        break;
    default:
        SetState(cbUnchecked);
        break;
    }
}

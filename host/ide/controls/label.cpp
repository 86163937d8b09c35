#include "label.h"

TLabel::TLabel(QWidget *Parent) : QLabel(Parent) {}

TLabel::TLabel(const QString &Caption, QWidget *Parent) : QLabel(Caption, Parent) {}

void TLabel::SetFocusControl(QWidget *Value)
{
    m_focusControl = Value;
    setBuddy(Value);
}

TGroupBox::TGroupBox(QWidget *Parent) : QGroupBox(Parent) {}

TGroupBox::TGroupBox(const QString &Caption, QWidget *Parent) : QGroupBox(Caption, Parent) {}

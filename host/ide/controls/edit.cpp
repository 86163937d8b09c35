#include "edit.h"

#include <QFocusEvent>

TEdit::TEdit(QWidget *Parent) : TInputControl(Parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { FireEvent(OnChange); });
    showSelection(false);
}

void TEdit::showSelection(bool Shown)
{
    if (Shown) {
        setPalette(QPalette()); // everything from the parent again
        return;
    }
    QPalette unselected = parentWidget() ? parentWidget()->palette() : QPalette();
    unselected.setResolveMask(0);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        unselected.setBrush(group, QPalette::Highlight, unselected.brush(group, QPalette::Base));
        unselected.setBrush(group, QPalette::HighlightedText,
                            unselected.brush(group, QPalette::Text));
    }
    setPalette(unselected);
}

void TEdit::focusInEvent(QFocusEvent *Event)
{
    showSelection(true);
    QLineEdit::focusInEvent(Event);
}

void TEdit::SetMaxLength(int Value)
{
    m_maxLength = qMax(0, Value);
    setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
}

void TEdit::SetSelLength(int Value)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    if (Value <= 0) {
        deselect();
        setCursorPosition(start);
        return;
    }
    setSelection(start, Value);
}

void TEdit::FocusLeft()
{
    showSelection(false);
}

void TEdit::mouseDoubleClickEvent(QMouseEvent *Event)
{
    QLineEdit::mouseDoubleClickEvent(Event);
    FireEvent(OnDblClick);
}

#include "memo.h"

#include <QFocusEvent>

TMemo::TMemo(QWidget *Parent) : QPlainTextEdit(Parent)
{
    setTabChangesFocus(true);
}

QStringList TMemo::Lines() const
{
    const QString text = toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void TMemo::SetLines(const QStringList &Value)
{
    setPlainText(Value.join(QLatin1Char('\n')));
}

void TMemo::keyPressEvent(QKeyEvent *Event)
{
    if (DispatchKeyEvent(Event, OnKeyDown, OnKeyPress))
        return;
    QPlainTextEdit::keyPressEvent(Event);
}

void TMemo::focusOutEvent(QFocusEvent *Event)
{
    QPlainTextEdit::focusOutEvent(Event);
    if (Event->reason() != Qt::PopupFocusReason)
        FireEvent(OnExit);
}

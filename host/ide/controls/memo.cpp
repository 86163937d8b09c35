#include "memo.h"

#include <QFocusEvent>

TMemo::TMemo(QWidget *Parent) : TInputControl(Parent)
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

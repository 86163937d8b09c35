#include "updown.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>

#include "edit.h"

TUpDown::TUpDown(QWidget *Parent) : QWidget(Parent)
{
    setFocusPolicy(Qt::NoFocus);
}

TUpDown::~TUpDown() = default;

TEdit *TUpDown::Associate() const
{
    return qobject_cast<TEdit *>(m_associate.data());
}

void TUpDown::SetAssociate(TEdit *Value)
{
    if (m_associate)
        m_associate->removeEventFilter(this);
    m_associate = Value;
    if (Value) {
        Value->installEventFilter(this);
        Value->setText(FormatPosition(m_position));
    }
}

void TUpDown::SetMin(int Value)
{
    m_min = Value;
    if (m_max < m_min)
        m_max = m_min;
    SetPosition(Position());
}

void TUpDown::SetMax(int Value)
{
    m_max = Value;
    if (m_min > m_max)
        m_min = m_max;
    SetPosition(Position());
}

QString TUpDown::FormatPosition(int Value) const
{
    return m_thousands ? QLocale().toString(Value) : QString::number(Value);
}

bool TUpDown::ReadBuddy(int &Value) const
{
    const TEdit *buddy = Associate();
    if (!buddy)
        return false;
    QString text = buddy->text().trimmed();
    if (m_thousands)
        text.remove(QLocale().groupSeparator());
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < m_min || number > m_max)
        return false;
    Value = number;
    return true;
}

int TUpDown::Position() const
{
    int value = 0;
    if (ReadBuddy(value))
        m_position = value;
    return m_position;
}

void TUpDown::SetPosition(int Value)
{
    m_position = qBound(m_min, Value, m_max);
    if (TEdit *buddy = Associate(); buddy && buddy->text() != FormatPosition(m_position))
        buddy->setText(FormatPosition(m_position));
}

void TUpDown::Click(TUDBtnType Button)
{
    if (!isEnabled())
        return;
    bool allow = true;
    FireEvent(OnChanging, allow);
    if (!allow)
        return;
    SetPosition(Position() + (Button == btNext ? m_increment : -m_increment));
    FireEvent(OnClick);
}

QSize TUpDown::sizeHint() const
{
    return {17, 21};
}

void TUpDown::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const int half = height() / 2;
    option.rect = QRect(0, 0, width(), half);
    painter.drawPrimitive(QStyle::PE_IndicatorSpinUp, option);
    option.rect = QRect(0, half, width(), height() - half);
    painter.drawPrimitive(QStyle::PE_IndicatorSpinDown, option);
}

void TUpDown::mousePressEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton)
        return;
    Click(Event->position().y() < height() / 2 ? btNext : btPrev);
}

bool TUpDown::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == m_associate.data() && m_arrowKeys && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(Event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? btNext : btPrev);
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

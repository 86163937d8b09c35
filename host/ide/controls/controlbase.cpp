#include "controlbase.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TControlFont::TControlFont(QWidget *Control) : m_control(Control), m_font(std::make_unique<TFont>())
{
    m_font->FromQFont(Control->font());
    connect(m_font.get(), &TFont::changed, this, &TControlFont::fontChanged);
    Control->installEventFilter(this);
}

TControlFont::~TControlFont() = default;

void TControlFont::fontChanged()
{
    if (m_syncing)
        return;
    m_syncing = true;
    m_control->setFont(m_font->ToQFont());
    m_syncing = false;
}

bool TControlFont::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == m_control && Event->type() == QEvent::FontChange && !m_syncing) {
        m_syncing = true;
        m_font->FromQFont(m_control->font());
        m_syncing = false;
    }
    return false;
}

void SetControlHint(QWidget *Control, const QString &Hint)
{
    if (!Control)
        return;
    Control->setToolTip(Hint);
    Control->setStatusTip(Hint);
}

QString ControlHint(const QWidget *Control)
{
    return Control ? Control->toolTip() : QString();
}

QList<QWidget *> ChildControls(const QWidget *Control)
{
    QList<QWidget *> result;
    if (!Control || qobject_cast<const QAbstractButton *>(Control) ||
        qobject_cast<const QComboBox *>(Control) || qobject_cast<const QLineEdit *>(Control) ||
        qobject_cast<const QAbstractScrollArea *>(Control) ||
        qobject_cast<const QLabel *>(Control) || qobject_cast<const QAbstractSpinBox *>(Control) ||
        qobject_cast<const QAbstractSlider *>(Control) ||
        Control->metaObject()->indexOfClassInfo("KorLeafControl") >= 0)
        return result;
    for (QObject *child : Control->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow() && !widget->objectName().startsWith(QLatin1String("qt_")))
            result.append(widget);
    }
    return result;
}

bool ControlEnabled(const QWidget *Control)
{
    return Control && !Control->testAttribute(Qt::WA_ForceDisabled);
}

bool ControlVisible(const QWidget *Control)
{
    return Control && !Control->isHidden();
}

namespace {

constexpr struct {
    int qtKey;
    quint16 vk;
} kVirtualKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},   {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},      {Qt::Key_Left, VK_LEFT},     {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Down, VK_DOWN},     {Qt::Key_Delete, VK_DELETE},
};

} // namespace

quint16 VirtualKeyOf(const QKeyEvent *Event)
{
    for (const auto &entry : kVirtualKeys)
        if (entry.qtKey == Event->key())
            return entry.vk;
    const int key = Event->key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return quint16(key); // the host's codes of digits and letters are their ASCII codes
    return quint16(key & 0xFFFF);
}

QChar KeyCharOf(const QKeyEvent *Event)
{
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        return QChar(13);
    if (Event->key() == Qt::Key_Escape)
        return QChar(27);
    const QString text = Event->text();
    if (text.isEmpty() || (Event->modifiers() & Qt::AltModifier))
        return QChar();
    return text.at(0);
}

bool DispatchKeyEvent(QKeyEvent *Event, TKeyEvent OnKeyDown, TKeyPressEvent OnKeyPress)
{
    try {
        if (OnKeyDown) {
            quint16 key = VirtualKeyOf(Event);
            OnKeyDown(key, Event->modifiers());
            if (key == 0) {
                Event->accept();
                return true;
            }
        }
        QChar ch = KeyCharOf(Event);
        if (OnKeyPress && !ch.isNull()) {
            OnKeyPress(ch);
            if (ch.isNull()) {
                Event->accept();
                return true;
            }
        }
    } catch (...) {
        HandleHostException();
        Event->accept();
        return true;
    }
    return false;
}

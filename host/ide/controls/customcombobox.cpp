#include "customcombobox.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTimer>

TCustomComboBox::TCustomComboBox(QWidget *Parent) : TInputControl(Parent)
{
    setMaxVisibleItems(m_dropDownCount);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &TCustomComboBox::activatedByUser);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::SetItemIndex(int Value)
{
    setCurrentIndex(Value >= 0 && Value < count() ? Value : -1);
    if (currentIndex() < 0 && lineEdit())
        lineEdit()->clear();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    m_dropDownCount = Value;
    setMaxVisibleItems(qMax(1, Value));
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value == m_droppedDown)
        return;
    if (Value) {
        m_openingByCode = true;
        showPopup();
        m_openingByCode = false;
        return;
    }
    m_closingByCode = true;
    hidePopup();
    m_closingByCode = false;
}

int TCustomComboBox::TextWidth(const QString &Text) const
{
    return QFontMetrics(font()).horizontalAdvance(Text);
}

void TCustomComboBox::SelectAll()
{
    if (lineEdit())
        lineEdit()->selectAll();
}

int TCustomComboBox::SelLength() const
{
    return lineEdit() ? int(lineEdit()->selectedText().size()) : 0;
}

void TCustomComboBox::SetSelLength(int Value)
{
    QLineEdit *edit = lineEdit();
    if (!edit)
        return;
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    if (Value <= 0) {
        edit->deselect();
        edit->setCursorPosition(start);
    } else {
        edit->setSelection(start, Value);
    }
}

void TCustomComboBox::SelectIndex(int Index)
{
    if (Index < 0 || Index >= count())
        return;
    setCurrentIndex(Index);
    activatedByUser(Index);
}

void TCustomComboBox::ContextPopup(const QPoint &MousePos)
{
    bool handled = false;
    FireEvent(OnContextPopup, MousePos, handled);
    if (handled)
        return;
    if (QMenu *menu = PopupMenu()) {
        // An empty menu shows nothing, which is its purpose: no edit menu for the box.
        if (!menu->isEmpty())
            menu->popup(mapToGlobal(MousePos));
        return;
    }
    if (lineEdit()) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, MousePos, mapToGlobal(MousePos));
        QComboBox::contextMenuEvent(&event);
    }
}

void TCustomComboBox::showPopup()
{
    if (m_droppedDown)
        return;
    m_droppedDown = true;
    FireEvent(OnDropDown);
    if (count() > 0 && isVisible()) {
        QComboBox::showPopup();
        return;
    }
    // Nothing to show. Opened by code (a hidden box), the list counts as dropped down until
    // code closes it; opened by the user, it closes again at once.
    if (!m_openingByCode) {
        m_droppedDown = false;
        FireEvent(OnCloseUp);
    }
}

void TCustomComboBox::hidePopup()
{
    const bool wasShown = view() && view()->isVisible();
    if (wasShown)
        QComboBox::hidePopup();
    if (!m_droppedDown)
        return;
    m_droppedDown = false;
    // A list closed by the user may still deliver the picked entry after this returns; the
    // close-up then follows it from the event loop.
    closeUp(wasShown && !m_closingByCode);
}

void TCustomComboBox::closeUp(bool Deferred)
{
    if (!Deferred) {
        FireEvent(OnCloseUp);
        return;
    }
    QTimer::singleShot(0, this, [this] { FireEvent(OnCloseUp); });
}

void TCustomComboBox::activatedByUser(int Index)
{
    if (Select(Index))
        FireEvent(OnSelect);
}

void TCustomComboBox::SetEditable(bool Value)
{
    if (Value == isEditable())
        return;
    setEditable(Value);
    if (QLineEdit *edit = lineEdit()) {
        setCompleter(nullptr); // the typed text stays as typed
        edit->installEventFilter(this);
    }
}

void TCustomComboBox::contextMenuEvent(QContextMenuEvent *Event)
{
    Event->accept();
    ContextPopup(Event->pos());
}

void TCustomComboBox::mouseDoubleClickEvent(QMouseEvent *Event)
{
    QComboBox::mouseDoubleClickEvent(Event);
    FireEvent(OnDblClick);
}

bool TCustomComboBox::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == lineEdit()) {
        if (Event->type() == QEvent::MouseButtonDblClick) {
            FireEvent(OnDblClick);
        } else if (Event->type() == QEvent::ContextMenu) {
            auto *menuEvent = static_cast<QContextMenuEvent *>(Event);
            ContextPopup(lineEdit()->mapTo(this, menuEvent->pos()));
            return true;
        }
    }
    return QComboBox::eventFilter(Watched, Event);
}

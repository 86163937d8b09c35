#pragma once
// TCustomComboBox: what the combo box and the colour box share: drop-down count and state,
// position and width, text measurement, focus and selection, and the host's events.
//
// Event order follows the host: OnDropDown before the list opens, OnCloseUp after it closed.
// When the user picks an entry from the open list, OnSelect comes first and OnCloseUp follows
// from the event loop, so a close-up handler may rebuild the list safely.

#include <QComboBox>
#include <QMenu>
#include <QPointer>

#include "controlbase.h"

using TContextPopupEvent = std::function<void(const QPoint &MousePos, bool &Handled)>;

class KORHOST_EXPORT TCustomComboBox : public TInputControl<QComboBox> {
    Q_OBJECT
    KOR_CONTROL_FONT

public:
    explicit TCustomComboBox(QWidget *Parent = nullptr);
    ~TCustomComboBox() override;

    int ItemCount() const { return count(); }
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int Value);

    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int Value);
    bool DroppedDown() const { return m_droppedDown; }
    void SetDroppedDown(bool Value);

    int Left() const { return x(); }
    void SetLeft(int Value) { move(Value, y()); }
    int Width() const { return width(); }
    void SetWidth(int Value) { resize(Value, height()); }
    // Width of Text drawn in the control's font.
    int TextWidth(const QString &Text) const;

    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // Text selection of an editable box; nothing for the others.
    void SelectAll();
    int SelLength() const;
    void SetSelLength(int Value);

    // The menu a right click shows (none is shown while it is empty); not owned.
    QMenu *PopupMenu() const { return qobject_cast<QMenu *>(m_popupMenu.data()); }
    void SetPopupMenu(QMenu *Value) { m_popupMenu = Value; }

    // As if the user had picked entry Index from the list.
    void SelectIndex(int Index);
    // As if the user had asked for the context menu at MousePos.
    void ContextPopup(const QPoint &MousePos);

    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDblClick;
    TContextPopupEvent OnContextPopup;

    void showPopup() override;
    void hidePopup() override;

protected:
    // Called before OnSelect when the user picks entry Index; false withholds OnSelect.
    virtual bool Select(int Index)
    {
        Q_UNUSED(Index);
        return true;
    }
    // Makes the box editable or not, keeping the events of its edit part.
    void SetEditable(bool Value);

    void contextMenuEvent(QContextMenuEvent *Event) override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void activatedByUser(int Index);
    void closeUp(bool Deferred);

    int m_dropDownCount = 8;
    bool m_droppedDown = false;
    bool m_closingByCode = false;
    bool m_openingByCode = false;
    QPointer<QObject> m_popupMenu;
};

#pragma once
// Shared pieces of the thin control classes: the published Font sub-object kept in step with the
// widget's QFont, control hints, the child controls that enabling and visibility reach, and the
// host's virtual key codes for key events.

#include <QFont>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "../font.h"
#include "../hostmessages.h"
#include "korhost_export.h"

// Owns a control's TFont and keeps it and the widget's QFont equal both ways.
class KORHOST_EXPORT TControlFont : public QObject {
    Q_OBJECT
public:
    explicit TControlFont(QWidget *Control);
    ~TControlFont() override;
    TFont *Font() const { return m_font.get(); }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void fontChanged();
    QWidget *m_control;
    std::unique_ptr<TFont> m_font;
    bool m_syncing = false;
};

// Publishes `Font` in a control class (a QWidget subclass with Q_OBJECT).
#define KOR_CONTROL_FONT                                                                           \
    Q_PROPERTY(TFont *Font READ Font)                                                              \
    KOR_PUBLISHED(tkClass, "TFont", Font, "")                                                      \
public:                                                                                            \
    TFont *Font() const                                                                            \
    {                                                                                              \
        return m_controlFont.Font();                                                               \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    TControlFont m_controlFont{this};

// A control's hint: shown in the designer's status bar; kept as tool and status tip.
KORHOST_EXPORT void SetControlHint(QWidget *Control, const QString &Hint);
KORHOST_EXPORT QString ControlHint(const QWidget *Control);

// The controls held directly by Control. Controls that are not containers (buttons, edit
// boxes, combo boxes, labels, spinners, memos) hold none: their inner widgets are their own.
KORHOST_EXPORT QList<QWidget *> ChildControls(const QWidget *Control);

// Enabled and Visible as the control's own flags (not inherited from its parents).
KORHOST_EXPORT bool ControlEnabled(const QWidget *Control);
KORHOST_EXPORT bool ControlVisible(const QWidget *Control);

// Virtual key codes passed to OnKeyDown handlers; 0 means the key was swallowed.
enum TVirtualKey : quint16 {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_DELETE = 46,
};
using TShiftState = Qt::KeyboardModifiers;

class QKeyEvent;
// The virtual key of a key event, or its Qt key code for keys without one.
KORHOST_EXPORT quint16 VirtualKeyOf(const QKeyEvent *Event);
// The character a key event types (Enter gives character 13), or a null character.
KORHOST_EXPORT QChar KeyCharOf(const QKeyEvent *Event);

using TKeyEvent = std::function<void(quint16 &Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(QChar &Key)>;
using TNotifyEvent = std::function<void()>;

// Runs a key event through the OnKeyDown and OnKeyPress handlers (copies, so a handler may
// detach itself); true when one of them swallowed it by setting the key to 0, in which case
// the control must not handle it. A handler that changes the key to another one does not
// change what the control types. A handler that raises is reported (HandleHostException) and
// the key counts as swallowed: the control does not act on a key its handler failed on.
KORHOST_EXPORT bool DispatchKeyEvent(QKeyEvent *Event, TKeyEvent OnKeyDown,
                                     TKeyPressEvent OnKeyPress);

// Calls an event handler through a copy, so the handler may replace or detach itself. This is
// where the event loop enters component and package code: an error the handler raises goes no
// further than here, it is reported through HandleHostException.
template <class Handler, class... Args> void FireEvent(const Handler &Event, Args &&...args)
{
    if (Handler copy = Event) {
        try {
            copy(std::forward<Args>(args)...);
        } catch (...) {
            HandleHostException();
        }
    }
}

// The host's key and exit events on the input widget Base: OnKeyDown and OnKeyPress see every
// key first (DispatchKeyEvent), and OnExit fires when the focus leaves the control, but not when
// it only moves to the control's own pop-up (a combo box's list, a context menu).
template <class Base> class TInputControl : public Base {
public:
    using Base::Base;

    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent *Event) override
    {
        if (DispatchKeyEvent(Event, OnKeyDown, OnKeyPress))
            return;
        Base::keyPressEvent(Event);
    }
    void focusOutEvent(QFocusEvent *Event) override
    {
        Base::focusOutEvent(Event);
        FocusLeft();
        if (Event->reason() != Qt::PopupFocusReason)
            FireEvent(OnExit);
    }
    // Called as the focus leaves, before OnExit.
    virtual void FocusLeft() {}
};

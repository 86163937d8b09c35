#pragma once
// TUpDown: a pair of arrow buttons that step a number shown in a buddy edit box.
//
// The position stays within Min..Max. While the buddy shows a whole number within that range
// the position is taken from the buddy's text; otherwise the last position is kept. Setting
// the position clamps it and writes it into the buddy.

#include <QPointer>
#include <QWidget>

#include "controlbase.h"

class TEdit;

enum TUDBtnType { btNext, btPrev };
using TUDChangingEvent = std::function<void(bool &AllowChange)>;

class KORHOST_EXPORT TUpDown : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")
    KOR_CONTROL_FONT

public:
    explicit TUpDown(QWidget *Parent = nullptr);
    ~TUpDown() override;

    TEdit *Associate() const;
    void SetAssociate(TEdit *Value);
    int Min() const { return m_min; }
    void SetMin(int Value);
    int Max() const { return m_max; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    int Increment() const { return m_increment; }
    void SetIncrement(int Value) { m_increment = Value; }
    // Whether the buddy shows group separators.
    bool Thousands() const { return m_thousands; }
    void SetThousands(bool Value) { m_thousands = Value; }
    // Up and down arrow keys in the buddy step the position.
    bool ArrowKeys() const { return m_arrowKeys; }
    void SetArrowKeys(bool Value) { m_arrowKeys = Value; }

    // As if the user clicked an arrow: OnChanging may refuse, then the position steps.
    void Click(TUDBtnType Button);

    TUDChangingEvent OnChanging;
    TNotifyEvent OnClick;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QString FormatPosition(int Value) const;
    bool ReadBuddy(int &Value) const;

    // Held as a plain object: events of a buddy being destroyed still reach the filter.
    QPointer<QObject> m_associate;
    int m_min = 0;
    int m_max = 100;
    mutable int m_position = 0;
    int m_increment = 1;
    bool m_thousands = true;
    bool m_arrowKeys = true;
};

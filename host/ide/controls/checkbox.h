#pragma once
// TCheckBox: a check box with a three-way state and a click event that also fires when the
// check mark is set by code, as the host's check box does.

#include <QCheckBox>

#include "controlbase.h"

class KORHOST_EXPORT TCheckBox : public QCheckBox {
    Q_OBJECT
    KOR_CONTROL_FONT

public:
    enum TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

    explicit TCheckBox(QWidget *Parent = nullptr);
    TCheckBox(const QString &Caption, QWidget *Parent = nullptr);

    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    // 0 unchecked, 1 checked, 2 grayed.
    int State() const;
    void SetState(int Value);
    // Whether a click can reach the grayed state; code can set it regardless.
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool Value);

    // Fires whenever the state changes: by a click or by code.
    TNotifyEvent OnClick;

protected:
    // A click steps unchecked -> checked -> grayed (when allowed) -> unchecked.
    void nextCheckState() override;

private:
    void init();
    bool m_allowGrayed = false;
};

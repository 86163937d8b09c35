#pragma once
// TLabel and TGroupBox: the label that names a control and the box that groups controls.

#include <QGroupBox>
#include <QLabel>
#include <QPointer>

#include "controlbase.h"

class KORHOST_EXPORT TLabel : public QLabel {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")
    KOR_CONTROL_FONT

public:
    explicit TLabel(QWidget *Parent = nullptr);
    TLabel(const QString &Caption, QWidget *Parent = nullptr);

    // The control this label names; also its buddy for the label's shortcut.
    QWidget *FocusControl() const { return m_focusControl.data(); }
    void SetFocusControl(QWidget *Value);

private:
    QPointer<QWidget> m_focusControl;
};

class KORHOST_EXPORT TGroupBox : public QGroupBox {
    Q_OBJECT
    KOR_CONTROL_FONT

public:
    explicit TGroupBox(QWidget *Parent = nullptr);
    TGroupBox(const QString &Caption, QWidget *Parent = nullptr);
};

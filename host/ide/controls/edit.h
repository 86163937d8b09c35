#pragma once
// TEdit: a one-line edit box with the host's events.

#include <QLineEdit>

#include "controlbase.h"

class KORHOST_EXPORT TEdit : public TInputControl<QLineEdit> {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")
    KOR_CONTROL_FONT

public:
    explicit TEdit(QWidget *Parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString &Value) { setText(Value); }
    // 0 means no limit.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int Value);

    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    void SelectAll() { selectAll(); }
    int SelLength() const { return int(selectedText().size()); }
    void SetSelLength(int Value);

    // Fires whenever the text changes, by typing or by code.
    TNotifyEvent OnChange;
    TNotifyEvent OnDblClick;

protected:
    void focusInEvent(QFocusEvent *Event) override;
    void FocusLeft() override;
    void mouseDoubleClickEvent(QMouseEvent *Event) override;

private:
    // The selection is kept while the box has no focus, but drawn only while it has it, so a
    // page of values selected by code does not look like a page of values being edited.
    void showSelection(bool Shown);

    int m_maxLength = 0;
};

#pragma once
// TMemo: a multi-line edit box whose text is a list of lines.

#include <QPlainTextEdit>

#include "controlbase.h"

class KORHOST_EXPORT TMemo : public TInputControl<QPlainTextEdit> {
    Q_OBJECT
    Q_CLASSINFO("KorLeafControl", "1")
    KOR_CONTROL_FONT

public:
    explicit TMemo(QWidget *Parent = nullptr);

    // The lines of the text; an empty memo has none.
    QStringList Lines() const;
    void SetLines(const QStringList &Value);
    QString Text() const { return toPlainText(); }

    bool Focused() const { return hasFocus(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
};

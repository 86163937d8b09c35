#pragma once
// The Object Inspector's editor for long texts (statements, lists): a plain text box in a
// fixed-width font, the text's line breaks kept as typed.

#include <QDialog>

class QPlainTextEdit;

class TMultiLineTextDialog : public QDialog {
    Q_OBJECT
public:
    TMultiLineTextDialog(const QString &Caption, const QString &Text, QWidget *Parent = nullptr);

    QPlainTextEdit *Memo() const { return m_memo; }
    QString Text() const;

private:
    QPlainTextEdit *m_memo;
};

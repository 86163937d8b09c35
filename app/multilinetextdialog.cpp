#include "multilinetextdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TMultiLineTextDialog::TMultiLineTextDialog(const QString &Caption, const QString &Text,
                                           QWidget *Parent)
    : QDialog(Parent), m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("MultiLineTextDialog"));
    setWindowTitle(Caption);
    auto *layout = new QVBoxLayout(this);
    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setTabChangesFocus(false);
    m_memo->setPlainText(Text);
    layout->addWidget(m_memo);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const QFontMetrics metrics(m_memo->font());
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 72, metrics.lineSpacing() * 16);
}

QString TMultiLineTextDialog::Text() const
{
    // Lines end in "\n" however the text box keeps its paragraphs.
    return m_memo->toPlainText();
}

#include "font.h"

#include <QApplication>

TFont::TFont(QObject *parent) : QObject(parent)
{
    m_Name = QStringLiteral("Tahoma");
}

int TFont::Size() const
{
    return -qRound(Height() * 72.0 / 96.0);
}

void TFont::setSize(int Value)
{
    setHeight(-qRound(Value * 96.0 / 72.0));
}

void TFont::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TFont *>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    QSignalBlocker blocker(this);
    setCharset(source->Charset());
    setColor(source->Color());
    setHeight(source->Height());
    setName(source->Name());
    setPitch(source->Pitch());
    setStyle(source->Style());
    blocker.unblock();
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont font(Name());
    font.setPixelSize(qMax(1, qAbs(Height())));
    font.setBold(Style() & Vcl::fsBold);
    font.setItalic(Style() & Vcl::fsItalic);
    font.setUnderline(Style() & Vcl::fsUnderline);
    font.setStrikeOut(Style() & Vcl::fsStrikeOut);
    if (Pitch() == Vcl::fpFixed)
        font.setFixedPitch(true);
    return font;
}

void TFont::FromQFont(const QFont &Font)
{
    QSignalBlocker blocker(this);
    setName(Font.family());
    if (Font.pixelSize() > 0)
        setHeight(-Font.pixelSize());
    else
        setSize(qRound(Font.pointSizeF()));
    Vcl::TFontStyles style;
    style.setFlag(Vcl::fsBold, Font.bold());
    style.setFlag(Vcl::fsItalic, Font.italic());
    style.setFlag(Vcl::fsUnderline, Font.underline());
    style.setFlag(Vcl::fsStrikeOut, Font.strikeOut());
    setStyle(style);
    blocker.unblock();
    Changed();
}

void TFont::Changed()
{
    if (!signalsBlocked())
        emit changed();
}

#pragma once
// TFont: the font object that controls and grid parts publish as a sub-object.

#include <QFont>
#include <QObject>

#include "persistent.h"
#include "published.h"
#include "vcltypes.h"

class KORHOST_EXPORT TFont : public QObject, public TPersistent {
    Q_OBJECT
    KOR_INTEGER(Charset, 1)
    KOR_COLOR(Color, clWindowText)
    KOR_INTEGER(Height, -11)
    KOR_TYPED_STRING(TFontName, Name)
    KOR_ENUM(Vcl::TFontPitch, Pitch, Vcl::fpDefault)
    KOR_SET(Vcl::TFontStyles, Style, ())
    Q_PROPERTY(int Size READ Size WRITE setSize)
    KOR_PUBLISHED(tkInteger, "Integer", Size, "NoDefault")

public:
    explicit TFont(QObject *parent = nullptr);

    // Points, derived from Height at the host's 96 pixels per inch.
    int Size() const;
    void setSize(int Value);

    void Assign(const TPersistent *Source) override;
    QFont ToQFont() const;
    void FromQFont(const QFont &Font);

signals:
    void changed();

private:
    void Changed();
};

#pragma once
// TBriskGradient: the gradient painter that controls publish as their Gradient property. It is
// created for one control, which it repaints when a setting changes, and fills rectangles with a
// colour run from StartColor to EndColor.

#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "ownedpersistent.h"
#include "published.h"

class KORRUNTIME_EXPORT TBriskGradient : public TOwnedPersistent {
    Q_OBJECT
    KOR_BOOLEAN(Active, false)
    // clDefault stands for the window colour, the button face, the highlight colour and
    // DefaultHotColor respectively.
    KOR_COLOR(StartColor, clDefault)
    KOR_COLOR(EndColor, clDefault)
    KOR_COLOR(StepColor, clDefault)
    KOR_COLOR(HotColor, clDefault)
    // True: the colours run from top to bottom; false: from left to right.
    KOR_BOOLEAN(Direction, true)
    KOR_BOOLEAN(SwapColors, false)

public:
    // Control is repainted on every change; Owner names the gradient in name paths.
    explicit TBriskGradient(QWidget *Control, TPersistent *Owner = nullptr,
                            const QString &PropName = QStringLiteral("Gradient"));
    ~TBriskGradient() override;

    QWidget *Control() const { return m_control.data(); }
    // Whether the control paints with the gradient now.
    virtual bool IsActive() const;
    // The hot colour used while HotColor holds clDefault: a light blend of the end colour and
    // the highlight colour.
    virtual TColor DefaultHotColor() const;
    // The colours in use, with clDefault resolved and SwapColors applied to start and end.
    QColor UsedStartColor() const;
    QColor UsedEndColor() const;
    QColor UsedHotColor() const;
    // Fills Rect of Canvas with the gradient (hot: ending in the hot colour).
    void Paint(QPainter &Canvas, const QRect &Rect, bool Hot = false) const;

    void Changed() override;

private:
    QPointer<QWidget> m_control;
};

// Mixes two colours: Weight (0 to 255) parts of B, the rest of A. System colours are resolved.
KORRUNTIME_EXPORT TColor BlendColors(TColor A, TColor B, int Weight);

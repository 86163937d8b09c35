#include "briskgraph.h"

#include <QLinearGradient>

namespace {

QColor resolved(TColor value, TColor fallback)
{
    return ColorToQColor(value == clDefault || value == clNone ? fallback : value);
}

} // namespace

TColor BlendColors(TColor A, TColor B, int Weight)
{
    Weight = qBound(0, Weight, 255);
    const qint32 a = ColorToRGB(A);
    const qint32 b = ColorToRGB(B);
    qint32 result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = (a >> shift) & 0xFF;
        const int cb = (b >> shift) & 0xFF;
        result |= ((ca * (255 - Weight) + cb * Weight) / 255) << shift;
    }
    return result;
}

TBriskGradient::TBriskGradient(QWidget *Control, TPersistent *Owner, const QString &PropName)
    : TOwnedPersistent(Owner ? Owner : dynamic_cast<TPersistent *>(Control), PropName),
      m_control(Control)
{
}

TBriskGradient::~TBriskGradient() = default;

bool TBriskGradient::IsActive() const
{
    return Active() && m_control;
}

TColor TBriskGradient::DefaultHotColor() const
{
    const TColor end = EndColor() == clDefault || EndColor() == clNone ? clBtnFace : EndColor();
    return BlendColors(end, clHighlight, 64);
}

QColor TBriskGradient::UsedStartColor() const
{
    return SwapColors() ? resolved(EndColor(), clBtnFace) : resolved(StartColor(), clWindow);
}

QColor TBriskGradient::UsedEndColor() const
{
    return SwapColors() ? resolved(StartColor(), clWindow) : resolved(EndColor(), clBtnFace);
}

QColor TBriskGradient::UsedHotColor() const
{
    return resolved(HotColor(), DefaultHotColor());
}

void TBriskGradient::Paint(QPainter &Canvas, const QRect &Rect, bool Hot) const
{
    if (Rect.isEmpty())
        return;
    const QPointF start = Rect.topLeft();
    const QPointF end =
        Direction() ? QPointF(Rect.left(), Rect.bottom()) : QPointF(Rect.right(), Rect.top());
    QLinearGradient gradient(start, end);
    gradient.setColorAt(0, UsedStartColor());
    gradient.setColorAt(1, Hot ? UsedHotColor() : UsedEndColor());
    Canvas.fillRect(Rect, gradient);
}

void TBriskGradient::Changed()
{
    if (m_control)
        m_control->update();
    TOwnedPersistent::Changed();
}

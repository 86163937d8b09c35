#include "briskcolorproperty.h"

#include <QPainter>
#include <memory>

#include "briskgraph.h"
#include "colordialog.h"
#include "designintf.h"
#include "hosterrors.h"
#include "regini.h"
#include "registration.h"

namespace {

// The gradient painter's colours that TBriskColorProperty edits.
constexpr const char *kGradientColors[] = {"EndColor", "HotColor", "StepColor"};

// The frame of a swatch: black on a light colour, white on a selected row, else the colour
// itself (the frame then disappears into the fill).
QColor frameColor(qint32 Rgb, bool Selected)
{
    const int red = Rgb & 0xFF, green = (Rgb >> 8) & 0xFF, blue = (Rgb >> 16) & 0xFF;
    if (red > 192 || green > 192 || blue > 192)
        return Qt::black;
    if (Selected)
        return Qt::white;
    return QColor(red, green, blue);
}

} // namespace

TBriskColorProperty::TBriskColorProperty(const TPropertyEditorArgs &Args) : TColorProperty(Args) {}

bool TBriskColorProperty::SpecialNoneColor()
{
    return false;
}

void TBriskColorProperty::Edit()
{
    TColorDialog dialog;
    std::unique_ptr<TRegIniFile> settings;
    if (!BaseRegistryKey().isEmpty()) {
        settings = std::make_unique<TRegIniFile>(BaseRegistryKey());
        dialog.CustomColors = settings->ReadSectionValues(SCustomColors());
    }
    dialog.Color = GetOrdValue();
    if (dialog.Color == clDefault)
        dialog.Color = GetDefaultColor();
    dialog.HelpContext = IDEColorDlg::ColorDialogHelpContext;
    dialog.Options = cdShowHelp;
    if (dialog.Execute())
        SetOrdValue(dialog.Color);
    if (!settings)
        return;
    settings->BeginUpdate();
    for (const QString &line : dialog.CustomColors) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0)
            settings->WriteString(SCustomColors(), line.left(eq), line.mid(eq + 1));
    }
    settings->EndUpdate();
}

void TBriskColorProperty::ListDrawValue(const QString &Value, QPainter *Canvas, const QRect &ARect,
                                        bool ASelected)
{
    // Host rectangles exclude their right and bottom edges.
    const int left = ARect.left(), top = ARect.top();
    const int right = left + ARect.width(), bottom = top + ARect.height();
    const int swatchRight = left + (bottom - top);
    TColor color = clBlack;
    bool known = true;
    try {
        color = StringToColor(Value);
    } catch (const EHostError &) {
        known = false; // a text that names no colour gets no swatch
    }
    if (known) {
        Canvas->save();
        const QColor background = Canvas->brush().color();
        Canvas->setPen(background);
        CanvasRectangle(Canvas, left, top, swatchRight, bottom);
        const bool none = color == clNone && SpecialNoneColor();
        if (color == clDefault)
            color = GetDefaultColor();
        const qint32 rgb = none ? QColorToColor(background) : ColorToRGB(color);
        const QColor fill(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
        Canvas->setBrush(fill);
        Canvas->setPen(frameColor(rgb, ASelected));
        CanvasRectangle(Canvas, left + 1, top + 1, swatchRight - 1, bottom - 1);
        if (none) {
            CanvasLine(Canvas, left + 1, top + 1, swatchRight - 1, bottom - 1);
            CanvasLine(Canvas, swatchRight - 2, top + 1, left, bottom - 1);
        }
        Canvas->restore();
    }
    DefaultPropertyListDrawValue(
        Value, Canvas, QRect(swatchRight, top, right - swatchRight, bottom - top), ASelected);
}

void TBriskColorProperty::PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected)
{
    const QString value = GetVisualValue();
    if (value.isEmpty())
        DefaultPropertyDrawValue(this, Canvas, ARect);
    else
        ListDrawValue(value, Canvas, ARect, true);
    Q_UNUSED(ASelected);
}

namespace IDEColorDlg {

void Register()
{
    for (const char *name : kGradientColors)
        RegisterPropertyEditor(TPropertyType::Named(QStringLiteral("TColor")),
                               &TBriskGradient::staticMetaObject, QString::fromLatin1(name),
                               &TBriskColorProperty::staticMetaObject);
}

} // namespace IDEColorDlg

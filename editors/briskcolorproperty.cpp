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

void TBriskColorProperty::DrawSwatch(QPainter *Canvas, TColor Color, int Left, int Top, int Right,
                                     int Bottom, bool ASelected)
{
    const QColor background = Canvas->brush().color();
    const bool none = Color == clNone && SpecialNoneColor();
    if (Color == clDefault)
        Color = GetDefaultColor();
    const qint32 rgb = none ? QColorToColor(background) : ColorToRGB(Color);
    const QColor fill(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    Canvas->setBrush(fill);
    Canvas->setPen(SwatchFrameColor(rgb, ASelected));
    CanvasRectangle(Canvas, Left, Top, Right, Bottom);
    if (none) {
        CanvasLine(Canvas, Left, Top, Right, Bottom);
        CanvasLine(Canvas, Right - 1, Top, Left - 1, Bottom);
    }
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

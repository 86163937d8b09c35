#pragma once
// Unit IDEColorDlg: TBriskColorProperty, the colour property editor for colours that may hold
// clDefault (the component works the colour out itself) and clNone. It draws clDefault in the
// colour the component really uses, can draw clNone as a crossed-out background swatch, and
// opens the colour dialog on the effective colour, keeping the dialog's custom colours in the
// host's settings.

#include "graphics.h"
#include "propedit.h"

class TBriskColorProperty : public TColorProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBriskColorProperty(const TPropertyEditorArgs &Args);

    // The colour dialog, started on the property's colour (its default colour for clDefault),
    // with the custom colours of the host's settings, which are written back also on Cancel.
    void Edit() override;
    // The value in the selected style of the list, or the host's text for mixed values.
    void PropDrawValue(QPainter *Canvas, const QRect &ARect, bool ASelected) override;

    // Whether clNone is drawn as the absence of a colour (a crossed-out swatch).
    virtual bool SpecialNoneColor();

protected:
    // The swatch of the colour clDefault stands for; clNone crossed out when SpecialNoneColor.
    void DrawSwatch(QPainter *Canvas, TColor Color, int Left, int Top, int Right, int Bottom,
                    bool ASelected) override;
};

namespace IDEColorDlg {
// The help context of the colour dialog.
inline constexpr int ColorDialogHelpContext = 25010;
// Registers TBriskColorProperty for the gradient painter's EndColor, HotColor and StepColor.
void Register();
} // namespace IDEColorDlg

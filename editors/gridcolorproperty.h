#pragma once
// TKorDBGridColorProperty: the colour editor with special colours, taught the grid's own
// defaults: which colour clDefault stands for in each colour property of the grid and its
// sub-objects, and which of them draw clNone as the absence of a colour.

#include "briskcolorproperty.h"

class TKorDBGridColorProperty : public TBriskColorProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridColorProperty(const TPropertyEditorArgs &Args);
    TColor GetDefaultColor() override;
    bool SpecialNoneColor() override;
};

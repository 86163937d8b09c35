#pragma once
// TKorDBGridColorProperty: the colour editor with special colours, taught which colour
// properties of the grid and its sub-objects draw clNone as the absence of a colour. Which
// colour clDefault stands for is the grid's own answer, as for every colour editor.

#include "briskcolorproperty.h"

class TKorDBGridColorProperty : public TBriskColorProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridColorProperty(const TPropertyEditorArgs &Args);
    bool SpecialNoneColor() override;
};

#pragma once
// Colour items: a colour box whose right click offers a short context list with the custom
// colour entry, the default colour, the none colour and the colour that was selected.

#include "controls/colorbox.h"
#include "propitem.h"

class TColorPropItem : public TPropItem {
public:
    // The style flags of the standard list and of the context list.
    static constexpr int StandardStyle = cbStandardColors | cbExtendedColors | cbSystemColors |
                                         cbIncludeNone | cbIncludeDefault | cbCustomColor;
    static constexpr int ContextStyle = cbCustomColor | cbCustomColors;

    // DefaultColor and NoneColor: the colours of the box's default and none swatches;
    // clDefault and clNone keep the box's own.
    TColorPropItem(const QString &PropName, TColorBox *ColorBox, TColor DefaultColor,
                   TColor NoneColor);

    TColorBox *GetEditControl() const;
    int DropWidth() const { return m_dropWidth; }
    TColor DefaultColor() const { return m_defaultColor; }
    TColor NoneColor() const { return m_noneColor; }

    QString GetEditHint() override;
    void InitEditControl() override;
    void LoadEditControl() override;
    void SaveEditControl() override;

    virtual int GetDropDownCount();
    virtual int GetDropDownWidth();

    void ColorBoxSelect();
    void ColorBoxDropDown();
    void ColorBoxCloseUp();
    void ColorBoxContextPopup(const QPoint &MousePos, bool &Handled);
    void ColorBoxGetColors(TColorEntries &Items);

private:
    int m_dropWidth = 0;
    TColor m_defaultColor;
    TColor m_noneColor;
};

// A background colour whose default is clWindow.
class TBackColorPropItem : public TColorPropItem {
public:
    TBackColorPropItem(const QString &PropName, TColorBox *ColorBox)
        : TColorPropItem(PropName, ColorBox, clDefault, clNone)
    {
    }
    qint32 GetPropDefault() override { return clWindow; }
};

// A text colour whose default is clWindowText.
class TFontColorPropItem : public TColorPropItem {
public:
    TFontColorPropItem(const QString &PropName, TColorBox *ColorBox)
        : TColorPropItem(PropName, ColorBox, clDefault, clNone)
    {
    }
    qint32 GetPropDefault() override { return clWindowText; }
};

#include "coloritems.h"

#include "dropstate.h"
#include "grid.h"
#include "proplist.h"

TColorPropItem::TColorPropItem(const QString &PropName, TColorBox *ColorBox, TColor DefaultColor,
                               TColor NoneColor)
    : TPropItem(PropName, ColorBox), m_defaultColor(DefaultColor), m_noneColor(NoneColor)
{
}

TColorBox *TColorPropItem::GetEditControl() const
{
    return qobject_cast<TColorBox *>(EditControl());
}

QString TColorPropItem::GetEditHint()
{
    return QStringLiteral("   (Click right mouse button to select Custom, Default or None color)");
}

int TColorPropItem::GetDropDownCount()
{
    TColorBox *box = GetEditControl();
    return box ? qMin(box->ItemCount(), 20) : 0;
}

int TColorPropItem::GetDropDownWidth()
{
    return 0;
}

void TColorPropItem::InitEditControl()
{
    TPropItem::InitEditControl();
    TColorBox *box = GetEditControl();
    if (!box)
        return;
    box->SetStyle(StandardStyle);
    // Each of these repaints every swatch of the list; at a reload the box has them already.
    if (m_defaultColor != clDefault && box->DefaultColorColor() != m_defaultColor)
        box->SetDefaultColorColor(m_defaultColor);
    if (m_noneColor != clNone && box->NoneColorColor() != m_noneColor)
        box->SetNoneColorColor(m_noneColor);
    box->SetDropDownCount(GetDropDownCount());
    m_dropWidth = GetDropDownWidth();
    box->OnSelect = Guard([this] { ColorBoxSelect(); });
    box->OnCloseUp = Guard([this] { ColorBoxCloseUp(); });
    box->OnDropDown = Guard([this] { ColorBoxDropDown(); });
    box->OnGetColors = Guard([this](TColorEntries &Items) { ColorBoxGetColors(Items); });
    box->OnContextPopup = Guard(
        [this](const QPoint &MousePos, bool &Handled) { ColorBoxContextPopup(MousePos, Handled); });
    box->SetPopupMenu(PropList()->EmptyPopupMenu());
}

void TColorPropItem::LoadEditControl()
{
    if (TColorBox *box = GetEditControl()) {
        box->SetSelected(GetPropValue());
        // The default entry shows the colour the component paints while the property holds
        // clDefault, which follows its other colours; the colour the item was given where the
        // component has no answer.
        QString name = PropName();
        const QObject *object = PropList() ? PropList()->PropInstance(name) : nullptr;
        const TColor used = object ? DefaultColorOf(object, name) : clDefault;
        if (used != clDefault && box->DefaultColorColor() != used)
            box->SetDefaultColorColor(used);
    }
    SetDefault(IsDefault());
}

void TColorPropItem::SaveEditControl()
{
    if (TColorBox *box = GetEditControl())
        SetPropValue(box->Selected());
    PropList()->PropItemChanged(this);
}

void TColorPropItem::ColorBoxSelect()
{
    TColorBox *box = GetEditControl();
    if (box && box->Selected() != GetPropValue())
        SaveEditControl();
}

void TColorPropItem::ColorBoxDropDown()
{
    SetDefault(true);
    DropState::SetListWidth(GetEditControl(), m_dropWidth, true);
}

// In a designer window every stored change reloads the page at once, while the context list is
// still closing: the reload sets the standard list again and selects the stored colour (in the
// custom entry when the standard list lacks it). The close-up then finds the standard list and
// leaves the selection as the reload made it. Only a context list closed without a change (the
// same colour chosen, or none) is put back here, with no entry for a colour the list lacks.
void TColorPropItem::ColorBoxCloseUp()
{
    TColorBox *box = GetEditControl();
    DropState::SetListWidth(box, m_dropWidth, false);
    SetDefault(IsDefault());
    if (!box || box->Style() != ContextStyle)
        return;
    const TColor chosen = box->Selected();
    box->SetStyle(StandardStyle);
    box->SetItemIndex(box->IndexOfColor(chosen));
}

void TColorPropItem::ColorBoxContextPopup(const QPoint &, bool &Handled)
{
    Handled = true; // no menu
    TColorBox *box = GetEditControl();
    if (!box || box->DroppedDown())
        return;
    box->SetFocus();
    DropState::SavedColor = box->Selected();
    box->SetStyle(ContextStyle);
    box->SetDroppedDown(true);
}

void TColorPropItem::ColorBoxGetColors(TColorEntries &Items)
{
    TColorBox *box = GetEditControl();
    if (!box || box->Style() != ContextStyle)
        return;
    const auto addColor = [&Items](TColor Color) {
        for (const TColorEntry &entry : Items)
            if (entry.Color == Color)
                return;
        Items.append({ColorToString(Color), Color});
    };
    if (m_defaultColor == clDefault) {
        const qint32 recorded = GetPropDefault();
        if (recorded != NoDefault) // a colour without recorded default has none to offer
            addColor(recorded);
    } else {
        addColor(clDefault); // drawn with DefaultColor
    }
    if (m_noneColor != clNone)
        addColor(clNone);
    addColor(DropState::SavedColor);
}

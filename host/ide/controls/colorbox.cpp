#include "colorbox.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include "../colordialog.h"

namespace {

constexpr int kColorRole = Qt::UserRole + 1;

bool isStandard(TColor Color)
{
    switch (Color) {
    case clBlack:
    case clMaroon:
    case clGreen:
    case clOlive:
    case clNavy:
    case clPurple:
    case clTeal:
    case clGray:
    case clSilver:
    case clRed:
    case clLime:
    case clYellow:
    case clBlue:
    case clFuchsia:
    case clAqua:
    case clWhite:
        return true;
    default:
        return false;
    }
}

bool isExtended(TColor Color)
{
    return Color == clMoneyGreen || Color == clSkyBlue || Color == clCream || Color == clMedGray;
}

bool isSystem(TColor Color)
{
    return (quint32(Color) & 0xFF000000u) == quint32(clSystemColor);
}

// Swatches are shared: every colour box draws the same few dozen colours. The cache lives as
// long as the application, so no pixmap outlives it.
class TSwatchCache : public QObject {
public:
    using QObject::QObject;
    QHash<QPair<qint32, QSize>, QIcon> icons;
};

QHash<QPair<qint32, QSize>, QIcon> &swatchCache()
{
    static QPointer<TSwatchCache> cache;
    if (!cache)
        cache = new TSwatchCache(QCoreApplication::instance());
    return cache->icons;
}

} // namespace

TColorBox::TColorBox(QWidget *Parent) : TCustomComboBox(Parent)
{
    PopulateList();
}

TColorBox::~TColorBox() = default;

QString TColorBox::CustomCaption()
{
    return QStringLiteral("Custom...");
}

void TColorBox::SetStyle(int Value)
{
    // Bound colour boxes set their style again at every load; the list is rebuilt only when the
    // style asks for other entries or lists colours that OnGetColors supplies (which may change).
    if (Value == m_style && !(Value & cbCustomColors) && count() > 0) {
        setCurrentIndex(-1);
        return;
    }
    m_style = Value;
    PopulateList();
}

void TColorBox::PopulateList()
{
    const bool blocked = blockSignals(true);
    clear();
    if (m_style & cbCustomColor)
        AddEntry(CustomCaption(), clBlack);
    if (m_style & cbCustomColors) {
        TColorEntries custom;
        FireEvent(OnGetColors, custom);
        for (const TColorEntry &entry : custom)
            AddEntry(entry.Name, entry.Color);
    }
    const bool pretty = m_style & cbPrettyNames;
    GetColorValues([&](const QString &Ident) {
        TColor color = 0;
        if (!IdentToColor(Ident, color))
            return;
        const bool wanted = (color == clNone && (m_style & cbIncludeNone)) ||
                            (color == clDefault && (m_style & cbIncludeDefault)) ||
                            (isStandard(color) && (m_style & cbStandardColors)) ||
                            (isExtended(color) && (m_style & cbExtendedColors)) ||
                            (isSystem(color) && (m_style & cbSystemColors));
        if (wanted)
            AddEntry(pretty && Ident.startsWith(QLatin1String("cl")) ? Ident.mid(2) : Ident, color);
    });
    setCurrentIndex(-1);
    blockSignals(blocked);
    SetDropDownCount(qMin(count(), 20));
}

void TColorBox::AddEntry(const QString &Name, TColor Color)
{
    addItem(Name);
    setItemData(count() - 1, Color, kColorRole);
    UpdateSwatch(count() - 1);
}

void TColorBox::UpdateSwatch(int Index)
{
    TColor color = Colors(Index);
    if (color == clDefault)
        color = m_defaultColorColor;
    else if (color == clNone)
        color = m_noneColorColor;
    QHash<QPair<qint32, QSize>, QIcon> &swatches = swatchCache();
    const QRgb rgb = ColorToQColor(color).rgba();
    QIcon &icon = swatches[qMakePair(qint32(rgb), iconSize())];
    if (icon.isNull()) {
        QPixmap swatch(iconSize());
        swatch.fill(QColor::fromRgba(rgb));
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
        painter.end();
        icon = QIcon(swatch);
    }
    setItemIcon(Index, icon);
}

void TColorBox::UpdateSwatches()
{
    for (int i = 0; i < count(); ++i)
        UpdateSwatch(i);
}

TColor TColorBox::Selected() const
{
    return currentIndex() >= 0 ? Colors(currentIndex()) : m_selected;
}

void TColorBox::SetSelected(TColor Value)
{
    m_selected = Value;
    int index = IndexOfColor(Value);
    if (index < 0 && (m_style & cbCustomColor) && count() > 0) {
        setItemData(0, Value, kColorRole);
        UpdateSwatch(0);
        index = 0;
    }
    setCurrentIndex(index);
}

TColor TColorBox::Colors(int Index) const
{
    return itemData(Index, kColorRole).toInt();
}

int TColorBox::IndexOfColor(TColor Value) const
{
    // The custom-colour entry stands for a colour the list lacks: an entry of the list that
    // holds the colour comes first.
    const int first = (m_style & cbCustomColor) && count() > 0 ? 1 : 0;
    for (int i = first; i < count(); ++i)
        if (Colors(i) == Value)
            return i;
    return first == 1 && Colors(0) == Value ? 0 : -1;
}

void TColorBox::SetDefaultColorColor(TColor Value)
{
    m_defaultColorColor = Value;
    UpdateSwatches();
}

void TColorBox::SetNoneColorColor(TColor Value)
{
    m_noneColorColor = Value;
    UpdateSwatches();
}

bool TColorBox::Select(int Index)
{
    if (!(m_style & cbCustomColor) || Index != 0) {
        m_selected = Colors(Index);
        return true;
    }
    // The custom-colour entry asks for a colour; cancelling keeps the previous choice.
    TColor color = Colors(0);
    if (!TColorDialog::Execute(color, this)) {
        setCurrentIndex(IndexOfColor(m_selected));
        return false;
    }
    setItemData(0, color, kColorRole);
    UpdateSwatch(0);
    m_selected = color;
    return true;
}

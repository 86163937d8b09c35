#include "combobox.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

bool lessText(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Lets an owner-drawn combo box draw its own entries.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit TOwnerDrawDelegate(TComboBox *Combo) : QStyledItemDelegate(Combo), m_combo(Combo) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option,
               const QModelIndex &Index) const override
    {
        m_combo->DrawItem(Index.row(), Option.rect, *Painter,
                          Option.state & QStyle::State_Selected);
    }

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), m_combo->ItemHeight()};
    }

private:
    TComboBox *m_combo;
};

} // namespace

TComboBox::TComboBox(QWidget *Parent) : TCustomComboBox(Parent)
{
    SetEditable(true);
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(int Value)
{
    if (Value < csDropDown || Value > csOwnerDrawVariable)
        Value = csDropDown;
    if (Value == m_style)
        return;
    const bool ownerDrawn = Value >= csOwnerDrawFixed;
    const bool wasOwnerDrawn = m_style >= csOwnerDrawFixed;
    m_style = Value;
    SetEditable(Value <= csSimple);
    if (ownerDrawn && !wasOwnerDrawn)
        setItemDelegate(new TOwnerDrawDelegate(this));
    else if (!ownerDrawn && wasOwnerDrawn)
        setItemDelegate(new QStyledItemDelegate(this));
}

QStringList TComboBox::Items() const
{
    QStringList items;
    items.reserve(count());
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    return items;
}

void TComboBox::SetItems(const QStringList &Items)
{
    QStringList items = Items;
    if (m_sorted)
        std::stable_sort(items.begin(), items.end(), lessText);
    const QString text = lineEdit() ? lineEdit()->text() : QString();
    QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    if (lineEdit())
        lineEdit()->setText(text);
}

void TComboBox::AddItem(const QString &Item)
{
    if (!m_sorted) {
        addItem(Item);
        return;
    }
    const QStringList items = Items();
    const auto at = std::upper_bound(items.begin(), items.end(), Item, lessText);
    insertItem(int(at - items.begin()), Item);
}

int TComboBox::IndexOf(const QString &Item) const
{
    for (int i = 0; i < count(); ++i)
        if (QString::compare(itemText(i), Item, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TComboBox::SetSorted(bool Value)
{
    if (Value == m_sorted)
        return;
    m_sorted = Value;
    if (!Value)
        return;
    const QString current = currentIndex() >= 0 ? itemText(currentIndex()) : QString();
    const bool hadCurrent = currentIndex() >= 0;
    const QString text = lineEdit() ? lineEdit()->text() : QString();
    SetItems(Items());
    if (hadCurrent)
        setCurrentIndex(IndexOf(current));
    else if (lineEdit())
        lineEdit()->setText(text);
}

void TComboBox::SetText(const QString &Value)
{
    if (lineEdit()) {
        lineEdit()->setText(Value);
        return;
    }
    setCurrentIndex(IndexOf(Value));
}

void TComboBox::SetItemHeight(int Value)
{
    m_itemHeight = qMax(1, Value);
    update();
}

void TComboBox::DrawItem(int Index, const QRect &Rect, QPainter &Canvas, bool Selected)
{
    const QPalette pal = palette();
    Canvas.save();
    Canvas.setBrush(Selected ? pal.highlight() : pal.base());
    Canvas.setPen(Selected ? pal.highlightedText().color() : pal.text().color());
    Canvas.setFont(font());
    if (OnDrawItem && m_style >= csOwnerDrawFixed) {
        FireEvent(OnDrawItem, Index, Rect, Canvas);
    } else {
        Canvas.fillRect(Rect, Canvas.brush());
        Canvas.drawText(Rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        itemText(Index));
    }
    Canvas.restore();
}

void TComboBox::paintEvent(QPaintEvent *Event)
{
    if (m_style < csOwnerDrawFixed || !OnDrawItem) {
        QComboBox::paintEvent(Event);
        return;
    }
    // The closed box shows its current entry drawn like the list does.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect rect =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(currentIndex(), rect, painter, hasFocus());
}

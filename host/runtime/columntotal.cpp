#include "columntotal.h"

#include <QSignalBlocker>

#include "assignprops.h"
#include "column.h"
#include "componentlink.h"

TKorColumnTotal::TKorColumnTotal(TKorColumn *Column, const QString &PropName)
    : TCollectionItem(nullptr), m_Font(std::make_unique<TFont>()), m_column(Column),
      m_propName(PropName)
{
    connect(m_Font.get(), &TFont::changed, this, &TKorColumnTotal::Changed);
}

TKorColumnTotal::TKorColumnTotal(TCollection *Collection)
    : TCollectionItem(nullptr), m_Font(std::make_unique<TFont>())
{
    connect(m_Font.get(), &TFont::changed, this, &TKorColumnTotal::Changed);
    // Join the collection only once fully built: joining announces a change.
    if (Collection)
        SetCollection(Collection);
}

TKorColumnTotal::~TKorColumnTotal()
{
    m_Font->disconnect(this);
}

TKorColumn *TKorColumnTotal::Column() const
{
    if (m_column)
        return m_column;
    const auto *values = qobject_cast<const TKorColumnTotalValues *>(Collection());
    return values ? values->Column() : nullptr;
}

QString TKorColumnTotal::DisplayName() const
{
    if (!m_propName.isEmpty())
        return m_propName;
    return QStringLiteral("TotalValues[%1]").arg(Index());
}

QString TKorColumnTotal::GetNamePath() const
{
    if (Collection())
        return TCollectionItem::GetNamePath();
    const QString columnPath = m_column ? m_column->GetNamePath() : QString();
    return columnPath.isEmpty() ? m_propName : columnPath + QLatin1Char('.') + m_propName;
}

TPersistent *TKorColumnTotal::GetOwner() const
{
    if (Collection())
        return TCollectionItem::GetOwner();
    return m_column;
}

void TKorColumnTotal::Assign(const TPersistent *Source)
{
    const auto *source = dynamic_cast<const TKorColumnTotal *>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    {
        const QSignalBlocker blocker(this);
        AssignPublishedProperties(this, source);
    }
    Changed();
}

void TKorColumnTotal::SetResult(const QVariant &Value, bool IsCurrency)
{
    m_value = Value;
    m_currency = IsCurrency;
}

void TKorColumnTotal::DropLinks(TComponent *Gone)
{
    DropLink(m_PopupMenu, Gone);
}

QString TKorColumnTotal::DisplayText() const
{
    switch (TotalResult()) {
    case Kor::trNone:
        return {};
    case Kor::trCaption:
        return Caption();
    default:
        break;
    }
    QVariant value = m_value;
    if ((value.isNull() || !value.isValid()) && NullValue())
        value = 0;
    return FormatTotalValue(value, Format(), FormatAsFloat(), m_currency);
}

void TKorColumnTotal::Changed()
{
    if (signalsBlocked())
        return;
    if (Collection())
        TCollectionItem::Changed(false);
    else if (m_column)
        m_column->Changed();
}

TKorColumnTotalValue::TKorColumnTotalValue(TCollection *Collection) : TKorColumnTotal(Collection) {}

TKorColumnTotalValues::TKorColumnTotalValues(TKorColumn *Column)
    : TCollection(
          &TKorColumnTotalValue::staticMetaObject,
          [](TCollection *collection) { return new TKorColumnTotalValue(collection); }, Column),
      m_column(Column)
{
    SetPropName(QStringLiteral("TotalValues"));
}

TKorColumnTotalValue *TKorColumnTotalValues::Add()
{
    return static_cast<TKorColumnTotalValue *>(TCollection::Add());
}

TKorColumnTotalValue *TKorColumnTotalValues::Items(int Index) const
{
    return static_cast<TKorColumnTotalValue *>(TCollection::Items(Index));
}

void TKorColumnTotalValues::Update(TCollectionItem *Item)
{
    TCollection::Update(Item);
    if (m_column)
        m_column->Changed();
}

#pragma once
// The total rows of a grid column: the stand-alone rows TotalHeader, TotalFields and TotalFooter,
// and the entries of the column's TotalValues collection. Every total row shows, by its
// TotalResult, a caption, a field value or a value the grid calculates over its rows, and keeps
// the last result (Value, and whether it is a currency amount).

#include <QVariant>

#include "collection.h"
#include "font.h"
#include "korenums.h"
#include "menus.h"
#include "published.h"

class TKorColumn;

class KORRUNTIME_EXPORT TKorColumnTotal : public TCollectionItem {
    Q_OBJECT
    // The last result, readable by name (not published: it is not design-time state).
    Q_PROPERTY(QVariant Value READ Value)
    Q_PROPERTY(bool IsCurrency READ IsCurrency)
    KOR_BOOLEAN(Visible, true)
    // clDefault: the grid's Totals.Color.
    KOR_COLOR(Color, clDefault)
    KOR_OBJECT(TFont, Font)
    KOR_ENUM(Kor::TKorColumnTotalBox, TotalBox, Kor::ctbDefault)
    KOR_STRING(FieldName)
    KOR_STRING(Hint)
    KOR_BOOLEAN(ToolTips, false)
    KOR_BOOLEAN(ToolTipsWidth, false)
    KOR_ENUM(Vcl::TAlignment, Alignment, Vcl::taLeftJustify)
    KOR_ENUM(Kor::TKorVerticalAlignment, VAlignment, Kor::vaCenter)
    KOR_BOOLEAN(Ellipsis, false)
    KOR_BOOLEAN(WordWrap, false)
    KOR_LINK(TPopupMenu, PopupMenu)
    KOR_INTEGER(ImageIndex, -1)
    // The calculation kind.
    KOR_ENUM(Kor::TKorTotalResult, TotalResult, Kor::trNone)
    KOR_ENUM(Kor::TKorTotalCalcValue, CalcValue, Kor::cvSum)
    KOR_ENUM(Kor::TKorTotalCalcApply, CalcApply, Kor::caAllRows)
    // Show an empty result (no rows, null values) as zero rather than as nothing.
    KOR_BOOLEAN(NullValue, false)
    KOR_STRING(Caption)
    // The record (1-based) of the totals' data set that a totals-record result reads; 0 is the
    // current record.
    KOR_INTEGER(TotalRecNo, 0)
    KOR_STRING(Format)
    KOR_BOOLEAN(FormatAsFloat, false)

public:
    // A stand-alone total row of Column, published as PropName.
    TKorColumnTotal(TKorColumn *Column, const QString &PropName);
    ~TKorColumnTotal() override;

    TKorColumn *Column() const;
    QString DisplayName() const override;
    QString GetNamePath() const override;
    TPersistent *GetOwner() const override;
    void Assign(const TPersistent *Source) override;

    // The last result the grid worked out for this row, and whether it is a currency amount.
    QVariant Value() const { return m_value; }
    bool IsCurrency() const { return m_currency; }
    void SetResult(const QVariant &Value, bool IsCurrency);
    // Clears the links to a component that is going away.
    void DropLinks(TComponent *Gone);
    // The text the total cell shows: the caption, or the result through Format.
    QString DisplayText() const;

    void Changed();

protected:
    // An entry of a TotalValues collection.
    explicit TKorColumnTotal(TCollection *Collection);

private:
    TKorColumn *m_column = nullptr;
    QString m_propName;
    QVariant m_value;
    bool m_currency = false;
};

class KORRUNTIME_EXPORT TKorColumnTotalValue : public TKorColumnTotal {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorColumnTotalValue(TCollection *Collection = nullptr);
};

class KORRUNTIME_EXPORT TKorColumnTotalValues : public TCollection {
    Q_OBJECT
public:
    explicit TKorColumnTotalValues(TKorColumn *Column);
    TKorColumn *Column() const { return m_column; }
    TKorColumnTotalValue *Add();
    TKorColumnTotalValue *Items(int Index) const;

protected:
    void Update(TCollectionItem *Item) override;

private:
    TKorColumn *m_column;
};

// Formats a total's value: printf-like numeric formats ("%d", "%.2n", "%12m", "%8s" ...),
// Boolean pairs ("%Yes;No%") and date and time patterns ("%ddddd%", "%hh%"). An empty format
// gives the value's plain text. AsFloat formats an integer value with a floating format.
KORRUNTIME_EXPORT QString FormatTotalValue(const QVariant &Value, const QString &Format,
                                           bool AsFloat = false, bool IsCurrency = false);

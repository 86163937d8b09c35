// Working out the grid's totals from its data.

#include <QSet>
#include <algorithm>
#include <climits>

#include "grid.h"

namespace {

bool lessThan(const QVariant &a, const QVariant &b)
{
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

bool isIntegral(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// A value calculated over Count rows of a field from First. Each value is read once and none is
// kept, so a total over every row of a large data set holds no more rows than the data set does.
QVariant calculate(Kor::TKorTotalCalcValue kind, const TField &field, int first, int count)
{
    qlonglong counted = 0;
    QSet<QString> distinct;
    QVariant best;
    bool integral = true;
    double sum = 0;
    qlonglong integerSum = 0;
    for (int row = first; row < first + count; ++row) {
        const QVariant value = field.ValueAt(row);
        if (value.isNull() || !value.isValid())
            continue;
        ++counted;
        switch (kind) {
        case Kor::cvDistinct:
            distinct.insert(value.toString());
            break;
        case Kor::cvMin:
        case Kor::cvMax:
            if (!best.isValid() ||
                (kind == Kor::cvMin ? lessThan(value, best) : lessThan(best, value)))
                best = value;
            break;
        case Kor::cvSum:
        case Kor::cvAverage:
            integral = integral && isIntegral(value);
            sum += value.toDouble();
            integerSum += value.toLongLong();
            break;
        case Kor::cvCount:
            break;
        }
    }
    switch (kind) {
    case Kor::cvCount:
        return counted;
    case Kor::cvDistinct:
        return qlonglong(distinct.size());
    case Kor::cvMin:
    case Kor::cvMax:
        return best;
    case Kor::cvSum:
    case Kor::cvAverage:
        if (counted == 0)
            return {};
        if (kind == Kor::cvAverage)
            return sum / double(counted);
        return integral ? QVariant(integerSum) : QVariant(sum);
    }
    return {};
}

} // namespace

void TKorCustomDBGrid::UpdateTotals()
{
    m_totalsDirty = false;
    TDataSet *dataSet = DataSet();
    TDataSet *totalsSet = Totals()->DataSource() ? Totals()->DataSource()->DataSet() : nullptr;
    const int current = dataSet ? dataSet->RecNo() - 1 : -1;
    // Every row is read only when a total over all of them is shown.
    int allRows = -1;
    const auto everyRow = [&] {
        if (allRows < 0)
            allRows = dataSet ? dataSet->RowsUpTo(INT_MAX) : 0;
        return allRows;
    };

    for (int i = 0; i < Columns()->Count(); ++i) {
        TKorColumn *column = Columns()->Items(i);
        QList<TKorColumnTotal *> totals{column->TotalHeader(), column->TotalFields(),
                                        column->TotalFooter()};
        for (int v = 0; v < column->TotalValues()->Count(); ++v)
            totals.append(column->TotalValues()->Items(v));
        for (TKorColumnTotal *total : std::as_const(totals)) {
            const QString fieldName =
                total->FieldName().isEmpty() ? column->FieldName() : total->FieldName();
            switch (total->TotalResult()) {
            case Kor::trCurrentField: {
                const TField *field = dataSet ? dataSet->FindField(fieldName) : nullptr;
                total->SetResult(field ? field->ValueAt(current) : QVariant(),
                                 field && field->DataType() == Db::ftCurrency);
                break;
            }
            case Kor::trTotalsRecord: {
                const TField *field = totalsSet ? totalsSet->FindField(fieldName) : nullptr;
                const int row = total->TotalRecNo() > 0 ? total->TotalRecNo() - 1
                                                        : (totalsSet ? totalsSet->RecNo() - 1 : -1);
                total->SetResult(field ? field->ValueAt(row) : QVariant(),
                                 field && field->DataType() == Db::ftCurrency);
                break;
            }
            case Kor::trCalcValue: {
                const TField *field = dataSet ? dataSet->FindField(fieldName) : nullptr;
                if (!field || !Totals()->CalcValues()) {
                    total->SetResult(QVariant(), false);
                    break;
                }
                const bool selected = total->CalcApply() == Kor::caSelectedRows;
                const int first = selected ? std::max(current, 0) : 0;
                const int count = selected ? (current >= 0 ? 1 : 0) : everyRow();
                total->SetResult(calculate(total->CalcValue(), *field, first, count),
                                 field->DataType() == Db::ftCurrency &&
                                     total->CalcValue() != Kor::cvCount &&
                                     total->CalcValue() != Kor::cvDistinct);
                break;
            }
            case Kor::trCaption:
                total->SetResult(total->Caption(), false);
                break;
            case Kor::trNone:
                total->SetResult(QVariant(), false);
                break;
            }
        }
    }
}

void TKorCustomDBGrid::ensureTotals()
{
    if (m_totalsDirty)
        UpdateTotals();
}

// Working out the grid's totals from its data.

#include <QSet>
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

// A value calculated over some rows of a field.
QVariant calculate(Kor::TKorTotalCalcValue kind, const TField &field, const QList<int> &rows)
{
    QVariantList values;
    for (int row : rows) {
        const QVariant value = field.ValueAt(row);
        if (!value.isNull() && value.isValid())
            values.append(value);
    }
    switch (kind) {
    case Kor::cvCount:
        return qlonglong(values.size());
    case Kor::cvDistinct: {
        QSet<QString> distinct;
        for (const QVariant &value : std::as_const(values))
            distinct.insert(value.toString());
        return qlonglong(distinct.size());
    }
    case Kor::cvMin:
    case Kor::cvMax: {
        if (values.isEmpty())
            return {};
        QVariant best = values.first();
        for (const QVariant &value : std::as_const(values))
            if (kind == Kor::cvMin ? lessThan(value, best) : lessThan(best, value))
                best = value;
        return best;
    }
    case Kor::cvSum:
    case Kor::cvAverage: {
        if (values.isEmpty())
            return {};
        bool integral = true;
        double sum = 0;
        qlonglong integerSum = 0;
        for (const QVariant &value : std::as_const(values)) {
            integral = integral && isIntegral(value);
            sum += value.toDouble();
            integerSum += value.toLongLong();
        }
        if (kind == Kor::cvAverage)
            return sum / double(values.size());
        return integral ? QVariant(integerSum) : QVariant(sum);
    }
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
    QList<int> allRows;
    bool allRowsListed = false;
    const auto everyRow = [&]() -> const QList<int> & {
        if (!allRowsListed) {
            const int count = dataSet ? dataSet->RowsUpTo(INT_MAX) : 0;
            allRows.reserve(count);
            for (int row = 0; row < count; ++row)
                allRows.append(row);
            allRowsListed = true;
        }
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
                const QList<int> rows = total->CalcApply() == Kor::caSelectedRows
                                            ? (current >= 0 ? QList<int>{current} : QList<int>{})
                                            : everyRow();
                total->SetResult(calculate(total->CalcValue(), *field, rows),
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

#include "columnrules.h"

#include "column.h"
#include "grid.h"

namespace ColumnRules {

namespace {

TKorColumn *columnOf(const TRuleContext &Context)
{
    return qobject_cast<TKorColumn *>(Context.Instance);
}

} // namespace

TCond ExpandCount()
{
    static const TCond cond = Fact(
        QStringLiteral("column expand count > 0"),
        [](const TRuleContext &Context) {
            TKorColumn *column = columnOf(Context);
            return column && GetOrdProp(column, QStringLiteral("ExpandCols")) > 0;
        },
        [](const TRuleContext &Context, bool Value) {
            TKorColumn *column = columnOf(Context);
            if (!column)
                return false;
            SetOrdProp(column, QStringLiteral("ExpandCols"), Value ? 1 : 0);
            return true;
        });
    return cond;
}

TCond Expandable()
{
    static const TCond cond = Fact(
        QStringLiteral("column Expandable"),
        [](const TRuleContext &Context) {
            TKorColumn *column = columnOf(Context);
            return column && column->Expandable();
        },
        [](const TRuleContext &Context, bool Value) {
            TKorColumn *column = columnOf(Context);
            if (!column)
                return false;
            column->setExpandCols(Value ? 1 : 0);
            return true;
        });
    return cond;
}

TCond Text()
{
    return !Bool("CheckBox") && (!Bool("ExpandBox") || ExpandCount()) && !Bool("AutoNumber");
}

TCond EditShown()
{
    return O(0) && Bool("ShowEdit");
}

TCond Edit()
{
    return EditShown() && Text();
}

TCond Button(int Ordinal)
{
    return Ord("ButtonStyle", Ordinal);
}

TCond LookupDataSet()
{
    // Tests make the condition true with the grid's own data set.
    static const TCond cond = Fact(
        QStringLiteral("column LookupDataSet assigned"),
        [](const TRuleContext &Context) {
            TKorColumn *column = columnOf(Context);
            return column && column->LookupDataSet();
        },
        [](const TRuleContext &Context, bool Value) {
            TKorColumn *column = columnOf(Context);
            if (!column)
                return false;
            TDataSet *dataSet = nullptr;
            if (Value) {
                auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
                dataSet = grid ? grid->DataSet() : nullptr;
                if (!dataSet)
                    return false;
            }
            column->setLookupDataSet(dataSet);
            return true;
        });
    return cond;
}

TCond LookupColumn()
{
    return !Ord("LookupColumn", 0);
}

TCond HasPickList()
{
    static const TCond cond = Fact(
        QStringLiteral("column PickList has lines"),
        [](const TRuleContext &Context) {
            TKorColumn *column = columnOf(Context);
            return column && column->PickList()->Count() > 0;
        },
        [](const TRuleContext &Context, bool Value) {
            TKorColumn *column = columnOf(Context);
            if (!column)
                return false;
            column->PickList()->SetText(Value ? QStringLiteral("One") : QString());
            return true;
        });
    return cond;
}

TCond ListOption(int Index)
{
    return Elem("ListOptions", Index);
}

TCond PickOption(int Index)
{
    return Elem("PickOptions", Index);
}

TCond ShowHint()
{
    return GridBool("ShowHint");
}

TCond HintOption(int Index)
{
    return GridElem("HintOptions", Index);
}

TCond RightToLeft()
{
    static const TCond cond = Fact(
        QStringLiteral("grid right to left"),
        [](const TRuleContext &Context) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            return grid && grid->UseRightToLeftAlignment();
        },
        [](const TRuleContext &Context, bool Value) {
            auto *grid = qobject_cast<TKorCustomDBGrid *>(Context.Grid);
            if (!grid)
                return false;
            grid->setBiDiMode(Value ? Vcl::bdRightToLeft : Vcl::bdLeftToRight);
            return true;
        });
    return cond;
}

} // namespace ColumnRules

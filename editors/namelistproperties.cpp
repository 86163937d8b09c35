#include "namelistproperties.h"

#include <QSet>

#include "designintf.h"
#include "grid.h"
#include "kordbeditors.h"

namespace {

// Unsorted lists stay in the host's order; these are sorted by the inspector.
constexpr TPropertyAttributes kNameListAttributes =
    paValueList | paMultiSelect | paSortList | paRevertable;

TDataSet *dataSetOf(const TDataSource *Source)
{
    return Source ? Source->DataSet() : nullptr;
}

TKorCustomDBGrid *gridOfColumn(const TKorColumn *Column)
{
    return Column ? Column->Grid() : nullptr;
}

} // namespace

// ---- TKorDBGridMasterGridProperty -------------------------------------------------------------

TKorDBGridMasterGridProperty::TKorDBGridMasterGridProperty(const TPropertyEditorArgs &Args)
    : TComponentProperty(Args)
{
}

void TKorDBGridMasterGridProperty::GetValues(const TGetStrProc &Proc)
{
    FProc = Proc;
    try {
        TComponentProperty::GetValues([this](const QString &Name) { FilterProc(Name); });
    } catch (...) {
        FProc = nullptr;
        throw;
    }
    FProc = nullptr;
}

void TKorDBGridMasterGridProperty::FilterProc(const QString &Name)
{
    TComponent *component = Designer() ? Designer()->GetComponent(Name) : nullptr;
    const QObject *edited = GetComponent(0);
    // Follow the chain of masters (as each grid publishes it) until it ends or reaches the
    // edited grid. A chain that loops among other grids never ends: a grid on such a loop is
    // not offered either.
    QSet<const QObject *> visited;
    for (QObject *grid = component ? qobject_cast<TKorCustomDBGrid *>(component->Object())
                                   : nullptr;
         grid; grid = GetObjectProp(grid, QStringLiteral("MasterGrid"),
                                    &TKorCustomDBGrid::staticMetaObject)) {
        if (grid == edited || visited.contains(grid))
            return;
        visited.insert(grid);
    }
    if (FProc)
        FProc(Name);
}

// ---- TKorDBGridColumnNameProperty -------------------------------------------------------------

TKorDBGridColumnNameProperty::TKorDBGridColumnNameProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TKorDBGridColumnNameProperty::GetAttributes()
{
    return kNameListAttributes;
}

void TKorDBGridColumnNameProperty::GetValues(const TGetStrProc &Proc)
{
    const auto *editor = qobject_cast<const TKorDBDataEditor *>(GetComponent(0));
    TKorCustomDBGrid *grid = editor ? editor->DBGrid() : nullptr;
    if (!grid)
        return;
    TKorDBGridColumns *columns = grid->Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        const TKorColumn *column = columns->Items(i);
        if (!column->FieldName().isEmpty())
            Proc(column->DisplayName());
    }
}

// ---- TKorDBGridFieldNameProperty --------------------------------------------------------------

TKorDBGridFieldNameProperty::TKorDBGridFieldNameProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TKorDBGridFieldNameProperty::GetAttributes()
{
    return kNameListAttributes;
}

void TKorDBGridFieldNameProperty::GetValues(const TGetStrProc &Proc)
{
    TDataSet *dataSet = GetDataSet();
    if (!dataSet)
        return;
    QStringList names;
    dataSet->GetFieldNames(names);
    for (const QString &name : names)
        Proc(name);
}

TDataSet *TKorDBGridFieldNameProperty::GetDataSet()
{
    QObject *object = GetComponent(0);
    if (auto *editor = qobject_cast<TKorDBCustomEditor *>(object))
        return dataSetOf(editor->DataSource());
    if (auto *grid = qobject_cast<TKorDBGrid *>(object))
        return dataSetOf(grid->DataSource());
    if (auto *column = qobject_cast<TKorColumn *>(object)) {
        TKorCustomDBGrid *grid = gridOfColumn(column);
        return grid ? dataSetOf(grid->DataSource()) : nullptr;
    }
    if (auto *treeView = qobject_cast<TKorDBGridTreeView *>(object))
        return treeView->Grid() ? dataSetOf(treeView->Grid()->DataSource()) : nullptr;
    return nullptr;
}

// ---- Subclasses -------------------------------------------------------------------------------

TKorDBGridLookupFieldNameProperty::TKorDBGridLookupFieldNameProperty(
    const TPropertyEditorArgs &Args)
    : TKorDBGridFieldNameProperty(Args)
{
}

TDataSet *TKorDBGridLookupFieldNameProperty::GetDataSet()
{
    QObject *object = GetComponent(0);
    if (auto *editor = qobject_cast<TKorDBCustomEditor *>(object))
        return editor->LookupDataSet();
    if (auto *column = qobject_cast<TKorColumn *>(object))
        return column->LookupDataSet();
    return nullptr;
}

TKorDBGridLookupKeyFieldProperty::TKorDBGridLookupKeyFieldProperty(const TPropertyEditorArgs &Args)
    : TKorDBGridFieldNameProperty(Args)
{
}

TDataSet *TKorDBGridLookupKeyFieldProperty::GetDataSet()
{
    auto *column = qobject_cast<TKorColumn *>(GetComponent(0));
    return column ? column->LookupDataSet() : nullptr;
}

TKorDBGridLookupListFieldProperty::TKorDBGridLookupListFieldProperty(
    const TPropertyEditorArgs &Args)
    : TKorDBGridFieldNameProperty(Args)
{
}

TDataSet *TKorDBGridLookupListFieldProperty::GetDataSet()
{
    auto *column = qobject_cast<TKorColumn *>(GetComponent(0));
    if (!column)
        return nullptr;
    if (TField *field = column->Field(); field && field->FieldKind() == Db::fkLookup)
        return field->LookupDataSet();
    return column->LookupDataSet();
}

TKorDBGridTotalFieldNameProperty::TKorDBGridTotalFieldNameProperty(const TPropertyEditorArgs &Args)
    : TKorDBGridFieldNameProperty(Args)
{
}

TDataSet *TKorDBGridTotalFieldNameProperty::GetDataSet()
{
    auto *total = qobject_cast<TKorColumnTotal *>(GetComponent(0));
    TKorCustomDBGrid *grid = total ? gridOfColumn(total->Column()) : nullptr;
    if (qobject_cast<TKorColumnTotalValue *>(total) &&
        total->TotalResult() != Kor::trTotalsRecord) {
        switch (total->TotalResult()) {
        case Kor::trCurrentField:
        case Kor::trCalcValue:
            return grid ? dataSetOf(grid->DataSource()) : nullptr;
        default:
            return nullptr;
        }
    }
    return grid ? dataSetOf(grid->Totals()->DataSource()) : nullptr;
}

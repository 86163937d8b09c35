#include "gridcolorproperty.h"

#include <initializer_list>

#include "grid.h"

namespace {

// The properties that draw clNone as a crossed-out swatch.
struct NoneColorRow {
    const QMetaObject *Class;
    std::initializer_list<const char *> Properties;
};

const NoneColorRow kNoneColors[] = {
    {&TKorDBGrid::staticMetaObject,
     {"EditorColor", "DataColLineColor", "DataRowLineColor", "HighlightText", "SelectCellColor",
      "SelectionColor", "SelectRowColor", "StripeColor"}},
    {&TKorColumn::staticMetaObject, {"TransparentColor"}},
    {&TKorDBGridSearch::staticMetaObject, {"Color"}},
    {&TKorDBGridTotals::staticMetaObject, {"SelectedColor"}},
};

bool isA(const QObject *Object, const QMetaObject *Class)
{
    return Object && Object->metaObject()->inherits(Class);
}

} // namespace

TKorDBGridColorProperty::TKorDBGridColorProperty(const TPropertyEditorArgs &Args)
    : TBriskColorProperty(Args)
{
}

bool TKorDBGridColorProperty::SpecialNoneColor()
{
    const QObject *object = GetComponent(0);
    const QString name = GetName();
    for (const NoneColorRow &row : kNoneColors)
        if (isA(object, row.Class))
            for (const char *property : row.Properties)
                if (name == QLatin1String(property))
                    return true;
    return false;
}

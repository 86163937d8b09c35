#include "gridcolorproperty.h"

#include <initializer_list>

#include "grid.h"

namespace {

// Which colour clDefault stands for: the first row whose class the edited object inherits and
// whose property name (nullptr: any) matches, compared exactly.
struct DefaultColorRow {
    const QMetaObject *Class;
    const char *Property;
    TColor (*Default)(const QObject *Object);
};

template <class T> const T *as(const QObject *Object)
{
    return static_cast<const T *>(Object);
}

const DefaultColorRow kDefaultColors[] = {
    {&TKorDBGrid::staticMetaObject, "DataColLineColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultDataLineColor(); }},
    {&TKorDBGrid::staticMetaObject, "DataRowLineColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultDataLineColor(); }},
    {&TKorDBGrid::staticMetaObject, "EditorColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultEditorColor(); }},
    {&TKorDBGrid::staticMetaObject, "HighlightText",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultHighlightText(); }},
    {&TKorDBGrid::staticMetaObject, "SelectCellColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultSelectCellColor(); }},
    {&TKorDBGrid::staticMetaObject, "SelectionColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultSelectionColor(); }},
    {&TKorDBGrid::staticMetaObject, "SelectRowColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultSelectRowColor(); }},
    {&TKorDBGrid::staticMetaObject, "StripeColor",
     [](const QObject *o) { return as<TKorDBGrid>(o)->DefaultStripeColor(); }},
    {&TKorDBGridGradient::staticMetaObject, "HotColor",
     [](const QObject *o) { return as<TKorDBGridGradient>(o)->DefaultHotColor(); }},
    {&TKorDBGridSearch::staticMetaObject, "Color",
     [](const QObject *o) { return as<TKorDBGridSearch>(o)->DefaultColor(); }},
    {&TKorDBGridSearch::staticMetaObject, "PanelColor",
     [](const QObject *o) { return as<TKorDBGridSearch>(o)->DefaultPanelColor(); }},
    {&TKorDBGridTotals::staticMetaObject, nullptr,
     [](const QObject *o) { return as<TKorDBGridTotals>(o)->DefaultSelectedColor(); }},
};

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

TColor TKorDBGridColorProperty::GetDefaultColor()
{
    const TColor base = TBriskColorProperty::GetDefaultColor();
    const QObject *object = GetComponent(0);
    const QString name = GetName();
    for (const DefaultColorRow &row : kDefaultColors)
        if (isA(object, row.Class) && (!row.Property || name == QLatin1String(row.Property)))
            return row.Default(object);
    return base;
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

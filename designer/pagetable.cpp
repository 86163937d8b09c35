#include "pagetable.h"

#include "pagebuilder.h"

#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/memo.h"
#include "designwindow.h"
#include "grid.h"

// ---- Factories ----

TControlClass FactoryControlClass(TFactory Factory)
{
    switch (Factory) {
    case TFactory::Unbound:
    case TFactory::AddNoneProp:
        return TControlClass::Any;
    case TFactory::AddBoolProp:
    case TFactory::AddGrayProp:
    case TFactory::AddElemProp:
    case TFactory::AddSelectProp:
    case TFactory::AddSwitchProp:
        return TControlClass::CheckBox;
    case TFactory::AddColorProp:
    case TFactory::AddBackColorProp:
    case TFactory::AddFontColorProp:
    case TFactory::AddKorDBGridFixedColorProp:
    case TFactory::AddKorColumnTitleColorProp:
    case TFactory::AddKorColumnTotalColorProp:
        return TControlClass::ColorBox;
    case TFactory::AddTextProp:
    case TFactory::AddCharProp:
    case TFactory::AddValueProp:
    case TFactory::AddFontSizeProp:
        return TControlClass::Edit;
    case TFactory::AddMemoProp:
        return TControlClass::Memo;
    default:
        return TControlClass::ComboBox;
    }
}

TControlClass ControlClassOfName(const QString &Name)
{
    static const QList<QPair<QString, TControlClass>> suffixes{
        {QStringLiteral("CheckBox"), TControlClass::CheckBox},
        {QStringLiteral("ComboBox"), TControlClass::ComboBox},
        {QStringLiteral("ColorBox"), TControlClass::ColorBox},
        {QStringLiteral("Edit"), TControlClass::Edit},
        {QStringLiteral("Memo"), TControlClass::Memo},
        {QStringLiteral("GroupBox"), TControlClass::GroupBox},
    };
    for (const auto &suffix : suffixes)
        if (Name.endsWith(suffix.first))
            return suffix.second;
    return TControlClass::Any;
}

const char *FactoryName(TFactory Factory)
{
    static const char *const names[] = {
        "Unbound",
        "AddNoneProp",
        "AddBoolProp",
        "AddGrayProp",
        "AddElemProp",
        "AddSelectProp",
        "AddSwitchProp",
        "AddListProp",
        "AddEnumProp",
        "AddCursProp",
        "AddLinkProp",
        "AddFontNameProp",
        "AddFieldNameProp",
        "AddColorProp",
        "AddBackColorProp",
        "AddFontColorProp",
        "AddTextProp",
        "AddCharProp",
        "AddMemoProp",
        "AddValueProp",
        "AddFontSizeProp",
        "AddKorDBGridFixedColorProp",
        "AddKorDBGridImageIndexProp",
        "AddKorColumnFieldNameProp",
        "AddKorColumnFormatProp",
        "AddKorColumnLookupFieldNameProp",
        "AddKorColumnTitleColorProp",
        "AddKorColumnTitleImageIndexProp",
        "AddKorColumnTotalNameProp",
        "AddKorColumnTotalColorProp",
        "AddKorColumnTotalFieldNameProp",
        "AddKorColumnTotalFormatProp",
        "AddKorColumnTotalImageIndexProp",
        "AddCollectionProp",
    };
    const int index = int(Factory);
    return index >= 0 && index < int(std::size(names)) ? names[index] : "?";
}

bool FactoryHasSpinner(TFactory Factory)
{
    return Factory == TFactory::AddValueProp || Factory == TFactory::AddFontSizeProp;
}

bool FactoryHasNoProperty(TFactory Factory)
{
    return Factory == TFactory::Unbound || Factory == TFactory::AddSelectProp ||
           Factory == TFactory::AddSwitchProp || Factory == TFactory::AddKorColumnTotalNameProp;
}

// ---- TPageTableList ----

QWidget *TPageTableList::Form()
{
    return List().OwnerForm;
}

QWidget *TPageTableList::FindPageWidget(const QString &Name)
{
    QWidget *form = Form();
    if (!form)
        throw EHostError(QStringLiteral("page %1 has no designer window")
                             .arg(QString::fromLatin1(m_table.TabSheet)));
    auto *widget = form->findChild<QWidget *>(Name);
    if (!widget)
        throw EHostError(QStringLiteral("the designer window has no control %1").arg(Name));
    return widget;
}

QWidget *TPageTableList::TabSheet()
{
    if (!m_tabSheet)
        m_tabSheet = FindPageWidget(QString::fromLatin1(m_table.TabSheet));
    return m_tabSheet;
}

TPropItem *TPageTableList::Item(const QString &ControlName) const
{
    return m_itemsByName.value(ControlName);
}

void TPageTableList::BuildPage()
{
    QWidget *sheet = TabSheet();
    TPageBuilder builder(sheet, m_table, Form());
    builder.MakeGroups();
    for (const TPageRow &row : m_table.Rows) {
        QWidget *control = builder.MakeRow(row);
        if (row.Factory != TFactory::Unbound)
            Bind(row, control);
    }
    builder.Finish();

    m_ruleItems.clear();
    for (const TPageRule &rule : m_table.Rules) {
        std::vector<TPropItem *> items;
        for (const QString &name : rule.Controls) {
            TPropItem *item = Item(name);
            if (!item)
                throw EHostError(QStringLiteral("a rule of page %1 names %2, which no item binds")
                                     .arg(QString::fromLatin1(m_table.TabSheet), name));
            items.push_back(item);
        }
        m_ruleItems.push_back(std::move(items));
    }
}

namespace {

template <class L> L &listAs(TPropList &List, const TPageRow &Row)
{
    auto *list = dynamic_cast<L *>(&List);
    if (!list)
        throw EHostError(QStringLiteral("%1 of %2 needs a list of class %3")
                             .arg(QString::fromLatin1(FactoryName(Row.Factory)),
                                  QString::fromLatin1(Row.Control),
                                  QString::fromLatin1(L::staticMetaObject.className())));
    return *list;
}

} // namespace

void TPageTableList::Bind(const TPageRow &Row, QWidget *Control)
{
    TPropList &list = List();
    const QString name = QString::fromLatin1(Row.Control);
    const QString path = QString::fromLatin1(Row.Path ? Row.Path : "");
    const TRowArgs &a = Row.Args;
    // The row's own control, made just now under the row's name, of the factory's class.
    auto as = [&](auto *Class) {
        using T = std::remove_pointer_t<decltype(Class)>;
        T *control = qobject_cast<T *>(Control);
        if (!control || control->objectName() != name)
            throw EHostError(QStringLiteral("%1 is not a %2 of the designer window")
                                 .arg(name, QString::fromLatin1(T::staticMetaObject.className())));
        return control;
    };
    auto check = [&] { return as(static_cast<TCheckBox *>(nullptr)); };
    auto combo = [&] { return as(static_cast<TComboBox *>(nullptr)); };
    auto colors = [&] { return as(static_cast<TColorBox *>(nullptr)); };
    auto edit = [&] { return as(static_cast<TEdit *>(nullptr)); };
    auto named = [&](const char *Other) -> QWidget * {
        return Other ? PageControl<QWidget>(QString::fromLatin1(Other)) : nullptr;
    };
    const int before = list.ItemCount();

    switch (Row.Factory) {
    case TFactory::Unbound:
        return;
    case TFactory::AddNoneProp:
        list.AddNoneProp(path, Control);
        break;
    case TFactory::AddBoolProp:
        list.AddBoolProp(path, check(), a.Inverted);
        break;
    case TFactory::AddGrayProp:
        list.AddGrayProp(path, check(), a.Inverted);
        break;
    case TFactory::AddElemProp:
        list.AddElemProp(path, check(), a.ElemIndex, a.Inverted);
        break;
    case TFactory::AddSelectProp:
        list.AddSelectProp(path, check(), a.Checked, QString::fromUtf8(a.HintText));
        break;
    case TFactory::AddSwitchProp:
        list.AddSwitchProp(path, check(), named(a.ShowControl), named(a.HideControl), a.Checked,
                           QString::fromUtf8(a.HintText));
        break;
    case TFactory::AddListProp:
        list.AddListProp(path, combo());
        break;
    case TFactory::AddEnumProp:
        list.AddEnumProp(path, combo());
        break;
    case TFactory::AddCursProp:
        list.AddCursProp(path, combo());
        break;
    case TFactory::AddLinkProp:
        list.AddLinkProp(path, combo());
        break;
    case TFactory::AddFontNameProp:
        list.AddFontNameProp(path, combo());
        break;
    case TFactory::AddFieldNameProp:
        list.AddFieldNameProp(path, combo());
        break;
    case TFactory::AddColorProp: {
        TColor defaultColor = a.DefaultColor;
        if (a.DefaultColorOf) {
            QObject *grid = RuleContext().Grid;
            defaultColor = grid ? a.DefaultColorOf(grid) : clDefault;
        }
        list.AddColorProp(path, colors(), defaultColor, a.NoneColor);
        break;
    }
    case TFactory::AddBackColorProp:
        list.AddBackColorProp(path, colors());
        break;
    case TFactory::AddFontColorProp:
        list.AddFontColorProp(path, colors());
        break;
    case TFactory::AddTextProp:
        list.AddTextProp(path, edit());
        break;
    case TFactory::AddCharProp:
        list.AddCharProp(path, edit());
        break;
    case TFactory::AddMemoProp:
        list.AddMemoProp(path, as(static_cast<TMemo *>(nullptr)));
        break;
    case TFactory::AddValueProp:
        list.AddValueProp(path, edit(), qint16(a.MinValue), qint16(a.MaxValue));
        break;
    case TFactory::AddFontSizeProp:
        list.AddFontSizeProp(path, edit());
        break;
    case TFactory::AddKorDBGridFixedColorProp:
        listAs<TKorDBGridPropList>(list, Row).AddKorDBGridFixedColorProp(path, colors());
        break;
    case TFactory::AddKorDBGridImageIndexProp:
        listAs<TKorDBGridPropList>(list, Row).AddKorDBGridImageIndexProp(path, combo());
        break;
    case TFactory::AddKorColumnFieldNameProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnFormatProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnFormatProp(path, combo());
        break;
    case TFactory::AddKorColumnLookupFieldNameProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnLookupFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnTitleColorProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnTitleColorProp(path, colors());
        break;
    case TFactory::AddKorColumnTitleImageIndexProp:
        listAs<TKorColumnPropList>(list, Row).AddKorColumnTitleImageIndexProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalNameProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalNameProp(
            combo(),
            PageControl<TCheckBox>(QString::fromLatin1(a.ResultCheckBox ? a.ResultCheckBox : "")),
            named(a.ResultGroup), named(a.ColorGroup), named(a.FontGroup));
        break;
    case TFactory::AddKorColumnTotalColorProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalColorProp(path, colors());
        break;
    case TFactory::AddKorColumnTotalFieldNameProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalFieldNameProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalFormatProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalFormatProp(path, combo());
        break;
    case TFactory::AddKorColumnTotalImageIndexProp:
        listAs<TKorColumnTotalPropList>(list, Row).AddKorColumnTotalImageIndexProp(path, combo());
        break;
    case TFactory::AddCollectionProp:
        listAs<TCollectionPropList>(list, Row).AddCollectionProp(path, combo());
        break;
    }
    if (list.ItemCount() > before)
        m_itemsByName.insert(name, list.Items(list.ItemCount() - 1));
}

void TPageTableList::ApplyRules()
{
    const TRuleContext context = RuleContext();
    for (size_t i = 0; i < m_ruleItems.size() && i < m_table.Rules.size(); ++i) {
        const bool enabled = m_table.Rules[i].When.Eval(context);
        for (TPropItem *item : m_ruleItems[i])
            item->SetEnabled(enabled);
    }
    RunHook(m_table.AfterUpdateEnabled);
}

// ---- Page list classes ----

TGridPagePropList::TGridPagePropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid,
                                     const TPageTable &Table)
    : TKorDBGridPropList(AOwnerForm, Grid), TPageTableList(Table)
{
}

TRuleContext TGridPagePropList::RuleContext()
{
    QObject *grid = TPropList::Instance();
    return {this, grid, grid, nullptr};
}

void TGridPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TGridPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorDBGridPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TGridPagePropList::UpdateVisible()
{
    TKorDBGridPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TGridPagePropList::UpdateEnabled()
{
    ApplyRules();
}

TColumnPagePropList::TColumnPagePropList(TDesignWindow *AOwnerForm, TKorColumn *Column,
                                         const TPageTable &Table)
    : TKorColumnPropList(AOwnerForm, Column), TPageTableList(Table)
{
}

TRuleContext TColumnPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), nullptr};
}

void TColumnPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TColumnPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorColumnPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TColumnPagePropList::UpdateVisible()
{
    TKorColumnPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TColumnPagePropList::UpdateEnabled()
{
    ApplyRules();
}

TColumnTotalPagePropList::TColumnTotalPagePropList(TDesignWindow *AOwnerForm, TKorColumn *Column,
                                                   const TPageTable &Table)
    : TKorColumnTotalPropList(AOwnerForm, Column), TPageTableList(Table)
{
}

TRuleContext TColumnTotalPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), GetTotalItem()};
}

void TColumnTotalPagePropList::InitPropList()
{
    BuildPage();
    RunHook(Table().AfterInit);
}

void TColumnTotalPagePropList::LoadPropList()
{
    RunHook(Table().BeforeLoad);
    TKorColumnTotalPropList::LoadPropList();
    RunHook(Table().AfterLoad);
}

void TColumnTotalPagePropList::UpdateVisible()
{
    TKorColumnTotalPropList::UpdateVisible();
    RunHook(Table().AfterUpdateVisible);
}

void TColumnTotalPagePropList::UpdateEnabled()
{
    ApplyRules();
}

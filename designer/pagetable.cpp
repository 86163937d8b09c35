#include "pagetable.h"

#include "pagebuilder.h"

#include <QStyle>

#include "controls/checkbox.h"
#include "controls/colorbox.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/label.h"
#include "controls/memo.h"
#include "designwindow.h"
#include "grid.h"

// ---- Factories ----

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

const QMetaObject *ControlClassMetaObject(TControlClass Class)
{
    switch (Class) {
    case TControlClass::CheckBox:
        return &TCheckBox::staticMetaObject;
    case TControlClass::ComboBox:
        return &TComboBox::staticMetaObject;
    case TControlClass::ColorBox:
        return &TColorBox::staticMetaObject;
    case TControlClass::Edit:
        return &TEdit::staticMetaObject;
    case TControlClass::Memo:
        return &TMemo::staticMetaObject;
    case TControlClass::GroupBox:
        return &TGroupBox::staticMetaObject;
    case TControlClass::Any:
        break;
    }
    return &QWidget::staticMetaObject;
}

bool PathKindFits(TPathKind Kind, PPropInfo Info)
{
    switch (Kind) {
    case TPathKind::None:
        return false;
    case TPathKind::Any:
        return true;
    case TPathKind::Set:
        return Info->Kind == TTypeKind::tkSet;
    case TPathKind::Ordinal:
        return Info->IsOrdinal();
    case TPathKind::Enumeration:
        return Info->Kind == TTypeKind::tkEnumeration;
    case TPathKind::Integer:
        return Info->Kind == TTypeKind::tkInteger;
    case TPathKind::Cursor:
        return Info->TypeName == QLatin1String("TCursor");
    case TPathKind::Char:
        return Info->Kind == TTypeKind::tkChar || Info->Kind == TTypeKind::tkWChar;
    case TPathKind::Object:
        return Info->Kind == TTypeKind::tkClass;
    case TPathKind::Color:
        return Info->TypeName == QLatin1String("TColor");
    case TPathKind::String:
        return Info->IsString();
    }
    return false;
}

TRowBinding::TRowBinding(TPageTableList &Page, const TPageRow &Row, QWidget *Control)
    : m_page(Page), m_row(Row), m_control(Control),
      m_path(QString::fromLatin1(Row.Path ? Row.Path : ""))
{
}

TPropList &TRowBinding::List() const
{
    return m_page.List();
}

const TRowArgs &TRowBinding::Args() const
{
    return m_row.Args;
}

EHostError TRowBinding::ListClassError(const char *ClassName) const
{
    return EHostError(QStringLiteral("%1 of %2 needs a list of class %3")
                          .arg(QString::fromLatin1(m_row.Factory->Name),
                               QString::fromLatin1(m_row.Control), QString::fromLatin1(ClassName)));
}

QWidget *TRowBinding::Control() const
{
    // The row's own control, made just now under the row's name, of the factory's class.
    const QString name = QString::fromLatin1(m_row.Control);
    const QMetaObject *cls = ControlClassMetaObject(m_row.Factory->Class);
    if (m_row.Factory->Class != TControlClass::Any &&
        (!m_control || !m_control->metaObject()->inherits(cls) || m_control->objectName() != name))
        throw EHostError(QStringLiteral("%1 is not a %2 of the designer window")
                             .arg(name, QString::fromLatin1(cls->className())));
    return m_control;
}

QWidget *TRowBinding::Named(const char *Name) const
{
    return Name ? m_page.PageControl<QWidget>(QString::fromLatin1(Name)) : nullptr;
}

QWidget *TRowBinding::NamedCheckBox(const char *Name) const
{
    return m_page.PageControl<TCheckBox>(QString::fromLatin1(Name ? Name : ""));
}

TColor TRowBinding::DefaultColor() const
{
    if (!m_row.Args.DefaultColorOf)
        return m_row.Args.DefaultColor;
    QObject *grid = m_page.RuleContext().Grid;
    return grid ? m_row.Args.DefaultColorOf(grid) : clDefault;
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

namespace {

// The minimum size of each page's tab sheet as last built in this process, with the font and
// style it was measured in.
struct TSheetMinimum {
    QString fontKey;
    QString style;
    QSize size;
};

QHash<QString, TSheetMinimum> &sheetMinimums()
{
    static QHash<QString, TSheetMinimum> minimums;
    return minimums;
}

QString styleName(const QWidget *Sheet)
{
    return Sheet->style()->name();
}

// Every page list of the tree under List.
void collectPages(TPropList *List, QList<TPageTableList *> &Pages)
{
    for (int i = 0; List && i < List->ListCount(); ++i) {
        if (auto *page = dynamic_cast<TPageTableList *>(List->Lists(i)))
            Pages.append(page);
        collectPages(List->Lists(i), Pages);
    }
}

} // namespace

void BuildAllPages(TPropList *Root)
{
    QList<TPageTableList *> pages;
    collectPages(Root, pages);
    for (TPageTableList *page : pages)
        page->EnsureBuilt();
}

void TPageTableList::ReserveSheet()
{
    QWidget *sheet = TabSheet();
    const auto known = sheetMinimums().constFind(sheet->objectName());
    if (known != sheetMinimums().constEnd() && known->fontKey == sheet->font().key() &&
        known->style == styleName(sheet))
        sheet->setMinimumSize(known->size);
}

void TPageTableList::EnsureBuilt()
{
    if (m_built || m_building)
        return;
    m_building = true;
    struct Done {
        TPageTableList *page;
        ~Done() { page->m_building = false; }
    } done{this};
    // A page that makes controls for this page's sheet goes first: this page places them.
    const QString sheetName = QString::fromLatin1(m_table.TabSheet);
    TPropList *root = &List();
    while (root->ParentList())
        root = root->ParentList();
    QList<TPageTableList *> pages;
    collectPages(root, pages);
    for (TPageTableList *page : std::as_const(pages))
        if (page != this)
            for (const TPageGroup &group : page->Table().Groups)
                if (group.Parent && sheetName == QLatin1String(group.Parent)) {
                    page->EnsureBuilt();
                    break;
                }

    QWidget *sheet = TabSheet();
    sheet->setMinimumSize(0, 0);
    // Controls made on a sheet on show would wait for the next turn of the event loop to show;
    // made on a hidden sheet, they show with it, as the page's hooks left them.
    const bool shown = sheet->isVisible();
    if (shown)
        sheet->hide();
    // Built once, whatever happens: a page that failed half-way is not made a second time.
    m_built = true;
    BuildPage();
    RunHook(m_table.AfterInit);
    RunHook(AfterBuild);
    if (shown)
        sheet->show();
    sheetMinimums().insert(sheet->objectName(),
                           {sheet->font().key(), styleName(sheet), sheet->minimumSizeHint()});
}

void TPageTableList::BuildPage()
{
    QWidget *sheet = TabSheet();
    TPageBuilder builder(sheet, m_table, Form());
    builder.MakeGroups();
    for (const TPageRow &row : m_table.Rows) {
        QWidget *control = builder.MakeRow(row);
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

// Binds the row's control through its factory; a factory without a binding leaves it unbound.
void TPageTableList::Bind(const TPageRow &Row, QWidget *Control)
{
    if (!Row.Factory->Bind)
        return;
    TPropList &list = List();
    const int before = list.ItemCount();
    Row.Factory->Bind(TRowBinding(*this, Row, Control));
    if (list.ItemCount() > before)
        m_itemsByName.insert(QString::fromLatin1(Row.Control), list.Items(list.ItemCount() - 1));
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

TRuleContext TGridPagePropList::RuleContext()
{
    QObject *grid = TPropList::Instance();
    return {this, grid, grid, nullptr};
}

TRuleContext TColumnPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), nullptr};
}

TRuleContext TColumnTotalPagePropList::RuleContext()
{
    return {this, Grid(), TPropList::Instance(), GetTotalItem()};
}

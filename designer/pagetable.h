#pragma once
// Page tables: each page of the grid designer is written as constant tables that both build the
// page's controls and bind them, so that a control cannot exist without its binding.
//
// How a page is written (one source file per page, designer/pages/<name>page.cpp):
//
// - Groups: one TPageGroup per container (group box, scroll box, panel): its name, the
//   container it lies in ("-" for the tab sheet), its caption, and where it goes in its parent's
//   flow (below the previous entry, at the top of a new column, or in the same place as the
//   previous entry, for the two groups that a switch alternates). The groups on the tab sheet
//   are laid out in table order; a group inside another group enters its parent's flow where a
//   row first names it or a control inside it.
// - Rows: one TPageRow per factory call, in call order: control name, group ("-" for the tab
//   sheet), factory, property path, arguments, caption. The builder makes the control of the
//   factory's class, names it, puts it into its group, makes its label (focus control set) and,
//   for value items, its spinner (named with "UpDown" in place of "Edit"), and calls the factory.
//   Caption nullptr: the last segment of the path (check box text or label); NoLabel/NoCaption:
//   none; a group bound with AddNoneProp takes its caption from its TPageGroup. TPlace::Beside
//   puts a control on the line of the previous one, or with BesideOf in front of the line of
//   the named control. A caption-less AddSwitchProp check box on
//   the tab sheet lies over the start of its ShowControl's caption; so does an Unbound check box
//   on the tab sheet whose arguments name two groups with Switch(...). Factory Unbound makes a
//   control that no item binds (its class from its name's suffix).
// - Controls of one list on another page: a group whose Parent is another page's tab sheet is a
//   group of that page; this page makes and binds the rows that lie in it, and the page owning
//   the sheet places them with Unbound rows of the same names (label and spinner go along).
// - Rules: ordered TPageRule rows, each a list of bound controls and the condition under which
//   they are enabled, built from small terms (O(n), OX(n), OT(n), GridBool, GridOrd, Bool, Ord,
//   ...) combined with &&, || and !. They are applied in order with the items' SetEnabled, so
//   "Enable All" lifts them, and a later row decides a control that an earlier row set.
// - Overrides: the few special cases go into the table's hooks (AfterInit, AfterUpdateVisible,
//   AfterUpdateEnabled, BeforeLoad, AfterLoad), written beside the table. Controls whose final
//   state a hook decides are listed in OverriddenControls.
//
// Controls are reached by object name with their class checked (PageControl<T>), never through
// copied pointers.

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "collectionlists.h"
#include "graphics.h"
#include "hosterrors.h"
#include "korgridlists.h"

class QGridLayout;
class TDesignWindow;
class TPageTableList;

// ---- Factories ----

// The class of control a factory binds.
enum class TControlClass { Any, CheckBox, ComboBox, ColorBox, Edit, Memo, GroupBox };
// The class an unbound control's name asks for (by its suffix).
TControlClass ControlClassOfName(const QString &Name);
// The meta-object of that class of control (QWidget's for Any).
const QMetaObject *ControlClassMetaObject(TControlClass Class);

// What a row's path must name: nothing (select, switch, total row), anything, or a property of
// that kind.
enum class TPathKind {
    None,
    Any,
    Set,
    Ordinal,
    Enumeration,
    Integer,
    Cursor,
    Char,
    Object,
    Color,
    String
};
// Whether a property of that type information is of the kind.
bool PathKindFits(TPathKind Kind, PPropInfo Info);

struct TFactoryDef;
struct TPageRow;
struct TRowArgs;
class TRowBinding;

// A row's factory: compared by identity, read through ->.
class TFactoryRef {
public:
    constexpr TFactoryRef(const TFactoryDef &Def) : m_def(&Def) {}
    constexpr const TFactoryDef *operator->() const { return m_def; }
    constexpr bool operator==(const TFactoryRef &Other) const = default;

private:
    const TFactoryDef *m_def;
};

// One factory of the page rows: its name, the class of control it binds, what its path names,
// how it binds the row's control to the page's list, and whether the builder adds a spinner.
struct TFactoryDef {
    const char *Name;
    TControlClass Class;
    TPathKind Path;
    void (*Bind)(const TRowBinding &Row); // nullptr: the control stays unbound
    bool Spinner = false;
};

// Where an entry goes in its container: below the previous entry, beside it on the same line,
// at the top of a new column, or in the same place as the previous entry (overlapping).
enum class TPlace { Below, Beside, NewColumn, Same };

// A run-time default colour, asked of the grid once when the list is created.
using TGridColorQuery = TColor (*)(QObject *Grid);

// The factory's further arguments.
struct TRowArgs {
    int ElemIndex = 0;
    bool Inverted = false;
    int MinValue = 0;
    int MaxValue = 0;
    TColor DefaultColor = clDefault;
    TColor NoneColor = clNone;
    TGridColorQuery DefaultColorOf = nullptr;
    // Switch items.
    const char *ShowControl = nullptr;
    const char *HideControl = nullptr;
    bool Checked = false;
    const char *HintText = nullptr;
    // Total-row item.
    const char *ResultCheckBox = nullptr;
    const char *ResultGroup = nullptr;
    const char *ColorGroup = nullptr;
    const char *FontGroup = nullptr;
};

constexpr TRowArgs Elem(int Index)
{
    TRowArgs a;
    a.ElemIndex = Index;
    return a;
}
constexpr TRowArgs ElemInverted(int Index)
{
    TRowArgs a;
    a.ElemIndex = Index;
    a.Inverted = true;
    return a;
}
constexpr TRowArgs Inverted()
{
    TRowArgs a;
    a.Inverted = true;
    return a;
}
constexpr TRowArgs Range(int MinValue, int MaxValue)
{
    TRowArgs a;
    a.MinValue = MinValue;
    a.MaxValue = MaxValue;
    return a;
}
constexpr TRowArgs Colors(TColor DefaultColor, TColor NoneColor)
{
    TRowArgs a;
    a.DefaultColor = DefaultColor;
    a.NoneColor = NoneColor;
    return a;
}
// DefaultColor asked of the grid when the list is created.
constexpr TRowArgs RuntimeColors(TGridColorQuery DefaultColorOf, TColor NoneColor)
{
    TRowArgs a;
    a.DefaultColorOf = DefaultColorOf;
    a.NoneColor = NoneColor;
    return a;
}
constexpr TRowArgs Switch(const char *ShowControl, const char *HideControl, bool Checked,
                          const char *HintText)
{
    TRowArgs a;
    a.ShowControl = ShowControl;
    a.HideControl = HideControl;
    a.Checked = Checked;
    a.HintText = HintText;
    return a;
}
constexpr TRowArgs Select(bool Checked, const char *HintText)
{
    TRowArgs a;
    a.Checked = Checked;
    a.HintText = HintText;
    return a;
}
constexpr TRowArgs TotalRow(const char *ResultCheckBox, const char *ResultGroup,
                            const char *ColorGroup, const char *FontGroup)
{
    TRowArgs a;
    a.ResultCheckBox = ResultCheckBox;
    a.ResultGroup = ResultGroup;
    a.ColorGroup = ColorGroup;
    a.FontGroup = FontGroup;
    return a;
}

// A row without further arguments (a row that goes on to its caption or place).
inline constexpr TRowArgs NoArgs{};
// Captions: nullptr is the last segment of the path; these two mean none.
inline constexpr const char *NoLabel = "";
inline constexpr const char *NoCaption = "";
// The group of controls that lie directly on the tab sheet.
inline constexpr const char *OnSheet = "-";

struct TPageRow {
    const char *Control;
    const char *Group;
    TFactoryRef Factory;
    const char *Path;
    TRowArgs Args = {};
    const char *Caption = nullptr;
    TPlace Place = TPlace::Below;
    // With TPlace::Beside: the control (made by an earlier row) in front of whose line this one
    // stands, such as a caption-less check box that switches the use of a colour box.
    const char *BesideOf = nullptr;
};

enum class TGroupKind { GroupBox, ScrollBox, Panel };

struct TPageGroup {
    const char *Name;
    const char *Parent; // OnSheet, another group, or another page's tab sheet (see the top)
    const char *Caption;
    TPlace Place = TPlace::Below;
    TGroupKind Kind = TGroupKind::GroupBox;
};

// What a binding works with: the page's list, the row, and the control the builder made for it.
class TRowBinding {
public:
    TRowBinding(TPageTableList &Page, const TPageRow &Row, QWidget *Control);

    TPropList &List() const;
    // The list as class L; raises EHostError when the page's list is of another class.
    template <class L> L &ListAs() const
    {
        if (auto *list = dynamic_cast<L *>(&List()))
            return *list;
        throw ListClassError(L::staticMetaObject.className());
    }
    const QString &Path() const { return m_path; }
    const TRowArgs &Args() const;
    // The row's own control, of the factory's class; raises EHostError when it is not.
    QWidget *Control() const;
    // Another control of the window by name (nullptr for none), and a named check box.
    QWidget *Named(const char *Name) const;
    QWidget *NamedCheckBox(const char *Name) const;
    // The row's default colour, asked of the grid when the row says so.
    TColor DefaultColor() const;

private:
    EHostError ListClassError(const char *ClassName) const;

    TPageTableList &m_page;
    const TPageRow &m_row;
    QWidget *m_control;
    QString m_path;
};

// Every factory, one line each: name, control class, what the path names, binding, spinner. A
// new factory is one more line here; the builder, the binding and the page tests read it from
// here alone. The lines are kept whole (clang-format off) so that the table reads as a table.
namespace TFactory {
using B = const TRowBinding &;
// clang-format off
inline constexpr TFactoryDef Unbound{"Unbound", TControlClass::Any, TPathKind::None, nullptr};
inline constexpr TFactoryDef AddNoneProp{"AddNoneProp", TControlClass::Any, TPathKind::Any, [](B r) { r.List().AddNoneProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddBoolProp{"AddBoolProp", TControlClass::CheckBox, TPathKind::Ordinal, [](B r) { r.List().AddBoolProp(r.Path(), r.Control(), r.Args().Inverted); }};
inline constexpr TFactoryDef AddGrayProp{"AddGrayProp", TControlClass::CheckBox, TPathKind::Ordinal, [](B r) { r.List().AddGrayProp(r.Path(), r.Control(), r.Args().Inverted); }};
inline constexpr TFactoryDef AddElemProp{"AddElemProp", TControlClass::CheckBox, TPathKind::Set, [](B r) { r.List().AddElemProp(r.Path(), r.Control(), r.Args().ElemIndex, r.Args().Inverted); }};
inline constexpr TFactoryDef AddSelectProp{"AddSelectProp", TControlClass::CheckBox, TPathKind::None, [](B r) { r.List().AddSelectProp(r.Path(), r.Control(), r.Args().Checked, QString::fromUtf8(r.Args().HintText)); }};
inline constexpr TFactoryDef AddSwitchProp{"AddSwitchProp", TControlClass::CheckBox, TPathKind::None, [](B r) { r.List().AddSwitchProp(r.Path(), r.Control(), r.Named(r.Args().ShowControl), r.Named(r.Args().HideControl), r.Args().Checked, QString::fromUtf8(r.Args().HintText)); }};
inline constexpr TFactoryDef AddListProp{"AddListProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.List().AddListProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddEnumProp{"AddEnumProp", TControlClass::ComboBox, TPathKind::Enumeration, [](B r) { r.List().AddEnumProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddCursProp{"AddCursProp", TControlClass::ComboBox, TPathKind::Cursor, [](B r) { r.List().AddCursProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddLinkProp{"AddLinkProp", TControlClass::ComboBox, TPathKind::Object, [](B r) { r.List().AddLinkProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddFontNameProp{"AddFontNameProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.List().AddFontNameProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddFieldNameProp{"AddFieldNameProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.List().AddFieldNameProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddColorProp{"AddColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.List().AddColorProp(r.Path(), r.Control(), r.DefaultColor(), r.Args().NoneColor); }};
inline constexpr TFactoryDef AddBackColorProp{"AddBackColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.List().AddBackColorProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddFontColorProp{"AddFontColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.List().AddFontColorProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddTextProp{"AddTextProp", TControlClass::Edit, TPathKind::String, [](B r) { r.List().AddTextProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddCharProp{"AddCharProp", TControlClass::Edit, TPathKind::Char, [](B r) { r.List().AddCharProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddMemoProp{"AddMemoProp", TControlClass::Memo, TPathKind::Object, [](B r) { r.List().AddMemoProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddValueProp{"AddValueProp", TControlClass::Edit, TPathKind::Integer, [](B r) { r.List().AddValueProp(r.Path(), r.Control(), qint16(r.Args().MinValue), qint16(r.Args().MaxValue)); }, true};
inline constexpr TFactoryDef AddFontSizeProp{"AddFontSizeProp", TControlClass::Edit, TPathKind::Integer, [](B r) { r.List().AddFontSizeProp(r.Path(), r.Control()); }, true};
// Grid lists.
inline constexpr TFactoryDef AddKorDBGridFixedColorProp{"AddKorDBGridFixedColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.ListAs<TKorDBGridPropList>().AddKorDBGridFixedColorProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorDBGridImageIndexProp{"AddKorDBGridImageIndexProp", TControlClass::ComboBox, TPathKind::Integer, [](B r) { r.ListAs<TKorDBGridPropList>().AddKorDBGridImageIndexProp(r.Path(), r.Control()); }};
// Column lists.
inline constexpr TFactoryDef AddKorColumnFieldNameProp{"AddKorColumnFieldNameProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TKorColumnPropList>().AddKorColumnFieldNameProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnFormatProp{"AddKorColumnFormatProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TKorColumnPropList>().AddKorColumnFormatProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnLookupFieldNameProp{"AddKorColumnLookupFieldNameProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TKorColumnPropList>().AddKorColumnLookupFieldNameProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnTitleColorProp{"AddKorColumnTitleColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.ListAs<TKorColumnPropList>().AddKorColumnTitleColorProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnTitleImageIndexProp{"AddKorColumnTitleImageIndexProp", TControlClass::ComboBox, TPathKind::Integer, [](B r) { r.ListAs<TKorColumnPropList>().AddKorColumnTitleImageIndexProp(r.Path(), r.Control()); }};
// Total list.
inline constexpr TFactoryDef AddKorColumnTotalNameProp{"AddKorColumnTotalNameProp", TControlClass::ComboBox, TPathKind::None, [](B r) { r.ListAs<TKorColumnTotalPropList>().AddKorColumnTotalNameProp(r.Control(), r.NamedCheckBox(r.Args().ResultCheckBox), r.Named(r.Args().ResultGroup), r.Named(r.Args().ColorGroup), r.Named(r.Args().FontGroup)); }};
inline constexpr TFactoryDef AddKorColumnTotalColorProp{"AddKorColumnTotalColorProp", TControlClass::ColorBox, TPathKind::Color, [](B r) { r.ListAs<TKorColumnTotalPropList>().AddKorColumnTotalColorProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnTotalFieldNameProp{"AddKorColumnTotalFieldNameProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TKorColumnTotalPropList>().AddKorColumnTotalFieldNameProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnTotalFormatProp{"AddKorColumnTotalFormatProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TKorColumnTotalPropList>().AddKorColumnTotalFormatProp(r.Path(), r.Control()); }};
inline constexpr TFactoryDef AddKorColumnTotalImageIndexProp{"AddKorColumnTotalImageIndexProp", TControlClass::ComboBox, TPathKind::Integer, [](B r) { r.ListAs<TKorColumnTotalPropList>().AddKorColumnTotalImageIndexProp(r.Path(), r.Control()); }};
// Collection list.
inline constexpr TFactoryDef AddCollectionProp{"AddCollectionProp", TControlClass::ComboBox, TPathKind::String, [](B r) { r.ListAs<TCollectionPropList>().AddCollectionProp(r.Path(), r.Control()); }};
// clang-format on
} // namespace TFactory

inline TControlClass FactoryControlClass(TFactoryRef Factory)
{
    return Factory->Class;
}
inline const char *FactoryName(TFactoryRef Factory)
{
    return Factory->Name;
}
// Value items: an edit box with a spinner.
inline bool FactoryHasSpinner(TFactoryRef Factory)
{
    return Factory->Spinner;
}
// Factories whose path names no property of the instance (select, switch, total row).
inline bool FactoryHasNoProperty(TFactoryRef Factory)
{
    return Factory->Path == TPathKind::None;
}

// ---- Rules ----

// The objects a rule reads: the grid (of the column, on column pages), the list's instance, and
// on the total page the chosen total object.
struct TRuleContext {
    TPropList *List = nullptr;
    QObject *Grid = nullptr;
    QObject *Instance = nullptr;
    QObject *TotalItem = nullptr;
};

enum class TSubject { Grid, Instance, TotalItem };

// One leaf of a condition. Besides answering, a term can try to make itself true or false by
// writing the state it reads, which the page tests use to drive every rule both ways.
class TRuleTerm {
public:
    virtual ~TRuleTerm() = default;
    virtual bool Eval(const TRuleContext &Context) const = 0;
    // Writes the state so that Eval answers Value; false when the term cannot do so.
    virtual bool Make(const TRuleContext &Context, bool Value) const = 0;
    virtual QString Text() const = 0;
};

class TCond {
public:
    TCond() = default;
    explicit TCond(std::shared_ptr<const TRuleTerm> Term);

    bool Eval(const TRuleContext &Context) const;
    // The distinct terms, in the order they appear.
    QList<const TRuleTerm *> Terms() const;
    QString Text() const;
    bool IsEmpty() const { return !m_node; }

    friend TCond operator&&(const TCond &A, const TCond &B);
    friend TCond operator||(const TCond &A, const TCond &B);
    friend TCond operator!(const TCond &A);

private:
    struct Node;
    std::shared_ptr<const Node> m_node;
};

// Set element Index of the set property at Path.
TCond ElemOf(TSubject Subject, const char *Path, int Index);
// A Boolean (or any ordinal) property that is not zero.
TCond BoolOf(TSubject Subject, const char *Path);
// An ordinal property whose value is Ordinal.
TCond OrdOf(TSubject Subject, const char *Path, int Ordinal);
// A string property that is not empty.
TCond NotEmptyOf(TSubject Subject, const char *Path);
// An object property that holds an object.
TCond AssignedOf(TSubject Subject, const char *Path);
// A condition with its own reading and writing.
using TFactEval = std::function<bool(const TRuleContext &)>;
using TFactMake = std::function<bool(const TRuleContext &, bool)>;
TCond Fact(const QString &Name, TFactEval Eval, TFactMake Make = {});

// The grid's options: O[n], OX[n], OT[n].
inline TCond O(int Index)
{
    return ElemOf(TSubject::Grid, "Options", Index);
}
inline TCond OX(int Index)
{
    return ElemOf(TSubject::Grid, "OptionsEx", Index);
}
inline TCond OT(int Index)
{
    return ElemOf(TSubject::Grid, "OptionsExt", Index);
}
inline TCond GridElem(const char *Path, int Index)
{
    return ElemOf(TSubject::Grid, Path, Index);
}
inline TCond GridBool(const char *Path)
{
    return BoolOf(TSubject::Grid, Path);
}
inline TCond GridOrd(const char *Path, int Ordinal)
{
    return OrdOf(TSubject::Grid, Path, Ordinal);
}
inline TCond GridNotEmpty(const char *Path)
{
    return NotEmptyOf(TSubject::Grid, Path);
}
inline TCond GridAssigned(const char *Path)
{
    return AssignedOf(TSubject::Grid, Path);
}
// The list's instance (the column on column pages).
inline TCond Elem(const char *Path, int Index)
{
    return ElemOf(TSubject::Instance, Path, Index);
}
inline TCond Bool(const char *Path)
{
    return BoolOf(TSubject::Instance, Path);
}
inline TCond Ord(const char *Path, int Ordinal)
{
    return OrdOf(TSubject::Instance, Path, Ordinal);
}
inline TCond NotEmpty(const char *Path)
{
    return NotEmptyOf(TSubject::Instance, Path);
}
inline TCond Assigned(const char *Path)
{
    return AssignedOf(TSubject::Instance, Path);
}
// The chosen total object (total page).
inline TCond TotalOrd(const char *Path, int Ordinal)
{
    return OrdOf(TSubject::TotalItem, Path, Ordinal);
}
inline TCond TotalBool(const char *Path)
{
    return BoolOf(TSubject::TotalItem, Path);
}
// The grid's columns are customised (TKorDBGridColumns.State has ordinal 1).
TCond ColumnsCustomized();

struct TPageRule {
    QStringList Controls;
    TCond When;
};

// ---- Tables ----

using TPageHook = std::function<void(TPageTableList &Page)>;

struct TPageTable {
    const char *TabSheet = nullptr;
    std::vector<TPageGroup> Groups = {};
    std::vector<TPageRow> Rows = {};
    std::vector<TPageRule> Rules = {};
    // Overrides beside the table.
    TPageHook AfterInit = {};          // after every row is bound
    TPageHook AfterUpdateVisible = {}; // after the base visibility rule
    TPageHook AfterUpdateEnabled = {}; // after the rule rows
    TPageHook BeforeLoad = {};         // before the list loads
    TPageHook AfterLoad = {};          // after the list loaded
    // Controls named in rules whose final state a hook decides.
    QStringList OverriddenControls = {};
};

// ---- Lists built from a table ----

// The control of that name on the designer window Form, of class T; raises EHostError when there
// is none or it is of another class.
template <class T> T *DesignerControl(QWidget *Form, const QString &Name)
{
    QWidget *widget = Form ? Form->findChild<QWidget *>(Name) : nullptr;
    T *control = qobject_cast<T *>(widget);
    if (!control)
        throw EHostError(QStringLiteral("%1 is not a %2 of the designer window")
                             .arg(Name, QString::fromLatin1(T::staticMetaObject.className())));
    return control;
}

// What every page list offers besides its base list class.
class TPageTableList {
public:
    explicit TPageTableList(const TPageTable &Table) : m_table(Table) {}
    virtual ~TPageTableList() = default;

    const TPageTable &Table() const { return m_table; }
    virtual TPropList &List() = 0;
    virtual TRuleContext RuleContext() = 0;

    // The window that holds the page's controls.
    QWidget *Form();
    // The page's tab sheet.
    QWidget *TabSheet();
    // The control of that name on the window, of class T; raises EHostError when there is none
    // or it is of another class.
    template <class T> T *PageControl(const QString &Name)
    {
        return DesignerControl<T>(Form(), Name);
    }
    // The item bound to the control of that name; nullptr when no item of this list is, or
    // while the page is not built.
    TPropItem *Item(const QString &ControlName) const;
    // Applies the table's rule rows (and its AfterUpdateEnabled hook).
    void ApplyRules();

    // A page is built when it is first loaded, not when its list is made: opening the window
    // builds only the page on show. Until then its tab sheet holds no controls and its list no
    // items; the sheet keeps the minimum size the page had when it was last built in this
    // process, so the window is never smaller than what shows every page.
    bool Built() const { return m_built; }
    // Builds the page unless it is built: first the pages that make controls for its sheet, then
    // its own controls, bound, then the table's AfterInit hook and AfterBuild.
    void EnsureBuilt();
    // Run once the page is built (by the root list, for controls that no page table decides).
    TPageHook AfterBuild;

protected:
    // Gives the unbuilt page's tab sheet the minimum size the page had when last built.
    void ReserveSheet();
    void RunHook(const TPageHook &Hook)
    {
        if (Hook)
            Hook(*this);
    }

private:
    QWidget *FindPageWidget(const QString &Name);
    // Builds the controls of every row and group and binds them through the list's factories.
    void BuildPage();
    void Bind(const TPageRow &Row, QWidget *Control);

    const TPageTable &m_table;
    bool m_built = false;
    bool m_building = false;
    QPointer<QWidget> m_tabSheet;
    QHash<QString, TPropItem *> m_itemsByName;
    // Rules resolved to their items at build time.
    std::vector<std::vector<TPropItem *>> m_ruleItems;
};

// Builds every page of the list tree under Root that is not built yet (a walk over all controls).
void BuildAllPages(TPropList *Root);

// A page list over the base list class Base: the table's rows bound when the page is first
// loaded, its hooks around loading and visibility, its rules for the enabled state.
template <class Base> class TPageListOf : public Base, public TPageTableList {
public:
    template <class Subject>
    TPageListOf(TDesignWindow *OwnerForm, Subject *Instance, const TPageTable &Table)
        : Base(OwnerForm, Instance), TPageTableList(Table)
    {
    }

    TPropList &List() override { return *this; }

    void InitPropList() override { ReserveSheet(); }
    void LoadPropList() override
    {
        EnsureBuilt();
        RunHook(Table().BeforeLoad);
        Base::LoadPropList();
        RunHook(Table().AfterLoad);
    }
    void UpdateVisible() override
    {
        Base::UpdateVisible();
        RunHook(Table().AfterUpdateVisible);
    }
    void UpdateEnabled() override { ApplyRules(); }
};

// A grid-level page: the instance is the grid.
class TGridPagePropList : public TPageListOf<TKorDBGridPropList> {
    Q_OBJECT
public:
    using TPageListOf::TPageListOf;
    TRuleContext RuleContext() override;
};

// A column-level page: the instance is the current column.
class TColumnPagePropList : public TPageListOf<TKorColumnPropList> {
    Q_OBJECT
public:
    using TPageListOf::TPageListOf;
    TRuleContext RuleContext() override;
};

// The column's total rows: the instance is the current column, paths start at the chosen row.
class TColumnTotalPagePropList : public TPageListOf<TKorColumnTotalPropList> {
    Q_OBJECT
public:
    using TPageListOf::TPageListOf;
    TRuleContext RuleContext() override;
};

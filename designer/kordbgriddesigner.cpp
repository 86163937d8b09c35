#include "kordbgriddesigner.h"

#include <QApplication>
#include <QLayout>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <utility>

#include "column.h"
#include "controls/checkbox.h"
#include "controls/combobox.h"
#include "controls/label.h"
#include "grid.h"
#include "gridpages.h"
#include "hostmessages.h"
#include "ui_kordbgriddesigner.h"

namespace {

const QString kColumnsTabSheet = QStringLiteral("ColumnsTabSheet");
// The page index of the "Columns" page: after the five pages that shape the grid.
constexpr int kColumnsPageIndex = 5;

// Creates a page list over Instance and adds it to Parent with its tab sheet as control.
template <class L, class Instance> void addPage(TPropList &Parent, Instance *Object)
{
    auto list = TPropList::Create<L>(Parent.OwnerForm, Object);
    QWidget *sheet = list->TabSheet();
    Parent.AddPropList(std::move(list), sheet);
}

// The pages not built at opening are built a moment later, one per turn of the event loop.
constexpr int kIdleBuildDelay = 100;

} // namespace

void ShowKorDBGridDesigner(IDesigner *Designer, TKorDBGrid *Grid, bool UseActiveForm)
{
    QWidget *parentForm = UseActiveForm ? QApplication::activeWindow() : nullptr;
    // A design window is no form: opened from one (the columns editor the double-click has
    // just shown), the designer goes beside the window that one stays above.
    if (auto *window = qobject_cast<TDesignWindow *>(parentForm))
        parentForm = window->OwnerWindow();
    ShowBriskDesignerClass(Designer, Grid, BriskDesignerClass<TKorDBGridDesigner>(), parentForm);
}

// ---- TKorDBGridDesigner ----

TKorDBGridDesigner::TKorDBGridDesigner(QWidget *parent)
    : TBriskDesigner(parent), m_panel(std::make_unique<Ui::TKorDBGridDesignerPanel>())
{
    m_panel->setupUi(Panel1);
    PageControl = m_panel->PageControl;
    ColumnsPageControl = m_panel->ColumnsPageControl;
    m_panel->ColumnDispalyNameLabel->SetFocusControl(m_panel->ColumnDisplayNameComboBox);
    setFocusProxy(PageControl);
    StatusBar1->setSizeGripEnabled(true);
    m_idleBuild.setSingleShot(true);
    connect(&m_idleBuild, &QTimer::timeout, this, &TKorDBGridDesigner::BuildNextPage);
    for (QTabWidget *pages : {PageControl, ColumnsPageControl}) {
        BindPageControl(pages);
        connect(pages, &QTabWidget::currentChanged, this,
                [this, pages](int) { PageControlChange(pages); });
    }
}

TKorDBGridDesigner::~TKorDBGridDesigner() = default;

void TKorDBGridDesigner::FormCreate()
{
    TBriskDesigner::FormCreate();
    // Tabs light up under the mouse.
    for (QTabWidget *pages : {PageControl, ColumnsPageControl})
        pages->tabBar()->setAttribute(Qt::WA_Hover);
    QWidget *columns = DesignerControl<QWidget>(this, kColumnsTabSheet);
    const int from = PageControl->indexOf(columns);
    if (from >= 0 && from != kColumnsPageIndex)
        PageControl->tabBar()->moveTab(from, kColumnsPageIndex);
    PageControl->setCurrentWidget(DesignerControl<QWidget>(this, QStringLiteral("LinksTabSheet")));
    PageControl->setCurrentWidget(DesignerControl<QWidget>(this, QStringLiteral("DesignTabSheet")));
    ColumnsPageControl->setCurrentWidget(
        DesignerControl<QWidget>(this, QStringLiteral("ColumnTabSheet")));
    // The bar commands keep the pages' height and resize the window by the bar; it stays
    // resizable afterwards.
    const std::pair<QAction *, void (TBriskDesigner::*)(QObject *)> barCommands[] = {
        {ToolbarCmd, &TBriskDesigner::ToolBarCmdExecute},
        {TextLabelsCmd, &TBriskDesigner::TextLabelsCmdExecute},
        {StatusBarCmd, &TBriskDesigner::StatusBarCmdExecute},
    };
    for (const auto &[command, execute] : barCommands) {
        UnbindAction(command);
        BindAction(command, [this, execute](QObject *Sender) {
            (this->*execute)(Sender);
            MakeResizable();
        });
    }
}

void TKorDBGridDesigner::CreatePropList()
{
    TComponent *component = Component();
    auto *grid = component ? qobject_cast<TKorDBGrid *>(component->Object()) : nullptr;
    PropList = TPropList::Create<TPageControlPropList>(this, grid);
    MakeResizable();
    m_idleBuild.start(kIdleBuildDelay);
}

void TKorDBGridDesigner::BuildNextPage()
{
    TPropList *root = GetPropList();
    if (!root)
        return;
    QList<TPropList *> lists{root};
    for (qsizetype i = 0; i < lists.size(); ++i) {
        for (int j = 0; j < lists.at(i)->ListCount(); ++j)
            lists.append(lists.at(i)->Lists(j));
        auto *page = dynamic_cast<TPageTableList *>(lists.at(i));
        if (!page || page->Built())
            continue;
        try {
            page->EnsureBuilt();
        } catch (...) {
            HandleHostException();
            return;
        }
        m_idleBuild.start(0);
        return;
    }
}

void TKorDBGridDesigner::MakeResizable()
{
    // Without a minimum of its own the window takes its layout's: the bars and the largest page.
    // A size below that (a first opening, a stored size from a larger font) grows to it.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (QLayout *top = layout()) {
        top->invalidate();
        top->activate();
    }
}

void TKorDBGridDesigner::ReadFormState()
{
    TBriskDesigner::ReadFormState();
    MakeResizable();
    if (EnableAllCmd->isChecked() && PropList)
        PropList->AllEnabled = true;
    if (SaveTabsCmd->isChecked()) {
        ReadTabsOrder(QStringLiteral("Tabs1"), PageControl);
        ReadTabsOrder(QStringLiteral("Tabs2"), ColumnsPageControl);
    }
}

void TKorDBGridDesigner::SaveFormState()
{
    TBriskDesigner::SaveFormState();
    const bool save = SaveTabsCmd->isChecked();
    SaveTabsOrder(QStringLiteral("Tabs1"), save ? PageControl : nullptr);
    SaveTabsOrder(QStringLiteral("Tabs2"), save ? ColumnsPageControl : nullptr);
}

void TKorDBGridDesigner::PageControlChange(QObject *Sender)
{
    auto *pages = qobject_cast<QTabWidget *>(Sender);
    if (!PropList || !pages)
        return;
    try {
        PropList->LoadList(pages->currentWidget());
        SetSelection();
    } catch (...) {
        HandleHostException();
    }
}

// ---- TPageControlPropList ----

void TPageControlPropList::InitPropList()
{
    TKorDBGrid *grid = Instance();
    addPage<TLayoutPropList>(*this, grid);
    addPage<TSpacesPropList>(*this, grid);
    addPage<TSettingsPropList>(*this, grid);
    addPage<TToolMenuPropList>(*this, grid);
    addPage<TDesignPropList>(*this, grid);
    addPage<TColorsPropList>(*this, grid);
    addPage<TFontsPropList>(*this, grid);
    addPage<TControl1PropList>(*this, grid);
    addPage<TControl2PropList>(*this, grid);
    addPage<TFilterPropList>(*this, grid);
    addPage<TSearchPropList>(*this, grid);
    addPage<TTotalsPropList>(*this, grid);
    addPage<TScrollBarsPropList>(*this, grid);
    addPage<THintsPropList>(*this, grid);
    addPage<TLinksPropList>(*this, grid);
    AddPropList(TPropList::Create<TColumnsPropList>(OwnerForm, grid, nullptr),
                DesignerControl<QWidget>(OwnerForm, kColumnsTabSheet));

    // Check boxes that the pages make but no list binds: the grid option "Filter" of the Design
    // page and the filter hints of the Hints page. They are hidden when their page is built.
    const auto hideUnbound = [](TPageTableList &Page) {
        QWidget *sheet = Page.TabSheet();
        for (const char *name :
             {"FilterCheckBox", "FilterHintsCheckBox", "ShowFilterHintsCheckBox"})
            if (sheet->findChild<QWidget *>(QString::fromLatin1(name)))
                Page.PageControl<TCheckBox>(QString::fromLatin1(name))->setVisible(false);
    };
    for (int i = 0; i < ListCount(); ++i)
        if (auto *page = dynamic_cast<TPageTableList *>(Lists(i)))
            page->AfterBuild = hideUnbound;
}

// ---- TColumnsPropList ----

void TColumnsPropList::InitPropList()
{
    AddCollectionProp(
        QStringLiteral("Columns"),
        DesignerControl<TComboBox>(OwnerForm, QStringLiteral("ColumnDisplayNameComboBox")));
    // Every column page starts on the current column (none yet); the column selector hands each
    // newly chosen column to all of them.
    auto *column = qobject_cast<TKorColumn *>(CollItem());
    addPage<TColumnPropList>(*this, column);
    addPage<TColumnTitlePropList>(*this, column);
    addPage<TColumnTotalPropList>(*this, column);
    addPage<TColumnControlPropList>(*this, column);
    addPage<TColumnEditorPropList>(*this, column);
    addPage<TColumnFilterPropList>(*this, column);
    addPage<TColumnPickListPropList>(*this, column);
    addPage<TColumnLookupPropList>(*this, column);
    addPage<TColumnLinksPropList>(*this, column);
}

void TColumnsPropList::UpdateVisible()
{
    TKorDBGrid *grid = Instance();
    SetListVisible(grid && grid->Columns()->State() == Kor::csCustomized);
}

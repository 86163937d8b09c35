#pragma once
// TKorDBGridDesigner: the tabbed tool window in which a grid is edited at design time. Its panel
// holds the page control of the fifteen grid-level pages and the "Columns" page, which holds the
// column selector and the page control of the nine column-level pages. Every page is a property
// list built from its page table (designer/pages); the root list holds them all.

#include <QTimer>
#include <memory>

#include "briskdesigner.h"
#include "collectionlists.h"
#include "korgridlists.h"

class QTabWidget;
class TKorDBGrid;
class TKorColumn;

namespace Ui {
class TKorDBGridDesignerPanel;
}

// Opens (or brings forward) the designer of Grid; beside the active form when UseActiveForm.
void ShowKorDBGridDesigner(IDesigner *Designer, TKorDBGrid *Grid, bool UseActiveForm);

class TKorDBGridDesigner : public TBriskDesigner {
    Q_OBJECT
public:
    explicit TKorDBGridDesigner(QWidget *parent = nullptr);
    ~TKorDBGridDesigner() override;

    QTabWidget *PageControl = nullptr;
    QTabWidget *ColumnsPageControl = nullptr;

    void CreatePropList() override;
    void ReadFormState() override;
    void SaveFormState() override;
    void FormCreate() override;
    // Loads the list of the page that Sender now shows and selects its object in the designer.
    void PageControlChange(QObject *Sender);

private:
    // The window is resizable: never smaller than what shows every page unclipped (its layout
    // keeps that minimum as pages change), as large as the user makes it. The base fixes the
    // size whenever it sets it (reading the form state, the bar commands); this lifts that.
    void MakeResizable();
    // Builds the first page not built yet, and asks for the next turn while any is left: every
    // page is then ready before it is asked for, and the window's minimum size grows to show
    // it. A timer of the window's own, so that nothing of it outlives the window (or its
    // package).
    void BuildNextPage();

    std::unique_ptr<Ui::TKorDBGridDesignerPanel> m_panel;
    QTimer m_idleBuild;
};

// The root list: one list per grid-level page and the columns list.
class TPageControlPropList : public TKorDBGridPropList {
    Q_OBJECT
public:
    using TKorDBGridPropList::TKorDBGridPropList;
    void InitPropList() override;
};

// The "Columns" page: the column selector and the column-level pages, which follow the column
// chosen there.
class TColumnsPropList : public TKorDBGridColumnsPropList {
    Q_OBJECT
public:
    using TKorDBGridColumnsPropList::TKorDBGridColumnsPropList;
    void InitPropList() override;
    // The page shows only while the grid's columns are customised.
    void UpdateVisible() override;
};

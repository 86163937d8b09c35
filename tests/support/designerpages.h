#pragma once
// Walking the grid designer's pages: every page list of the window's list tree, and showing one
// page as the user would (its tab chosen, the "Columns" page first for a column page).

#include <QList>
#include <QTabWidget>

#include "gridpages.h"
#include "kordbgriddesigner.h"

using namespace Qt::StringLiterals;

inline QList<TPageTableList *> DesignerPages(TPropList *List)
{
    QList<TPageTableList *> pages;
    for (int i = 0; List && i < List->ListCount(); ++i) {
        if (auto *page = dynamic_cast<TPageTableList *>(List->Lists(i)))
            pages.append(page);
        pages.append(DesignerPages(List->Lists(i)));
    }
    return pages;
}

// Chooses the page's tab, which loads its list through the window's page-change handler.
inline void ShowDesignerPage(TKorDBGridDesigner *Window, TPageTableList *Page)
{
    QWidget *sheet = Page->TabSheet();
    if (Window->ColumnsPageControl->indexOf(sheet) >= 0) {
        Window->PageControl->setCurrentWidget(Window->findChild<QWidget *>(u"ColumnsTabSheet"_s));
        Window->ColumnsPageControl->setCurrentWidget(sheet);
    } else {
        Window->PageControl->setCurrentWidget(sheet);
    }
}

#pragma once
// TPageBuilder: makes the controls of one page from its table. Each container (the tab sheet, a
// group box, a scroll box, a panel) lays its entries out in columns of lines: a leading control,
// a label and the field; controls without a label take the whole line.

#include <QHash>
#include <QPair>
#include <QString>

#include "pagetable.h"

class QGridLayout;
class QHBoxLayout;
class QLayoutItem;

// One container of a page and the flow of its entries.
struct TPageContainer {
    QWidget *widget = nullptr;  // the named container
    QWidget *content = nullptr; // where its controls go
    const TPageGroup *group = nullptr;
    bool placed = false;
    // A group of another page's sheet (see TPageGroup::Parent).
    bool foreign = false;
    QHBoxLayout *columns = nullptr;
    QGridLayout *column = nullptr;
    int nextRow = 0;
    int lastRow = 0;
    QHBoxLayout *lastField = nullptr;
};

class TPageBuilder {
public:
    // Form, when given, is the designer window, where rows can find controls of other pages.
    TPageBuilder(QWidget *TabSheet, const TPageTable &Table, QWidget *Form = nullptr);

    // Makes every group and lays out the groups on the tab sheet.
    void MakeGroups();
    // Makes the control of a row (and its label and spinner) and puts it into its container;
    // answers the control (the group itself for a group bound as a whole).
    QWidget *MakeRow(const TPageRow &Row);
    // Places the groups that no row reached and lets every column end in free space.
    void Finish();

private:
    QWidget *foreignSheet(const char *Parent) const;
    TPageContainer &containerOf(const char *Name, const QString &User);
    QWidget *widgetOf(const char *Name) const;
    void place(const QString &Name);
    void addEntry(TPageContainer &C, QWidget *Label, QWidget *Control, QWidget *Spinner,
                  TPlace Place, const char *BesideOf = nullptr);
    // Gives the free height of a column to its lines that can use it.
    static void stretchColumn(QGridLayout *Column);
    static bool growsDown(QLayoutItem *Item);

    const TPageTable &m_table;
    QWidget *m_form;
    QHash<QString, TPageContainer> m_containers;
    // The grid and line of every control that starts a line.
    QHash<QString, QPair<QGridLayout *, int>> m_lines;
    // Leading controls whose line is not made yet, by the name of that line's control.
    QHash<QString, QWidget *> m_pendingLeads;
};

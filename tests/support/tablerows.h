// Data rows from a table of structs whose first member is the row's label: one column, "row",
// the row's index in the table.
#pragma once

#include <QTest>
#include <iterator>

template <class Table> void AddTableRows(const Table &Rows)
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(Rows)); ++i)
        QTest::addRow("%s", Rows[i].label) << i;
}

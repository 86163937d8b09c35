#pragma once
// Data-driven tests from one table of row structs: one column "row", one row per entry, named
// by the entry's label member.

#include <QtTest>

template <class Row, std::size_t N> void AddRows(const Row (&Rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row &row : Rows)
        QTest::newRow(row.label) << row;
}

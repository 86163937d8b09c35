#pragma once
// A grid over the workbench's sample customers table (an in-memory SQLite copy), on a form
// designer, with customised columns: each column bound to a field, with its own title caption,
// colour and a total value. Used by the designer benchmark and the page shooter.

#include <QStringList>
#include <memory>

#include "column.h"
#include "columntotal.h"
#include "formdesigner.h"
#include "grid.h"
#include "sqldata.h"

struct TSampleGrid {
    TSQLConnection Connection;
    TSQLDataSet Customers;
    TDataSource Source;
    std::unique_ptr<TFormDesigner> Designer = std::make_unique<TFormDesigner>();
    TKorDBGrid *Grid = nullptr;

    explicit TSampleGrid(int ColumnCount)
    {
        Connection.setDatabaseName(QStringLiteral(":memory:"));
        Connection.Open();
        Connection.ExecuteDirect(QStringLiteral(
            "CREATE TABLE Customers (CustNo INTEGER PRIMARY KEY, Company VARCHAR(40), "
            "City VARCHAR(30), State CHAR(2), Active BOOLEAN, Since DATE, Balance CURRENCY)"));
        Connection.ExecuteDirect(QStringLiteral(
            "INSERT INTO Customers (Company, City, State, Active, Since, Balance) VALUES "
            "('Kansas Outfitters', 'Wichita', 'KS', 1, '2019-04-12', 1520.50),"
            "('Prairie Supply', 'Topeka', 'KS', 1, '2020-09-01', 310.00),"
            "('Lakeside Goods', 'Madison', 'WI', 0, '2017-02-23', 0),"
            "('Harbor Traders', 'Portland', 'OR', 1, '2021-11-30', 9820.75),"
            "('Summit Books', 'Denver', 'CO', 1, '2018-06-15', 450.25)"));
        Customers.setObjectName(QStringLiteral("Customers"));
        Customers.setSQLConnection(&Connection);
        Customers.setCommandText(QStringLiteral("SELECT * FROM Customers ORDER BY CustNo"));
        Customers.Open();
        Source.setDataSet(&Customers);

        Grid = Designer->Create<TKorDBGrid>();
        Grid->setDataSource(&Source);
        Grid->resize(480, 200);
        const QStringList fields{"CustNo", "Company", "City",   "State",
                                 "Active", "Since",   "Balance"};
        Grid->Columns()->BeginUpdate();
        Grid->Columns()->Clear();
        for (int i = 0; i < ColumnCount; ++i) {
            TKorColumn *column = Grid->Columns()->Add();
            column->setFieldName(fields.at(i % fields.size()));
            column->Title()->setCaption(
                QStringLiteral("%1 %2").arg(fields.at(i % fields.size())).arg(i + 1));
            if (i % 3 == 1)
                column->setColor(0xE0F0FF);
            column->TotalValues()->Add();
        }
        Grid->Columns()->EndUpdate();
        Grid->Columns()->setState(Kor::csCustomized);
    }
};

#pragma once
// A small in-memory SQLite database for the run-time package's tests: customers with a lookup
// to their country, each table behind its own data set.

#include "errorof.h"
#include "grid.h"
#include "sqldata.h"

using namespace Qt::StringLiterals;

struct RuntimeFixture {
    TSQLConnection Connection;
    TSQLDataSet Customers;
    TSQLDataSet Countries;
    TDataSource Source;

    RuntimeFixture()
    {
        Connection.setDatabaseName(u":memory:"_s);
        Connection.Open();
        Connection.ExecuteDirect(
            u"CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(30), balance CURRENCY, "
            "born DATE, active BOOLEAN, rating SMALLINT, notes TEXT, score REAL, country_id "
            "INTEGER)"_s);
        Connection.ExecuteDirect(u"INSERT INTO customers VALUES "
                                 "(1, 'Ann', 10.5, '1980-02-03', 1, 3, 'first', 1.5, 1),"
                                 "(2, 'Bob', 20.25, '1975-12-24', 0, 5, NULL, 2.5, 2),"
                                 "(3, 'Cid', 30, NULL, 1, 1, 'third', NULL, 1)"_s);
        Connection.ExecuteDirect(u"CREATE TABLE countries (id INTEGER, title VARCHAR(20))"_s);
        Connection.ExecuteDirect(u"INSERT INTO countries VALUES (1, 'Kansas'), (2, 'Ohio')"_s);
        Customers.setObjectName(u"Customers"_s);
        Customers.setSQLConnection(&Connection);
        Customers.setCommandText(u"SELECT * FROM customers ORDER BY id"_s);
        Countries.setSQLConnection(&Connection);
        Countries.setCommandType(Db::ctTable);
        Countries.setCommandText(u"countries"_s);
        Countries.Open();
        Customers.Open();
        Source.setDataSet(&Customers);
    }

    // Adds the lookup field "country" (customers.country_id -> countries.title).
    TField *AddCountryLookup()
    {
        return Customers.AddLookupField(u"country"_s, &Countries, u"country_id"_s, u"id"_s,
                                        u"title"_s);
    }
};

// The fixture's customers in a grid.
struct GridOnCustomers : RuntimeFixture {
    TKorDBGrid Grid;
    GridOnCustomers() { Grid.setDataSource(&Source); }
};

// The field names of a grid's columns, in order.
inline QStringList ColumnFieldNames(const TKorDBGridColumns &Columns)
{
    QStringList names;
    for (int i = 0; i < Columns.Count(); ++i)
        names.append(Columns.Items(i)->FieldName());
    return names;
}

#pragma once
// A data set whose fields are a list of names, without rows: what the field-name lists of the
// grid and the editors offer, at any size.

#include <QStringList>
#include <utility>
#include <vector>

#include "db.h"

class TNamesDataSet : public TDataSet {
public:
    explicit TNamesDataSet(QStringList Names) : m_names(std::move(Names)) {}

protected:
    void InternalOpen(std::vector<FieldDesc> &Columns, std::vector<QVariantList> &, bool) override
    {
        for (const QString &name : m_names)
            Columns.push_back({name, Db::ftString, 20});
    }

private:
    QStringList m_names;
};

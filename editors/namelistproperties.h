#pragma once
// Object Inspector editors that turn free-text name properties into drop-down lists of valid
// names: the grids that may serve as a master grid, the columns of a linked grid, and the
// fields of the data set a property refers to. Every decision uses the first edited object; the
// developer may still type any name.

#include "propedit.h"

class TDataSet;

// A grid's MasterGrid: the host's list of grids without the edited grid and every grid that has
// it somewhere in its chain of master grids.
class TKorDBGridMasterGridProperty : public TComponentProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridMasterGridProperty(const TPropertyEditorArgs &Args);
    void GetValues(const TGetStrProc &Proc) override;

private:
    void FilterProc(const QString &Name);

    // The callback of the GetValues call in progress; empty outside it.
    TGetStrProc FProc;
};

// A data editor's DataColumn: the display names of its grid's columns that show a field.
class TKorDBGridColumnNameProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridColumnNameProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
};

// The field names of GetDataSet, in the data set's order (the inspector sorts them).
class TKorDBGridFieldNameProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridFieldNameProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    // The data set whose fields are listed: that of the edited editor's, grid's, column grid's
    // or tree view grid's data source; nullptr when there is none.
    virtual TDataSet *GetDataSet();
};

// The lookup data set of the edited column or editor.
class TKorDBGridLookupFieldNameProperty : public TKorDBGridFieldNameProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridLookupFieldNameProperty(const TPropertyEditorArgs &Args);
    TDataSet *GetDataSet() override;
};

// The lookup data set of the edited column.
class TKorDBGridLookupKeyFieldProperty : public TKorDBGridFieldNameProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridLookupKeyFieldProperty(const TPropertyEditorArgs &Args);
    TDataSet *GetDataSet() override;
};

// The lookup data set of the edited column's field when that is a lookup field, else the
// column's own lookup data set.
class TKorDBGridLookupListFieldProperty : public TKorDBGridFieldNameProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridLookupListFieldProperty(const TPropertyEditorArgs &Args);
    TDataSet *GetDataSet() override;
};

// A total's FieldName: by the calculation kind of a total value, the grid's data set (current
// field, calculated value) or nothing (other kinds); the totals' data set for a totals-record
// value and for every stand-alone total row.
class TKorDBGridTotalFieldNameProperty : public TKorDBGridFieldNameProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridTotalFieldNameProperty(const TPropertyEditorArgs &Args);
    TDataSet *GetDataSet() override;
};

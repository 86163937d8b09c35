#pragma once
// The Object Inspector's rows as a tree model: one row per published property of the selected
// objects, each served by the property editor the host's registrations choose, with nested rows
// for sub-objects and set elements (loaded when first expanded). Column 0 is the name, column 1
// the value. Arranged by name (alphabetically) or by category (one group row per category
// registered with RegisterPropertiesInCategory; a property may sit in several).

#include <QAbstractItemModel>
#include <QList>
#include <QPointer>
#include <memory>
#include <vector>

#include "propedit.h"

class IDesigner;

class TInspectorModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Roles {
        EditorRole = Qt::UserRole + 1, // TPropertyEditor * as void *
        AttributesRole,                // TPropertyAttributes as int
        IsDefaultRole,                 // bool
        IsCategoryRole,                // bool
    };
    enum class TArrangement { ByName, ByCategory };
    enum class TPage { Properties, Events };

    explicit TInspectorModel(QObject *Parent = nullptr);
    ~TInspectorModel() override;

    void SetDesigner(IDesigner *Designer) { m_designer = Designer; }
    IDesigner *Designer() const { return m_designer; }
    // Builds the rows for Selection: the properties every selected object shares (same name,
    // type and editor), each row editing all of them at once.
    void SetSelection(const QList<QObject *> &Selection);
    QList<QObject *> Selection() const;
    void SetArrangement(TArrangement Arrangement);
    TArrangement Arrangement() const { return m_arrangement; }
    void SetPage(TPage Page);
    TPage Page() const { return m_page; }
    // Re-reads every value; starts over when an edited object has gone.
    void RefreshValues();

    // The editor of a row, or nullptr for a category row.
    TPropertyEditor *EditorAt(const QModelIndex &Index) const;
    // Writes Text through the row's editor; an error is reported and the old value shown again.
    // Answers whether the value was written.
    bool Commit(const QModelIndex &Index, const QString &Text);
    // Runs the row's Edit (dialog, or the next value of a list); errors are reported.
    void Edit(const QModelIndex &Index);
    // The row of a property by its path of names ("Gradient.EndColor"), loading nested rows.
    QModelIndex FindRow(const QString &Path);

    QModelIndex index(int Row, int Column, const QModelIndex &Parent = {}) const override;
    QModelIndex parent(const QModelIndex &Child) const override;
    int rowCount(const QModelIndex &Parent = {}) const override;
    int columnCount(const QModelIndex &Parent = {}) const override;
    bool hasChildren(const QModelIndex &Parent = {}) const override;
    bool canFetchMore(const QModelIndex &Parent) const override;
    void fetchMore(const QModelIndex &Parent) override;
    QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &Index, const QVariant &Value, int Role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &Index) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &Index) const;
    QModelIndex indexOf(Node *Node, int Column = 0) const;
    void rebuild();
    void addRows(Node *Parent, std::vector<std::unique_ptr<TPropertyEditor>> Editors);
    void readNode(Node *Node);
    void refreshChildren(Node *Parent);

    IDesigner *m_designer = nullptr;
    QList<QPointer<QObject>> m_selection;
    std::unique_ptr<Node> m_root;
    TArrangement m_arrangement = TArrangement::ByName;
    TPage m_page = TPage::Properties;
};

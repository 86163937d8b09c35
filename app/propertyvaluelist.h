#pragma once
// The drop-down list of an Object Inspector row: the values its property editor offers, asked
// for when the list opens, sorted when the editor wants it, sized with the editor's
// ListMeasureWidth and ListMeasureHeight and drawn with its ListDrawValue.

#include <QAbstractListModel>
#include <QFrame>
#include <QPointer>
#include <functional>
#include <vector>

#include "propedit.h"

class QListView;

class TInspectorValueListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void SetValues(QStringList Values, std::vector<int> Heights, int Width);
    const QStringList &Values() const { return m_values; }
    bool IsUniform() const { return m_heights.empty(); }
    int rowCount(const QModelIndex &Parent = {}) const override;
    QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;

private:
    QStringList m_values;
    std::vector<int> m_heights; // empty when every row has the same height
    int m_rowHeight = 0;
    int m_width = 0;
};

class TInspectorValueList : public QFrame {
    Q_OBJECT
public:
    TInspectorValueList(TPropertyEditor *Editor, const QFont &Font, QWidget *Parent = nullptr);
    ~TInspectorValueList() override;

    // Asks the editor for its values and measures them; Current becomes the current entry.
    void Load(const QString &Current);
    const QStringList &Values() const { return m_model->Values(); }
    // The width the widest entry needs, scroll bar and frame included.
    int PreferredWidth() const { return m_preferredWidth; }
    int PreferredHeight(int MaxRows) const;
    QListView *View() const { return m_view; }
    // Shows the list as a pop-up under Anchor, at least as wide as Anchor.
    void Popup(QWidget *Anchor, int MaxRows = 8);

    // Called with the chosen value (click, Enter); the list then closes.
    std::function<void(const QString &Value)> OnChoose;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void choose(const QModelIndex &Index);

    QPointer<TPropertyEditor> m_editor;
    TInspectorValueListModel *m_model;
    QListView *m_view;
    int m_preferredWidth = 0;
};

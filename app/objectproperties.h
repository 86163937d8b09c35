#pragma once
// The workbench's Object Inspector: the properties (or the events) of the selected objects, one
// row per published property, each drawn and edited through the property editor the host's
// registrations choose. Several selected objects are edited together, in the properties they
// all share. The rows are arranged by name or by category, and filtered by part of a name.

#include <QList>
#include <QPersistentModelIndex>
#include <QWidget>

#include "propertyrowmodel.h"

class IDesigner;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabBar;
class QTreeView;
class TInspectorDelegate;

class TObjectInspector : public QWidget {
    Q_OBJECT
public:
    explicit TObjectInspector(QWidget *parent = nullptr);
    ~TObjectInspector() override;

    void SetDesigner(IDesigner *Designer);
    // Shows the properties of Selection (nothing for an empty selection).
    void SetSelection(const QList<QObject *> &Selection);
    // Re-reads every shown value (after the design was modified).
    void RefreshValues();

    TInspectorModel *Model() const { return m_model; }
    QTreeView *View() const { return m_view; }
    QTabBar *Tabs() const { return m_tabs; }
    QComboBox *ArrangeBox() const { return m_arrange; }
    QLineEdit *FilterBox() const { return m_filter; }
    // Shows only the rows whose name contains Text (without regard to case), with the category
    // and the parent rows of each; an empty text shows every row again, opened as before.
    void SetFilter(const QString &Text);
    // The widths of the columns, as the user left them; restoring keeps them from then on
    // (the name column no longer fits its rows, the value column no longer fills the rest of
    // the view). Answers false for state that does not read.
    QByteArray SaveColumns() const;
    bool RestoreColumns(const QByteArray &State);
    // Selects the row of a property path and opens its value editor; answers the row.
    QModelIndex EditRow(const QString &Path);

private:
    void showCaption();
    void rowsShown();
    void applyFilter();
    bool filterRows(const QModelIndex &Parent, bool ShowAll, int Depth);
    void fitValueColumn();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    TInspectorModel *m_model;
    TInspectorDelegate *m_delegate;
    QLabel *m_caption;
    QTabBar *m_tabs;
    QComboBox *m_arrange;
    QLineEdit *m_filter;
    QTreeView *m_view;
    // The name column fits its rows until the user sizes it (or a kept width is restored).
    bool m_nameWidthKept = false;
    bool m_fittingNames = false;
    // The value column fills the rest of the view until the user sizes it.
    bool m_valueWidthKept = false;
    bool m_fittingValues = false;
    bool m_filtering = false;
    // Rows the filter opened to show a matching row inside; closed again when it is cleared.
    QList<QPersistentModelIndex> m_openedByFilter;
};

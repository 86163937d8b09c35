#pragma once
// The workbench's Object Inspector: the properties (or the events) of the selected objects, one
// row per published property, each drawn and edited through the property editor the host's
// registrations choose. Several selected objects are edited together, in the properties they
// all share. The rows are arranged by name or by category.

#include <QList>
#include <QWidget>

#include "propertyrowmodel.h"

class IDesigner;
class QComboBox;
class QLabel;
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
    // The widths of the columns, as the user left them; restoring keeps them from then on
    // (the name column no longer fits its rows). Answers false for state that does not read.
    QByteArray SaveColumns() const;
    bool RestoreColumns(const QByteArray &State);
    // Selects the row of a property path and opens its value editor; answers the row.
    QModelIndex EditRow(const QString &Path);

private:
    void showCaption();
    void rowsShown();

    TInspectorModel *m_model;
    TInspectorDelegate *m_delegate;
    QLabel *m_caption;
    QTabBar *m_tabs;
    QComboBox *m_arrange;
    QTreeView *m_view;
    // The name column fits its rows until the user sizes it (or a kept width is restored).
    bool m_nameWidthKept = false;
    bool m_fittingNames = false;
};

#pragma once
// The workbench's object inspector: one row per published property of the selected objects,
// each served by the property editor the host finds for it (registered or default).

#include <QList>
#include <QPointer>
#include <QTreeWidget>
#include <memory>
#include <vector>

class IDesigner;
class TPropertyEditor;

class TObjectInspector : public QTreeWidget {
    Q_OBJECT
public:
    explicit TObjectInspector(QWidget *parent = nullptr);
    ~TObjectInspector() override;

    void SetDesigner(IDesigner *Designer) { m_designer = Designer; }
    // Shows the properties of Selection (nothing for an empty selection).
    void SetSelection(const QList<QObject *> &Selection);
    // Re-reads every shown value (after the design was modified).
    void RefreshValues();

private:
    void addEditor(QTreeWidgetItem *parent, std::unique_ptr<TPropertyEditor> editor);
    void commit(QTreeWidgetItem *item, const QString &text);
    void openEditor(QTreeWidgetItem *item);
    TPropertyEditor *editorOf(QTreeWidgetItem *item) const;

    IDesigner *m_designer = nullptr;
    QList<QPointer<QObject>> m_selection;
    std::vector<std::unique_ptr<TPropertyEditor>> m_editors;
    bool m_filling = false;
};

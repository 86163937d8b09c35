#pragma once
// The workbench's main window: a palette of the registered components, the form being designed,
// its component list, the object inspector, and what the loaded packages registered.

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "designintf.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TFormDesigner;
class TObjectInspector;
class TComponent;

class TWorkbenchWindow : public QMainWindow, public IDesignNotification {
    Q_OBJECT
public:
    explicit TWorkbenchWindow(QWidget *parent = nullptr);
    ~TWorkbenchWindow() override;

    TFormDesigner *FormDesigner() const { return m_designer.get(); }
    // Loads a design-time package module; errors are reported, not thrown.
    void LoadDesignPackage(const QString &FileName);
    // Shown to the user as the database a TSQLConnection can open.
    void SetSampleDatabase(const QString &Path);

    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemInserted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;
    void SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection) override;
    void DesignerOpened(IDesigner *ADesigner, bool AResurrecting) override;
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;

protected:
    // Closing the workbench ends the session, design windows still open included.
    void closeEvent(QCloseEvent *Event) override;

private:
    void buildUi();
    void refreshPalette();
    void refreshRegistrations();
    void refreshComponents();
    void placeComponent(const QMetaObject *Class);
    void showComponentMenu(const QPoint &Pos);
    // A double-click: the component's editor does what it does for one.
    void editComponent(TComponent *Component);
    TComponent *componentOf(QTreeWidgetItem *Item) const;
    // A component that is not a control shows as a small marker on the form.
    void addMarker(TComponent *Component);
    void refreshMarkers();

    std::unique_ptr<TFormDesigner> m_designer;
    QTreeWidget *m_palette = nullptr;
    QTreeWidget *m_components = nullptr;
    TObjectInspector *m_inspector = nullptr;
    QPlainTextEdit *m_registrations = nullptr;
    struct Marker {
        QPointer<QObject> component;
        QPointer<QLabel> label;
    };
    QList<Marker> m_markers;
    int m_placed = 0;
};

#pragma once
// The workbench's main window: the form being designed (its surface), a palette of the
// registered components, the form's component list, the object inspector, what the loaded
// packages registered, the File, Edit and View menus, and the Arrange tool bar.

#include <QMainWindow>
#include <memory>

#include "designintf.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TComponent;
class TFormDesigner;
class TFormDocument;
class TFormSurface;
class TObjectInspector;

class TWorkbenchWindow : public QMainWindow, public IDesignNotification {
    Q_OBJECT
public:
    explicit TWorkbenchWindow(QWidget *parent = nullptr);
    ~TWorkbenchWindow() override;

    TFormDocument *Document() const { return m_document.get(); }
    TFormSurface *Surface() const { return m_surface; }
    TObjectInspector *Inspector() const { return m_inspector; }
    // The designer of the form now open (a new one after New and Open).
    TFormDesigner *FormDesigner() const;
    QTreeWidget *Palette() const { return m_palette; }
    QTreeWidget *ComponentList() const { return m_components; }

    // Loads a design-time package module; errors are reported, not thrown.
    void LoadDesignPackage(const QString &FileName);
    // Shown to the user as the database a TSQLConnection can open.
    void SetSampleDatabase(const QString &Path);

    // The File menu's commands. Each answers whether it was done (not cancelled, no error).
    bool NewForm();
    bool OpenForm(const QString &FileName = QString());
    bool SaveForm();
    bool SaveFormAs();
    // With unsaved changes, asks whether to save them: true when the form may go (saved or
    // discarded), false when the user cancels or the save fails.
    bool MaybeSave();

    void ItemDeleted(IDesigner *ADesigner, QObject *Item) override;
    void ItemInserted(IDesigner *ADesigner, QObject *Item) override;
    void ItemsModified(IDesigner *ADesigner) override;
    void SelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection) override;
    void DesignerClosed(IDesigner *ADesigner, bool AGoingDormant) override;

protected:
    // Closing asks about unsaved changes first; then it ends the session, design windows
    // still open included.
    void closeEvent(QCloseEvent *Event) override;

private:
    void buildUi();
    void buildMenus();
    void refreshPalette();
    void refreshRegistrations();
    void refreshComponents();
    void refreshTitle();
    void refreshRecentFiles();
    void refreshEditActions();
    void showSelectionInList(const QList<QObject *> &Selection);
    void designerReplaced();
    void showComponentMenu(const QPoint &Pos);
    TComponent *componentOf(QTreeWidgetItem *Item) const;
    bool saveTo(const QString &FileName);
    // The window's size and place, its dock layout and the column widths of its lists, kept
    // per user in the settings store: restored when the window is built, saved when it closes.
    void restoreWindowState();
    void saveWindowState();
    // The folder the file dialogs start in: that of the form open now, else of the form opened
    // last; empty when there was none.
    QString formFolder() const;
    // Opens a file of the Recent Files menu; for one that is gone, offers to drop it from the
    // list.
    void openRecentFile(const QString &FileName);
    // Tells on the status bar of grid columns among Selection whose fields are missing.
    void showMissingFields(const QList<QObject *> &Selection);
    // The same for every grid of the form, once it is opened.
    void showFormMissingFields();

    std::unique_ptr<TFormDocument> m_document;
    TFormSurface *m_surface = nullptr;
    QTreeWidget *m_palette = nullptr;
    QTreeWidget *m_components = nullptr;
    TObjectInspector *m_inspector = nullptr;
    QPlainTextEdit *m_registrations = nullptr;
    QLabel *m_database = nullptr;
    IDesigner *m_listedDesigner = nullptr; // the designer whose components are listed
    QMenu *m_recentMenu = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_deleteAction = nullptr;
    // Once the user has sized the component list's columns (now or in an earlier session),
    // refreshing the list no longer fits them to their contents.
    bool m_componentColumnsKept = false;
    bool m_fittingComponentColumns = false;
};

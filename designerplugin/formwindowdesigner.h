#pragma once
// TFormWindowDesigner: the package's IDesigner over one of Qt Designer's form windows.
//
// Its root component (GetRoot) stands for the form: it owns, as a TComponent owner and not as a
// QObject parent, the component of every widget the form window manages, so the package finds
// them by name. Changes flow both ways:
// - Modified writes every property that changed since the form last changed through Designer
//   (the component's formText and its plain properties) through Designer's property sheets, as
//   one step of the form's undo stack named after the change (see changenames.h) that never
//   merges with the next, so Designer's undo, property editor and saved .ui follow; then
//   ItemsModified goes out. Activate makes the form the current one and nothing more.
// - Every change Designer makes (a property edited in its property editor, undo, redo) reaches
//   the design windows as ItemsModified; its selection as SelectionChanged; a widget it removes
//   as ItemDeleted (windows editing it close); the form window going as DesignerClosed.
// Renaming a widget in Designer renames its component (a placeholder's component follows the
// placeholder's name).

#include <QDesignerFormWindowInterface>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <memory>

#include "designintf.h"

class QDesignerPropertySheetExtension;
class QWidget;
class TFormRoot;
class TCommandWatcher;

class TFormWindowDesigner : public QObject, public IDesigner {
    Q_OBJECT
public:
    explicit TFormWindowDesigner(QDesignerFormWindowInterface *FormWindow);
    // Closes first (see Close).
    ~TFormWindowDesigner() override;

    QDesignerFormWindowInterface *FormWindow() const { return m_formWindow.data(); }
    // Sends DesignerClosed once and lets go of the form's components; later calls do nothing.
    void Close();
    bool IsClosed() const { return m_closed; }
    // Takes the form's values as they are now as the base that Modified compares with.
    void TakeSnapshot();

    // IDesigner
    void Activate() override;
    // Compares every package widget with the snapshot.
    void Modified() override;
    // Compares only the widgets that stand for the named objects (a column stands by its grid),
    // or every widget when one of them stands for none.
    void ObjectsModified(const QList<QObject *> &Objects) override;
    void SelectComponent(QObject *Instance) override;
    QList<QObject *> CreateSelectionList() const override { return {}; }
    void SetSelections(const QList<QObject *> &List) override;
    QList<QObject *> GetSelections() const override;
    void GetComponentNames(const QMetaObject *Class,
                           const std::function<void(const QString &)> &Proc) const override;
    TComponent *GetComponent(const QString &Name) const override;
    QString GetComponentName(const TComponent *Component) const override;
    TComponent *GetRoot() const override;

private:
    // One value of a widget: as read from the widget, and as Designer's property sheet holds it.
    struct TValue {
        QString Name;
        QVariant Raw;
        QVariant Sheet;
    };
    // In the order of the widget's properties.
    using TValues = QList<TValue>;
    struct TTracked {
        QPointer<QWidget> Widget;
        QPointer<QObject> ComponentObject;
        TComponent *Component = nullptr;
        TValues Values;
    };

    QDesignerPropertySheetExtension *sheetOf(QWidget *Widget) const;
    TValues readValues(QWidget *Widget) const;
    void trackAll();
    void untranslateFormText(QWidget *Widget);
    void track(QWidget *Widget);
    void untrack(QWidget *Widget);
    qsizetype indexOf(const QWidget *Widget) const;
    // The widget that stands for Instance on the form: its component's widget, or that of the
    // nearest component owning it; the main container for the root.
    QWidget *widgetOf(QObject *Instance) const;
    TComponent *componentOf(QWidget *Widget) const;
    void selectInDesigner(const QList<QObject *> &List);
    void designerSelectionChanged();
    void historyChanged();
    void mainContainerChanged(QWidget *Container);
    void fileNameChanged(const QString &FileName);

    QPointer<QDesignerFormWindowInterface> m_formWindow;
    std::unique_ptr<TFormRoot> m_root;
    // Names the steps after the command a person gave in a package window.
    std::unique_ptr<TCommandWatcher> m_commands;
    QList<TTracked> m_tracked;
    QList<QPointer<QObject>> m_selection;
    // The root's name follows the main container's.
    QMetaObject::Connection m_rootName;
    bool m_closed = false;
    // Set while this designer itself pushes commands or selects widgets in Designer.
    bool m_writing = false;
    bool m_selecting = false;
};

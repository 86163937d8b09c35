#pragma once
// The task menu of a package widget in Qt Designer: the verbs of its component's editor (the
// About box, the columns editor, the grid designer, ...). The editor is made for each use and
// freed after, as the host does for a context menu; a verb runs against the IDesigner of the
// widget's form window.

#include <QDesignerTaskMenuExtension>
#include <QExtensionFactory>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

class TVerbTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    TVerbTaskMenu(QWidget *Widget, QObject *Parent);
    ~TVerbTaskMenu() override;

    // What Designer runs on a double-click: the component editor's Edit, when the package
    // registered an editor for the component. The base editor's Edit would write an event
    // handler, which a .ui form has no code for, so Designer's own double-click stays then.
    QAction *preferredEditAction() const override;
    // The verbs as the editor names them now; "-" is a separator. A component with links gets
    // "Links..." after them (see TLinksDialog).
    QList<QAction *> taskActions() const override;

    // Runs verb Index of the widget's component editor; errors are reported by the host.
    void RunVerb(int Index) const;
    // Runs the component editor's Edit, as a double-click in the host does.
    void RunEdit() const;
    // Opens the links window of the widget's component.
    void OpenLinks() const;

private:
    // Runs Action with an editor of the widget's component and the designer of its form; errors
    // are reported.
    template <typename Action> void withEditor(Action &&Run) const;

    QPointer<QWidget> m_widget;
    QAction *m_editAction;     // a child of this
    QAction *m_linksAction;    // a child of this
    QAction *m_linksSeparator; // a child of this
    mutable QList<QAction *> m_actions;
};

// Makes a TVerbTaskMenu for every widget that stands for a component.
class TVerbTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT
public:
    explicit TVerbTaskMenuFactory(QExtensionManager *Parent);

protected:
    QObject *createExtension(QObject *Object, const QString &Iid, QObject *Parent) const override;
};

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

    QAction *preferredEditAction() const override { return nullptr; }
    // The verbs as the editor names them now; "-" is a separator.
    QList<QAction *> taskActions() const override;

    // Runs verb Index of the widget's component editor; errors are reported by the host.
    void RunVerb(int Index) const;

private:
    QPointer<QWidget> m_widget;
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

#pragma once
// The form designer interface that design windows and editors hold, and the design
// notifications the host sends to every open design window.

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "korhost_export.h"

class TComponent;

// One per open form. Package windows hold it while they edit a component of that form.
class KORHOST_EXPORT IDesigner {
public:
    virtual ~IDesigner();

    // Brings the form being designed forward.
    virtual void Activate() = 0;
    // Called after every change written to a component of the form; the designer answers
    // with ItemsModified to every design window.
    virtual void Modified() = 0;
    // Modified, for a change written to Objects only (components, or objects of theirs: a
    // column, a font), as a property editor writes; a designer that keeps what each change
    // touched need look at no others. By default the same as Modified.
    virtual void ObjectsModified(const QList<QObject *> &Objects)
    {
        Q_UNUSED(Objects);
        Modified();
    }
    // Selects one persistent object (a component, a column, a title, ...) in the inspector.
    virtual void SelectComponent(QObject *Instance) = 0;
    virtual QList<QObject *> CreateSelectionList() const { return {}; }
    virtual void SetSelections(const QList<QObject *> &List) = 0;
    virtual QList<QObject *> GetSelections() const = 0;
    // Names of the form's components that inherit Class, in creation order.
    virtual void GetComponentNames(const QMetaObject *Class,
                                   const std::function<void(const QString &)> &Proc) const = 0;
    virtual TComponent *GetComponent(const QString &Name) const = 0;
    virtual QString GetComponentName(const TComponent *Component) const = 0;
    // The form (the root component) being designed.
    virtual TComponent *GetRoot() const = 0;
};

// What a design window hears from the host. Every registered listener receives every notice;
// each notice does nothing unless the listener overrides it, so a listener names only the
// notices it acts on.
class KORHOST_EXPORT IDesignNotification {
public:
    virtual ~IDesignNotification();

    virtual void ItemDeleted(IDesigner * /*ADesigner*/, QObject * /*Item*/) {}
    virtual void ItemInserted(IDesigner * /*ADesigner*/, QObject * /*Item*/) {}
    virtual void ItemsModified(IDesigner * /*ADesigner*/) {}
    virtual void SelectionChanged(IDesigner * /*ADesigner*/, const QList<QObject *> & /*Selection*/)
    {
    }
    virtual void DesignerOpened(IDesigner * /*ADesigner*/, bool /*AResurrecting*/) {}
    virtual void DesignerClosed(IDesigner * /*ADesigner*/, bool /*AGoingDormant*/) {}
};

// The host's list of notification listeners. A listener registers while it is open and
// unregisters before it goes; a listener that unregisters during a broadcast is skipped.
KORHOST_EXPORT void RegisterDesignNotification(IDesignNotification *Listener);
KORHOST_EXPORT void UnregisterDesignNotification(IDesignNotification *Listener);
KORHOST_EXPORT void NotifyItemDeleted(IDesigner *ADesigner, QObject *Item);
KORHOST_EXPORT void NotifyItemInserted(IDesigner *ADesigner, QObject *Item);
KORHOST_EXPORT void NotifyItemsModified(IDesigner *ADesigner);
KORHOST_EXPORT void NotifySelectionChanged(IDesigner *ADesigner, const QList<QObject *> &Selection);
KORHOST_EXPORT void NotifyDesignerOpened(IDesigner *ADesigner, bool AResurrecting);
KORHOST_EXPORT void NotifyDesignerClosed(IDesigner *ADesigner, bool AGoingDormant);

// The environment's base registry key, e.g. "Software\Kor\DesignHost\3.0". Settings stores
// opened under it live in the per-user settings folder (see regini.h).
KORHOST_EXPORT QString BaseRegistryKey();
KORHOST_EXPORT void SetBaseRegistryKey(const QString &Key);

#pragma once
// The component model: TPersistent (assignable, named by path) and TComponent (a named object
// with an owner that owns it, and notifications when a component it cares about goes away).
//
// Both are mixins beside QObject rather than QObject subclasses: a grid is a QWidget and a data
// source a plain QObject, and both must be components. Every TPersistent is also a QObject; the
// most derived class lists QObject (or a QObject subclass) first.

#include <QList>
#include <QObject>
#include <QString>

#include "korhost_export.h"

class TComponent;

class KORHOST_EXPORT TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent &) = delete;
    TPersistent &operator=(const TPersistent &) = delete;
    virtual ~TPersistent();

    // The QObject this persistent object is; never null for a correctly derived class.
    QObject *Object();
    const QObject *Object() const;

    // Copies Source into this object. The base asks Source to AssignTo this, which by default
    // raises EConvertError naming both classes.
    virtual void Assign(const TPersistent *Source);
    virtual QString GetNamePath() const;
    virtual TPersistent *GetOwner() const { return nullptr; }
    QString ClassName() const;

protected:
    virtual void AssignTo(TPersistent *Dest) const;
};

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag {
    csLoading = 0x1,
    csReading = 0x2,
    csWriting = 0x4,
    csDestroying = 0x8,
    csDesigning = 0x10,
};

class KORHOST_EXPORT TComponent : public TPersistent {
public:
    explicit TComponent(TComponent *AOwner = nullptr);
    ~TComponent() override;

    QString Name() const;
    // Raises EComponentError, keeping the old name, when another component of the same owner
    // has the name (letter case ignored). A component being designed (csDesigning, or owned by
    // a component being designed) must also have a name that is an identifier
    // (IsValidComponentName) and that no other component of its design has: neither the root
    // (the topmost owner) nor anything the root owns, at any depth; each refusal says which rule
    // the name breaks. Run-time components may
    // stay unnamed.
    void SetName(const QString &NewName);
    // Raises EComponentError, saying which rule is broken, when this component could not be
    // named NewName as a designed component (see SetName).
    void CheckDesignName(const QString &NewName) const;

    TComponent *Owner() const { return m_owner; }
    int ComponentCount() const { return int(m_components.size()); }
    TComponent *Components(int Index) const;
    int ComponentIndex() const;
    // Moves this component to Value in its owner's list (clamped to the list); the owner's
    // other components keep their order.
    void SetComponentIndex(int Value);
    TComponent *FindComponent(const QString &AName) const;

    void InsertComponent(TComponent *AComponent);
    void RemoveComponent(TComponent *AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();

    // Asks to be told (through Notification with opRemove) when AComponent is destroyed.
    void FreeNotification(TComponent *AComponent);
    void RemoveFreeNotification(TComponent *AComponent);

    int ComponentState() const { return m_state; }
    bool IsDesigning() const { return m_state & csDesigning; }
    // Marks this component and everything it owns as being designed.
    void SetDesigning(bool Value);

    TPersistent *GetOwner() const override { return m_owner; }
    QString GetNamePath() const override { return Name(); }

protected:
    virtual void Notification(TComponent *AComponent, TOperation Operation);

private:
    // The component named AName (letter case ignored) among those this one owns, at any depth,
    // other than Except; nullptr when there is none.
    const TComponent *findBelow(const QString &AName, const TComponent *Except) const;
    void insertInto(TComponent *owner);
    void removeFromOwner();

    TComponent *m_owner = nullptr;
    QList<TComponent *> m_components;
    QList<TComponent *> m_freeNotifies;
    int m_state = 0;
};

// Whether Name can name a designed component: a letter or '_' first, then letters, digits and
// '_' (ASCII letters only, as in source code).
KORHOST_EXPORT bool IsValidComponentName(const QString &Name);

// A class whose components can be owned only by components of one class (a field by a data
// set) names that class in its class information "OwnerClass". OwnerClassOf answers it, or an
// empty string when any component may own one; CanOwn whether a component of class Owner may own
// one of class Owned (the form, Owner nullptr, owns any that names no owner class).
KORHOST_EXPORT QString OwnerClassOf(const QMetaObject *Owned);
KORHOST_EXPORT bool CanOwn(const QMetaObject *Owner, const QMetaObject *Owned);

// The component a QObject is, or nullptr.
KORHOST_EXPORT TComponent *AsComponent(QObject *object);
KORHOST_EXPORT TPersistent *AsPersistent(QObject *object);

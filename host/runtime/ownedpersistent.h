#pragma once
// TOwnedPersistent: the base of the option objects that a component or column publishes as a
// sub-object (Totals, Title, Gradient, Constraints ...). It knows its owner and the property
// through which the owner publishes it, copies itself property by property, and reports every
// change through the changed signal, to which the owner listens.

#include <QObject>
#include <QString>

#include "korruntime_export.h"
#include "persistent.h"

class KORRUNTIME_EXPORT TOwnedPersistent : public QObject, public TPersistent {
    Q_OBJECT
public:
    TOwnedPersistent(TPersistent *Owner, const QString &PropName);
    ~TOwnedPersistent() override;

    TPersistent *GetOwner() const override { return m_owner; }
    // The owner's name path, a full stop and the property name ("KorDBGrid1.Totals").
    QString GetNamePath() const override;
    QString PropName() const { return m_propName; }
    // Copies every published property from an object of the same class; other sources raise
    // EConvertError. One change notice follows the copy.
    void Assign(const TPersistent *Source) override;
    // Called by every setter after a change.
    virtual void Changed();

signals:
    void changed();

private:
    TPersistent *m_owner;
    QString m_propName;
};

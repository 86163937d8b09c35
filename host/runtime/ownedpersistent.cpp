#include "ownedpersistent.h"

#include <QSignalBlocker>

#include "assignprops.h"

TOwnedPersistent::TOwnedPersistent(TPersistent *Owner, const QString &PropName)
    : m_owner(Owner), m_propName(PropName)
{
}

TOwnedPersistent::~TOwnedPersistent() = default;

QString TOwnedPersistent::GetNamePath() const
{
    const QString ownerPath = m_owner ? m_owner->GetNamePath() : QString();
    return ownerPath.isEmpty() ? m_propName : ownerPath + QLatin1Char('.') + m_propName;
}

void TOwnedPersistent::Assign(const TPersistent *Source)
{
    const QObject *source = Source ? Source->Object() : nullptr;
    if (!source || source->metaObject() != metaObject()) {
        TPersistent::Assign(Source);
        return;
    }
    {
        const QSignalBlocker blocker(this);
        AssignPublishedProperties(this, source);
    }
    Changed();
}

void TOwnedPersistent::Changed()
{
    if (!signalsBlocked())
        emit changed();
}

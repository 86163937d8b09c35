#include "persistent.h"

#include <QMetaClassInfo>
#include <algorithm>

#include "hosterrors.h"

TPersistent::~TPersistent() = default;

QObject *TPersistent::Object()
{
    return dynamic_cast<QObject *>(this);
}

const QObject *TPersistent::Object() const
{
    return dynamic_cast<const QObject *>(this);
}

QString TPersistent::ClassName() const
{
    const QObject *object = Object();
    return object ? QString::fromLatin1(object->metaObject()->className()) : QString();
}

void TPersistent::Assign(const TPersistent *Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *Dest) const
{
    const QString source = Object() && Dest != this ? ClassName() : QStringLiteral("nil");
    throw EConvertError(
        QStringLiteral("Cannot assign a %1 to a %2").arg(source, Dest->ClassName()));
}

QString TPersistent::GetNamePath() const
{
    return ClassName();
}

QString OwnerClassOf(const QMetaObject *Owned)
{
    const int index = Owned ? Owned->indexOfClassInfo("OwnerClass") : -1;
    return index >= 0 ? QString::fromLatin1(Owned->classInfo(index).value()) : QString();
}

bool CanOwn(const QMetaObject *Owner, const QMetaObject *Owned)
{
    const QString wanted = OwnerClassOf(Owned);
    if (wanted.isEmpty())
        return true;
    for (const QMetaObject *meta = Owner; meta; meta = meta->superClass())
        if (QLatin1String(meta->className()) == wanted)
            return true;
    return false;
}

TComponent *AsComponent(QObject *object)
{
    return dynamic_cast<TComponent *>(object);
}

TPersistent *AsPersistent(QObject *object)
{
    return dynamic_cast<TPersistent *>(object);
}

TComponent::TComponent(TComponent *AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    m_state |= csDestroying;
    // Tell everyone who asked, then forget them: they may be destroyed by the notice.
    const QList<TComponent *> notifies = m_freeNotifies;
    m_freeNotifies.clear();
    for (TComponent *other : notifies) {
        other->m_freeNotifies.removeAll(this);
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

QString TComponent::Name() const
{
    const QObject *object = Object();
    return object ? object->objectName() : QString();
}

bool IsValidComponentName(const QString &Name)
{
    if (Name.isEmpty())
        return false;
    const auto letter = [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
    };
    if (!letter(Name.front()))
        return false;
    return std::all_of(Name.begin(), Name.end(), [&](QChar c) {
        return letter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    });
}

void TComponent::CheckDesignName(const QString &NewName) const
{
    if (NewName.isEmpty())
        throw EComponentError(QStringLiteral("A component name cannot be empty"));
    if (!IsValidComponentName(NewName))
        throw EComponentError(
            QStringLiteral("%1 is not a valid component name: a name starts with a letter or _ "
                           "and holds only letters, digits and _")
                .arg(NewName));
    // A designed name is unique on the whole design, not only among the owner's components: a
    // field owned by a data set may not be named like a grid of the form, nor like a field of
    // another data set, nor like the form.
    const TComponent *root = this;
    while (root->m_owner)
        root = root->m_owner;
    if ((root != this && root->Name().compare(NewName, Qt::CaseInsensitive) == 0) ||
        root->findBelow(NewName, this))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

const TComponent *TComponent::findBelow(const QString &AName, const TComponent *Except) const
{
    for (const TComponent *component : m_components) {
        if (component != Except && component->Name().compare(AName, Qt::CaseInsensitive) == 0)
            return component;
        if (const TComponent *found = component->findBelow(AName, Except))
            return found;
    }
    return nullptr;
}

void TComponent::SetName(const QString &NewName)
{
    if (NewName == Name())
        return;
    if (IsDesigning() || (m_owner && m_owner->IsDesigning()))
        CheckDesignName(NewName);
    if (m_owner && !NewName.isEmpty()) {
        TComponent *clash = m_owner->FindComponent(NewName);
        if (clash && clash != this)
            throw EComponentError(
                QStringLiteral("A component named %1 already exists").arg(NewName));
    }
    if (QObject *object = Object())
        object->setObjectName(NewName);
}

TComponent *TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= m_components.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_components.at(Index);
}

int TComponent::ComponentIndex() const
{
    return m_owner ? int(m_owner->m_components.indexOf(const_cast<TComponent *>(this))) : -1;
}

void TComponent::SetComponentIndex(int Value)
{
    if (!m_owner)
        return;
    QList<TComponent *> &list = m_owner->m_components;
    const qsizetype from = list.indexOf(this);
    const qsizetype to = qBound(qsizetype(0), qsizetype(Value), list.size() - 1);
    if (from >= 0 && from != to)
        list.move(from, to);
}

TComponent *TComponent::FindComponent(const QString &AName) const
{
    if (AName.isEmpty())
        return nullptr;
    for (TComponent *component : m_components)
        if (component->Name().compare(AName, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent *AComponent)
{
    if (!AComponent || AComponent->m_owner == this)
        return;
    AComponent->removeFromOwner();
    AComponent->insertInto(this);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent)
{
    if (!AComponent || AComponent->m_owner != this)
        return;
    Notification(AComponent, TOperation::opRemove);
    AComponent->removeFromOwner();
}

void TComponent::DestroyComponents()
{
    while (!m_components.isEmpty()) {
        TComponent *last = m_components.takeLast();
        last->m_owner = nullptr;
        delete last;
    }
}

void TComponent::FreeNotification(TComponent *AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (!m_freeNotifies.contains(AComponent))
        m_freeNotifies.append(AComponent);
    if (!AComponent->m_freeNotifies.contains(this))
        AComponent->m_freeNotifies.append(this);
}

void TComponent::RemoveFreeNotification(TComponent *AComponent)
{
    if (!AComponent)
        return;
    m_freeNotifies.removeAll(AComponent);
    AComponent->m_freeNotifies.removeAll(this);
}

void TComponent::SetDesigning(bool Value)
{
    if (Value)
        m_state |= csDesigning;
    else
        m_state &= ~csDesigning;
    for (TComponent *component : m_components)
        component->SetDesigning(Value);
}

void TComponent::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == TOperation::opRemove)
        RemoveFreeNotification(AComponent);
    for (TComponent *component : m_components)
        if (component != AComponent)
            component->Notification(AComponent, Operation);
}

void TComponent::insertInto(TComponent *owner)
{
    m_owner = owner;
    owner->m_components.append(this);
}

void TComponent::removeFromOwner()
{
    if (m_owner) {
        m_owner->m_components.removeAll(this);
        m_owner = nullptr;
    }
}

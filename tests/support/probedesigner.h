#pragma once
// A form designer for tests: it knows a list of components, keeps the selection and counts
// modification notices (and the objects the last one named); OnModified lets a test look at
// things at the moment of the notice.

#include <QList>
#include <QObject>
#include <functional>

#include "designintf.h"
#include "persistent.h"

class TProbeDesigner : public IDesigner {
public:
    int modified = 0;
    QList<QObject *> named;
    std::function<void()> OnModified;
    QList<TComponent *> components;
    QList<QObject *> selection;

    void Activate() override {}
    void Modified() override
    {
        ++modified;
        if (OnModified)
            OnModified();
    }
    void ObjectsModified(const QList<QObject *> &Objects) override
    {
        named = Objects;
        Modified();
    }
    void SelectComponent(QObject *Instance) override { selection = {Instance}; }
    void SetSelections(const QList<QObject *> &List) override { selection = List; }
    QList<QObject *> GetSelections() const override { return selection; }
    void GetComponentNames(const QMetaObject *Class,
                           const std::function<void(const QString &)> &Proc) const override
    {
        for (TComponent *component : components)
            if (!Class || component->Object()->metaObject()->inherits(Class))
                Proc(component->Name());
    }
    TComponent *GetComponent(const QString &Name) const override
    {
        for (TComponent *component : components)
            if (component->Name().compare(Name, Qt::CaseInsensitive) == 0)
                return component;
        return nullptr;
    }
    QString GetComponentName(const TComponent *Component) const override
    {
        return Component ? Component->Name() : QString();
    }
    TComponent *GetRoot() const override { return nullptr; }
};

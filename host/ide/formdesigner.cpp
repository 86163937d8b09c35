#include "formdesigner.h"

#include <QHash>

#include "hosterrors.h"
#include "hostmessages.h"
#include "liveobjects.h"
#include "registration.h"
#include "runthenalways.h"

namespace {

QHash<const QMetaObject *, TFormDesigner::TComponentFactory> &factories()
{
    static QHash<const QMetaObject *, TFormDesigner::TComponentFactory> map;
    return map;
}

// Runs a notice from a place an exception must not leave (a destructor, a constructor's
// announcement): a listener's error is reported instead.
template <class F> void notifySafely(F &&notice)
{
    try {
        notice();
    } catch (...) {
        HandleHostException();
    }
}

} // namespace

TDesignForm::TDesignForm(QWidget *parent) : QWidget(parent)
{
    SetDesigning(true);
    resize(DefaultWidth, DefaultHeight);
    SetColor(clBtnFace);
}

void TDesignForm::SetWidth(int Value)
{
    resize(qMax(1, Value), height());
}

void TDesignForm::SetHeight(int Value)
{
    resize(width(), qMax(1, Value));
}

void TDesignForm::SetColor(TColor Value)
{
    m_color = Value;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColorToQColor(Value));
    setPalette(colours);
}

TDesignForm::~TDesignForm()
{
    if (OnDestroying)
        OnDestroying();
}

void TDesignForm::Notification(TComponent *AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent && OnComponentRemoved)
        OnComponentRemoved(AComponent, AComponent->ComponentState() & csDestroying);
}

TFormDesigner::TFormDesigner(const QString &FormName, QObject *parent)
    : QObject(parent), m_form(new TDesignForm)
{
    m_form->SetName(FormName);
    m_form->setWindowTitle(FormName);
    m_form->OnComponentRemoved = [this](TComponent *component, bool) {
        // Destroyed or moved to another owner: either way it is no longer on this form.
        const qsizetype index = indexOf(component);
        if (index >= 0)
            componentGoing(index);
    };
    m_form->OnDestroying = [this] {
        // Someone else destroys the form: the designer closes with it.
        m_form = nullptr;
        Close();
    };
    notifySafely([this] { NotifyDesignerOpened(this, false); });
}

TFormDesigner::~TFormDesigner()
{
    Close();
}

void TFormDesigner::RegisterComponentFactory(const QMetaObject *Class, TComponentFactory Factory)
{
    if (!Class)
        return;
    if (!Factory) {
        factories().remove(Class);
        return;
    }
    factories().insert(Class, std::move(Factory));
    // A factory a package registers is package code: it goes when the package is unloaded.
    RegisterModuleRelease([Class] { factories().remove(Class); });
}

std::unique_ptr<TComponent> TFormDesigner::NewComponent(const QMetaObject *Class)
{
    if (!Class)
        throw EComponentError(QStringLiteral("Cannot create a component of a nil class"));
    const QString className = QString::fromLatin1(Class->className());
    std::unique_ptr<TComponent> component;
    if (const auto found = factories().constFind(Class); found != factories().constEnd()) {
        component.reset((*found)());
    } else {
        std::unique_ptr<QObject> object(Class->newInstance());
        if (object && AsComponent(object.get()))
            component.reset(AsComponent(object.release()));
        else if (object)
            throw EComponentError(QStringLiteral("%1 is not a component").arg(className));
    }
    if (!component)
        throw EComponentError(
            QStringLiteral("Cannot create a component of class %1").arg(className));
    return component;
}

const QMetaObject *TFormDesigner::FindComponentClass(const QString &ClassName)
{
    for (auto it = factories().constBegin(); it != factories().constEnd(); ++it)
        if (QLatin1String(it.key()->className()) == ClassName)
            return it.key();
    for (const TRegistration &registration : Registrations())
        if (registration.kind == TRegistration::Components)
            for (const QMetaObject *Class : registration.Classes)
                if (Class && QLatin1String(Class->className()) == ClassName)
                    return Class;
    return nullptr;
}

TComponent *TFormDesigner::CreateComponent(const QMetaObject *Class)
{
    std::unique_ptr<TComponent> component = NewComponent(Class);
    AddComponent(component.get());
    return component.release();
}

void TFormDesigner::AddComponent(TComponent *Component)
{
    if (!Component || !Component->Object())
        throw EInvalidOperation(QStringLiteral("Cannot place a nil component on a form"));
    if (m_closed)
        throw EInvalidOperation(QStringLiteral("The form designer is closed"));
    QObject *object = Component->Object();
    const QString name = Component->Name();
    if (!name.isEmpty()) {
        // A component named elsewhere is designed from here on: its name must be one a designed
        // component may have.
        if (!IsValidComponentName(name))
            Component->CheckDesignName(name);
        const TComponent *clash = GetComponent(name);
        if (clash && clash != Component)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    m_form->InsertComponent(Component);
    if (auto *widget = qobject_cast<QWidget *>(object); widget && !widget->parent())
        widget->setParent(m_form);
    if (name.isEmpty())
        Component->SetName(UniqueName(object->metaObject()));
    Component->SetDesigning(true);
    if (indexOf(Component) < 0) {
        m_components.append(Tracked{Component, object});
        connect(object, &QObject::destroyed, this, [this](QObject *gone) {
            const qsizetype index = indexOf(gone);
            if (index >= 0)
                componentGoing(index);
        });
    }
    NotifyItemInserted(this, object);
}

void TFormDesigner::DeleteComponent(TComponent *Component)
{
    const qsizetype index = indexOf(Component);
    if (index < 0)
        throw EInvalidOperation(
            Component && Component == m_form.data()
                ? QStringLiteral("Cannot delete the form itself")
                : QStringLiteral("The component to delete is not on this form"));
    QObject *object = m_components.at(index).object;
    const QPointer<QObject> alive(object);
    untrack(index);
    std::exception_ptr failure;
    try {
        NotifyItemDeleted(this, object);
    } catch (...) {
        failure = std::current_exception();
    }
    if (alive) // a listener may have destroyed it already
        delete Component;
    if (dropFromSelection(object)) {
        try {
            NotifySelectionChanged(this, GetSelections());
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
}

QString TFormDesigner::UniqueName(const QMetaObject *Class) const
{
    QString base = Class ? QString::fromLatin1(Class->className()) : QStringLiteral("Component");
    base = base.mid(base.lastIndexOf(QLatin1String("::")) + 1).remove(QLatin1Char(':'));
    if (base.size() > 1 && base.startsWith(QLatin1Char('T')))
        base.remove(0, 1);
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!GetComponent(candidate))
            return candidate;
    }
}

void TFormDesigner::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    notifySafely([this] { NotifyDesignerClosed(this, false); });
    for (const Tracked &tracked : std::as_const(m_components))
        disconnect(tracked.object, nullptr, this, nullptr);
    m_components.clear();
    m_selection.clear();
    if (TDesignForm *form = m_form.data()) {
        m_form = nullptr;
        form->OnComponentRemoved = nullptr;
        form->OnDestroying = nullptr;
        delete form;
    }
}

void TFormDesigner::Activate()
{
    // Makes this the current form designer. The form's window is left where it is: a design
    // window calls this each time it becomes active, and must stay in front and active.
    ++m_activateCount;
}

void TFormDesigner::Modified()
{
    ObjectsModified({});
}

void TFormDesigner::ObjectsModified(const QList<QObject *> &Objects)
{
    QList<QPointer<QObject>> named;
    for (QObject *object : Objects)
        named.append(object);
    // A listener may announce a change of its own meanwhile: each names its own objects.
    std::swap(named, m_modifiedObjects);
    RunThenAlways(
        [this] {
            ++m_modifiedCount;
            NotifyItemsModified(this);
        },
        [&] { std::swap(named, m_modifiedObjects); });
}

QList<QObject *> TFormDesigner::ModifiedObjects() const
{
    return LiveObjects(m_modifiedObjects);
}

void TFormDesigner::SelectComponent(QObject *Instance)
{
    SetSelections(Instance ? QList<QObject *>{Instance} : QList<QObject *>{});
}

void TFormDesigner::SetSelections(const QList<QObject *> &List)
{
    m_selection.clear();
    for (QObject *object : List)
        if (object && !GetSelections().contains(object))
            m_selection.append(object);
    NotifySelectionChanged(this, GetSelections());
}

QList<QObject *> TFormDesigner::GetSelections() const
{
    return LiveObjects(m_selection);
}

void TFormDesigner::GetComponentNames(const QMetaObject *Class,
                                      const std::function<void(const QString &)> &Proc) const
{
    if (!Proc)
        return;
    QStringList names;
    for (int i = 0; m_form && i < m_form->ComponentCount(); ++i) {
        TComponent *component = m_form->Components(i);
        const QObject *object = component->Object();
        if (object && !(component->ComponentState() & csDestroying) &&
            (!Class || object->metaObject()->inherits(Class)))
            names.append(component->Name());
    }
    for (const QString &name : std::as_const(names))
        Proc(name);
}

TComponent *TFormDesigner::GetComponent(const QString &Name) const
{
    if (!m_form || Name.isEmpty())
        return nullptr;
    if (m_form->Name().compare(Name, Qt::CaseInsensitive) == 0)
        return m_form.data();
    return m_form->FindComponent(Name);
}

QString TFormDesigner::GetComponentName(const TComponent *Component) const
{
    return Component ? Component->Name() : QString();
}

TComponent *TFormDesigner::GetRoot() const
{
    return m_form.data();
}

qsizetype TFormDesigner::indexOf(const TComponent *component) const
{
    for (qsizetype i = 0; i < m_components.size(); ++i)
        if (m_components.at(i).component == component)
            return i;
    return -1;
}

qsizetype TFormDesigner::indexOf(const QObject *object) const
{
    for (qsizetype i = 0; i < m_components.size(); ++i)
        if (m_components.at(i).object == object)
            return i;
    return -1;
}

bool TFormDesigner::untrack(qsizetype index)
{
    if (index < 0 || index >= m_components.size())
        return false;
    disconnect(m_components.at(index).object, nullptr, this, nullptr);
    m_components.removeAt(index);
    return true;
}

void TFormDesigner::componentGoing(qsizetype index)
{
    QObject *object = m_components.at(index).object;
    untrack(index);
    notifySafely([&] { NotifyItemDeleted(this, object); });
    if (dropFromSelection(object))
        notifySafely([&] { NotifySelectionChanged(this, GetSelections()); });
}

bool TFormDesigner::dropFromSelection(const QObject *object)
{
    // A QPointer to an object being destroyed may already read as null: drop those too.
    return m_selection.removeIf([object](const QPointer<QObject> &selected) {
        return !selected || selected.data() == object;
    }) > 0;
}

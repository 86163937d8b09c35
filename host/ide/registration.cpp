#include "registration.h"

#include <QCoreApplication>
#include <limits>

#include "hosterrors.h"
#include "hostmessages.h"

namespace {

QList<TRegistration> &records()
{
    static QList<TRegistration> list;
    return list;
}

QString &currentModule()
{
    static QString module;
    return module;
}

struct ModuleRelease {
    QString module;
    std::function<void()> release;
};

QList<ModuleRelease> &releases()
{
    static QList<ModuleRelease> list;
    return list;
}

TRegistration make(TRegistration::Kind kind)
{
    TRegistration registration;
    registration.kind = kind;
    return registration;
}

void record(TRegistration registration)
{
    registration.Module = currentModule();
    records().append(std::move(registration));
}

QString className(const QMetaObject *Class)
{
    return Class ? QString::fromLatin1(Class->className()) : QStringLiteral("nil");
}

void requireClass(const QMetaObject *Class, const char *what)
{
    if (!Class)
        throw EInvalidOperation(
            QStringLiteral("Cannot register a nil %1 class").arg(QLatin1String(what)));
}

constexpr int kUnrelated = std::numeric_limits<int>::max();

// Steps from Class up to Ancestor (0 when equal), or kUnrelated when Class does not inherit it.
int distance(const QMetaObject *Class, const QMetaObject *Ancestor)
{
    int steps = 0;
    for (const QMetaObject *mo = Class; mo; mo = mo->superClass(), ++steps)
        if (mo == Ancestor)
            return steps;
    return kUnrelated;
}

// How well a property-editor registration fits; larger compares better.
struct Fit {
    bool named;
    int componentDistance;
    int propertyDistance;
    int order;

    bool operator>(const Fit &other) const
    {
        if (named != other.named)
            return named;
        if (componentDistance != other.componentDistance)
            return componentDistance < other.componentDistance;
        if (propertyDistance != other.propertyDistance)
            return propertyDistance < other.propertyDistance;
        return order > other.order;
    }
};

} // namespace

TPropertyType TPropertyType::OfClass(const QMetaObject *Class)
{
    return {className(Class), Class};
}

bool TPropertyType::Matches(PPropInfo Info) const
{
    if (!Info)
        return false;
    if (Class) {
        if (Info->Kind != TTypeKind::tkClass)
            return false;
        if (Info->ObjectClass)
            return Info->ObjectClass->inherits(Class);
        return Info->TypeName.compare(Name, Qt::CaseInsensitive) == 0;
    }
    return !Name.isEmpty() && Info->TypeName.compare(Name, Qt::CaseInsensitive) == 0;
}

// The host's category names are translated at each call, in the context "DesignHost", so a
// translator installed later changes them.
QString sActionCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Action");
}
QString sDatabaseCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Database");
}
QString sDragNDropCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Drag, Drop and Docking");
}
QString sHelpCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Help and Hints");
}
QString sInputCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Input");
}
QString sLayoutCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Layout");
}
QString sLegacyCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Legacy");
}
QString sLinkageCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Linkage");
}
QString sLocaleCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Locale");
}
QString sLocalizableCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Localizable");
}
QString sMiscellaneousCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Miscellaneous");
}
QString sVisualCategoryName()
{
    return QCoreApplication::translate("DesignHost", "Visual");
}

void RegisterComponents(const QString &Page, const QList<TComponentClass> &Classes)
{
    if (Page.trimmed().isEmpty())
        throw EInvalidOperation(QStringLiteral("Cannot register components on a nameless page"));
    for (TComponentClass Class : Classes)
        requireClass(Class, "component");
    TRegistration registration = make(TRegistration::Components);
    registration.Page = Page;
    registration.Classes = Classes;
    record(std::move(registration));
}

void RegisterComponentEditor(TComponentClass ComponentClass, TComponentEditorClass ComponentEditor)
{
    requireClass(ComponentClass, "component");
    requireClass(ComponentEditor, "component editor");
    TRegistration registration = make(TRegistration::ComponentEditor);
    registration.ComponentClass = ComponentClass;
    registration.EditorClass = ComponentEditor;
    record(std::move(registration));
}

void RegisterPropertyEditor(const TPropertyType &PropertyType, TComponentClass ComponentClass,
                            const QString &PropertyName, TPropertyEditorClass EditorClass)
{
    if (!PropertyType.Class && PropertyType.Name.isEmpty())
        throw EInvalidOperation(QStringLiteral("Cannot register a property editor for no type"));
    requireClass(EditorClass, "property editor");
    TRegistration registration = make(TRegistration::PropertyEditor);
    registration.PropertyType = PropertyType;
    registration.ComponentClass = ComponentClass;
    registration.PropertyName = PropertyName;
    registration.EditorClass = EditorClass;
    record(std::move(registration));
}

void RegisterPropertiesInCategory(const QString &Category, TComponentClass ComponentClass,
                                  const QStringList &PropertyNames)
{
    if (Category.isEmpty())
        throw EInvalidOperation(
            QStringLiteral("Cannot register properties in a nameless category"));
    requireClass(ComponentClass, "component");
    TRegistration registration = make(TRegistration::PropertiesInCategory);
    registration.Category = Category;
    registration.ComponentClass = ComponentClass;
    registration.PropertyNames = PropertyNames;
    record(std::move(registration));
}

void ForceDemandLoadState(int State)
{
    TRegistration registration = make(TRegistration::DemandLoadState);
    registration.State = State;
    record(std::move(registration));
}

QList<TRegistration> Registrations()
{
    return records();
}

void SetRegisteringModule(const QString &Module)
{
    currentModule() = Module;
}

QString RegisteringModule()
{
    return currentModule();
}

void UnregisterModule(const QString &Module)
{
    records().removeIf([&](const TRegistration &r) { return r.Module == Module; });
    if (Module.isEmpty())
        return;
    // Newest first, so that what was installed over something of the same module is undone
    // before it. An action may add or remove others; take them one at a time.
    for (;;) {
        QList<ModuleRelease> &list = releases();
        qsizetype at = list.size() - 1;
        while (at >= 0 && list.at(at).module.compare(Module, Qt::CaseInsensitive) != 0)
            --at;
        if (at < 0)
            break;
        const std::function<void()> release = list.takeAt(at).release;
        try {
            if (release)
                release();
        } catch (...) {
            HandleHostException();
        }
    }
}

void RegisterModuleRelease(std::function<void()> Release, const QString &Module)
{
    if (!Release || Module.isEmpty())
        return;
    releases().append(ModuleRelease{Module, std::move(Release)});
}

int ModuleReleaseCount(const QString &Module)
{
    int count = 0;
    for (const ModuleRelease &entry : releases())
        count += entry.module.compare(Module, Qt::CaseInsensitive) == 0;
    return count;
}

TPropertyEditorClass GetPropertyEditorClass(PPropInfo PropInfo, TComponentClass ComponentClass)
{
    if (!PropInfo)
        return nullptr;
    const QList<TRegistration> &list = records();
    TPropertyEditorClass best = nullptr;
    Fit bestFit{};
    for (int i = 0; i < list.size(); ++i) {
        const TRegistration &r = list.at(i);
        if (r.kind != TRegistration::PropertyEditor || !r.PropertyType.Matches(PropInfo))
            continue;
        const bool named = !r.PropertyName.isEmpty();
        if (named && r.PropertyName.compare(PropInfo->Name, Qt::CaseInsensitive) != 0)
            continue;
        int componentDistance = kUnrelated - 1; // registered for any component class
        if (r.ComponentClass) {
            componentDistance = distance(ComponentClass, r.ComponentClass);
            if (componentDistance == kUnrelated)
                continue;
        }
        const int propertyDistance = r.PropertyType.Class && PropInfo->ObjectClass
                                         ? distance(PropInfo->ObjectClass, r.PropertyType.Class)
                                         : 0;
        const Fit fit{named, componentDistance, propertyDistance, i};
        if (!best || fit > bestFit) {
            best = r.EditorClass;
            bestFit = fit;
        }
    }
    return best;
}

TComponentEditorClass GetComponentEditorClass(TComponentClass ComponentClass)
{
    TComponentEditorClass best = nullptr;
    int bestDistance = kUnrelated;
    for (const TRegistration &r : records()) {
        if (r.kind != TRegistration::ComponentEditor)
            continue;
        const int steps = distance(ComponentClass, r.ComponentClass);
        if (steps <= bestDistance && steps != kUnrelated) {
            best = r.EditorClass;
            bestDistance = steps;
        }
    }
    return best;
}

QStringList GetPropertyCategories(TComponentClass ComponentClass, const QString &PropertyName)
{
    QStringList categories;
    for (const TRegistration &r : records()) {
        if (r.kind != TRegistration::PropertiesInCategory ||
            distance(ComponentClass, r.ComponentClass) == kUnrelated ||
            !r.PropertyNames.contains(PropertyName, Qt::CaseInsensitive))
            continue;
        if (!categories.contains(r.Category))
            categories.append(r.Category);
    }
    return categories;
}

QList<TComponentClass> GetPaletteClasses(const QString &Page)
{
    QList<TComponentClass> classes;
    for (const TRegistration &r : records())
        if (r.kind == TRegistration::Components && r.Page == Page)
            for (TComponentClass Class : r.Classes)
                if (!classes.contains(Class))
                    classes.append(Class);
    return classes;
}

QStringList GetPalettePages()
{
    QStringList pages;
    for (const TRegistration &r : records())
        if (r.kind == TRegistration::Components && !pages.contains(r.Page))
            pages.append(r.Page);
    return pages;
}

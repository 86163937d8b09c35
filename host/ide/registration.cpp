#include "registration.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMetaClassInfo>
#include <QPixmap>
#include <algorithm>
#include <limits>
#include <optional>

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

// "Kor::TKorDBGridOptions" -> "TKorDBGridOptions"
QString unqualified(const QString &Name)
{
    const qsizetype colons = Name.lastIndexOf(QLatin1String("::"));
    return colons < 0 ? Name : Name.mid(colons + 2);
}

void requireClass(const QMetaObject *Class, const char *what)
{
    if (!Class)
        throw EInvalidOperation(
            QStringLiteral("Cannot register a nil %1 class").arg(QLatin1String(what)));
}

// The published property Name of Class as its type information records it (a "prop:<Name>"
// class-info entry beside a Q_PROPERTY), read from the class alone: registrations name classes,
// not instances. Only what a registration is checked against is filled in: name, kind, type name
// and the class of an object-typed value.
std::optional<TPropInfo> publishedProperty(const QMetaObject *Class, const QString &Name)
{
    static const QLatin1String prefix("prop:");
    for (int i = Class->classInfoCount() - 1; i >= 0; --i) {
        const QMetaClassInfo entry = Class->classInfo(i);
        const QString key = QString::fromLatin1(entry.name());
        if (!key.startsWith(prefix) ||
            key.mid(prefix.size()).compare(Name, Qt::CaseInsensitive) != 0)
            continue;
        const QByteArray propertyName = key.mid(prefix.size()).toLatin1();
        const int index = Class->indexOfProperty(propertyName.constData());
        if (index < 0)
            continue;
        const QStringList fields = QString::fromUtf8(entry.value()).split(QLatin1Char('|'));
        TPropInfo info;
        info.Name = QString::fromLatin1(propertyName);
        info.Meta = Class->property(index);
        for (int kind = int(TTypeKind::tkUnknown); kind <= int(TTypeKind::tkVariant); ++kind)
            if (fields.value(0) == QLatin1String(TypeKindName(TTypeKind(kind))))
                info.Kind = TTypeKind(kind);
        info.TypeName = unqualified(fields.value(1));
        if (info.Kind == TTypeKind::tkClass &&
            (info.Meta.metaType().flags() & QMetaType::PointerToQObject))
            info.ObjectClass = info.Meta.metaType().metaObject();
        return info;
    }
    return std::nullopt;
}

// Reports, without stopping the Register procedure, a registration that names a property that
// Class does not publish, or (with a Type) one whose type the property is not of: such a row
// would never take effect, which is otherwise noticed only as a missing editor or category.
void checkProperty(const QMetaObject *Class, const QString &Name,
                   const TPropertyType *Type = nullptr)
{
    if (!Class || Name.isEmpty())
        return;
    // Components publish their Name without a class-info entry of their own.
    if (Name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
        return;
    const std::optional<TPropInfo> info = publishedProperty(Class, Name);
    if (!info) {
        ShowHostException(
            EPropertyError(QStringLiteral("Registration for %1.%2: %1 has no published property %2")
                               .arg(className(Class), Name)));
    } else if (Type && !Type->Matches(&*info)) {
        ShowHostException(EPropertyError(
            QStringLiteral("Registration for %1.%2: the property is of type %3, not %4")
                .arg(className(Class), info->Name, info->TypeName, Type->Name)));
    }
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
    checkProperty(ComponentClass, PropertyName, &PropertyType);
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
    for (const QString &name : PropertyNames)
        checkProperty(ComponentClass, name);
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

namespace {

// The palette bitmap of Class in the resource folder Folder ("" for none), or a null image.
QImage paletteBitmap(const QString &Folder, const QMetaObject *Class)
{
    const QString file = unqualified(className(Class)).toUpper() + QLatin1String(".bmp");
    if (!Folder.isEmpty())
        return QImage(QStringLiteral(":/%1/%2").arg(Folder, file));
    for (const QString &folder : QDir(QStringLiteral(":/")).entryList(QDir::Dirs)) {
        const QImage image(QStringLiteral(":/%1/%2").arg(folder, file));
        if (!image.isNull())
            return image;
    }
    return {};
}

} // namespace

QIcon GetPaletteIcon(TComponentClass ComponentClass)
{
    // Pixmaps need a GUI application; a host without one has no palette to show.
    if (!ComponentClass || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    const auto registered =
        std::find_if(records().cbegin(), records().cend(), [&](const TRegistration &r) {
            return r.kind == TRegistration::Components && r.Classes.contains(ComponentClass);
        });
    if (registered == records().cend())
        return {};
    QImage image = paletteBitmap(registered->Module, ComponentClass);
    if (image.isNull())
        return {};
    // Palette bitmaps have no alpha channel: the colour of the lower-left pixel (magenta by
    // convention) stands for the background.
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::replace(line, line + image.width(), background, QRgb(0));
    }
    return QIcon(QPixmap::fromImage(image));
}

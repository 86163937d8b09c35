#pragma once
// The host's registration calls, the record of everything registered (in order, by module), and
// the lookups the host makes from it.
//
// Classes are referred to by their meta-objects: a component class, a component-editor class and
// a property-editor class are each a `const QMetaObject *`. Property types are named as the type
// information spells them ("string", "Integer", "TColor") or given as a class.

#include <QIcon>
#include <QList>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "korhost_export.h"
#include "typinfo.h"

using TComponentClass = const QMetaObject *;
using TComponentEditorClass = const QMetaObject *;
using TPropertyEditorClass = const QMetaObject *;

// A property type as a registration key: a type name, or a class (matching its descendants).
struct KORHOST_EXPORT TPropertyType {
    QString Name;
    const QMetaObject *Class = nullptr;

    static TPropertyType Named(const QString &Name) { return {Name, nullptr}; }
    static TPropertyType OfClass(const QMetaObject *Class);
    bool Matches(PPropInfo Info) const;
    friend bool operator==(const TPropertyType &a, const TPropertyType &b)
    {
        return a.Name == b.Name && a.Class == b.Class;
    }
};

// The host's own category names, looked up (and translated) at the moment of each call.
KORHOST_EXPORT QString sActionCategoryName();
KORHOST_EXPORT QString sDatabaseCategoryName();
KORHOST_EXPORT QString sDragNDropCategoryName();
KORHOST_EXPORT QString sHelpCategoryName();
KORHOST_EXPORT QString sInputCategoryName();
KORHOST_EXPORT QString sLayoutCategoryName();
KORHOST_EXPORT QString sLegacyCategoryName();
KORHOST_EXPORT QString sLinkageCategoryName();
KORHOST_EXPORT QString sLocaleCategoryName();
KORHOST_EXPORT QString sLocalizableCategoryName();
KORHOST_EXPORT QString sMiscellaneousCategoryName();
KORHOST_EXPORT QString sVisualCategoryName();

// Each call is recorded under RegisteringModule(). A nil component or editor class, an empty
// page or category name, or a property type with neither name nor class raises
// EInvalidOperation; only RegisterPropertyEditor accepts a nil component class, meaning any
// class (and an empty property name means any property of the type).
// A property name that the component class does not publish (names match without regard to
// case), and a property-editor registration whose type the named property is not of, are
// reported (ShowHostException, EPropertyError) as the call is made; the call is still recorded
// and the Register procedure goes on.
KORHOST_EXPORT void RegisterComponents(const QString &Page, const QList<TComponentClass> &Classes);
KORHOST_EXPORT void RegisterComponentEditor(TComponentClass ComponentClass,
                                            TComponentEditorClass ComponentEditor);
KORHOST_EXPORT void RegisterPropertyEditor(const TPropertyType &PropertyType,
                                           TComponentClass ComponentClass,
                                           const QString &PropertyName,
                                           TPropertyEditorClass EditorClass);
KORHOST_EXPORT void RegisterPropertiesInCategory(const QString &Category,
                                                 TComponentClass ComponentClass,
                                                 const QStringList &PropertyNames);
KORHOST_EXPORT void ForceDemandLoadState(int State);

// One recorded registration call.
struct KORHOST_EXPORT TRegistration {
    enum Kind {
        Components,
        ComponentEditor,
        PropertyEditor,
        PropertiesInCategory,
        DemandLoadState
    };
    Kind kind = Components;
    QString Module;                 // the package that was registering, empty for the host
    QString Page;                   // Components
    QList<TComponentClass> Classes; // Components
    TComponentClass ComponentClass = nullptr;
    const QMetaObject *EditorClass = nullptr; // ComponentEditor, PropertyEditor
    TPropertyType PropertyType;               // PropertyEditor
    QString PropertyName;                     // PropertyEditor
    QString Category;                         // PropertiesInCategory
    QStringList PropertyNames;                // PropertiesInCategory
    int State = 0;                            // DemandLoadState
};

// Every registration still in force, in the order made.
KORHOST_EXPORT QList<TRegistration> Registrations();
// The module that registrations are attributed to while the host runs its Register procedures.
KORHOST_EXPORT void SetRegisteringModule(const QString &Module);
KORHOST_EXPORT QString RegisteringModule();
// Drops every registration of Module (the host unloads it) and runs its release actions.
KORHOST_EXPORT void UnregisterModule(const QString &Module);

// Something a package hands the host besides its registrations (a hook, a seam, a component
// factory, a service, a helper object) and that must go before the package's code does:
// Release undoes it. Attributed to Module (by default the module being registered); an empty
// module (the host itself, or code linked into the program) keeps it for good. When the
// module is unloaded its release actions run, newest first, after its units have stopped and
// while its code is still there; one that raises is reported and the others still run.
KORHOST_EXPORT void RegisterModuleRelease(std::function<void()> Release,
                                          const QString &Module = RegisteringModule());
// How many release actions Module has waiting.
KORHOST_EXPORT int ModuleReleaseCount(const QString &Module);

// The property-editor class for a property of a component class; the most specific registration
// wins (a named property over any property, a nearer component class over a farther one, a
// nearer property class over a farther one), and among equals the latest. nullptr when none.
KORHOST_EXPORT TPropertyEditorClass GetPropertyEditorClass(PPropInfo PropInfo,
                                                           TComponentClass ComponentClass);
// The component-editor class registered for the nearest class of ComponentClass, or nullptr.
KORHOST_EXPORT TComponentEditorClass GetComponentEditorClass(TComponentClass ComponentClass);
// Categories a property of a component class belongs to, in registration order, without repeats.
KORHOST_EXPORT QStringList GetPropertyCategories(TComponentClass ComponentClass,
                                                 const QString &PropertyName);
// Component classes on a palette page, in registration order.
KORHOST_EXPORT QList<TComponentClass> GetPaletteClasses(const QString &Page);
KORHOST_EXPORT QStringList GetPalettePages();
// The palette picture of a registered component class: the bitmap resource named after the
// class in capitals (":/<Module>/<CLASSNAME>.bmp", Module being the package that registered the
// class; for classes registered from code linked into the program, any top-level resource folder
// that holds one), with the colour of its lower-left pixel made transparent. A null icon when
// the class is not on the palette or has no bitmap. Read at each call, so it follows packages
// being loaded and unloaded.
KORHOST_EXPORT QIcon GetPaletteIcon(TComponentClass ComponentClass);

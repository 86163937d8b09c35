#pragma once
// Rows of the Register procedures' registration tables and the loops that make the host calls,
// one call per row in table order. Category names are either the host's own (a function that
// loads the localised name at the moment of the call) or the package's literals.

#include <QString>
#include <initializer_list>
#include <span>

#include "registration.h"

namespace KorReg {

struct TPaletteRow {
    const char *Page;
    std::initializer_list<TComponentClass> Classes;
};

struct TComponentEditorRow {
    TComponentClass Component;
    TComponentEditorClass Editor;
};

struct TPropertyEditorRow {
    const char *TypeName;         // "string", "Integer", "TColor" ... or
    const QMetaObject *TypeClass; // a class as property type
    TComponentClass Component;
    const char *PropertyName;
    TPropertyEditorClass Editor;
};

struct TCategoryRow {
    QString (*HostCategory)(); // the host's category name, or
    const char *Category;      // the package's own literal
    TComponentClass Component;
    std::initializer_list<const char *> PropertyNames;
};

// A unit's tables; a Register procedure hands them to RegisterTables, which registers the
// palette, the component editors, the property editors and the categories, in that order.
struct TUnitTables {
    std::span<const TPaletteRow> Palette = {};
    std::span<const TComponentEditorRow> ComponentEditors = {};
    std::span<const TPropertyEditorRow> PropertyEditors = {};
    std::span<const TCategoryRow> Categories = {};
};
void RegisterTables(const TUnitTables &Tables);

void RegisterPalette(std::span<const TPaletteRow> Rows);
void RegisterComponentEditors(std::span<const TComponentEditorRow> Rows);
void RegisterPropertyEditors(std::span<const TPropertyEditorRow> Rows);
void RegisterCategories(std::span<const TCategoryRow> Rows);

} // namespace KorReg

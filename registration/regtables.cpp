#include "regtables.h"

#include <QStringList>

namespace KorReg {

void RegisterTables(const TUnitTables &Tables)
{
    RegisterPalette(Tables.Palette);
    RegisterComponentEditors(Tables.ComponentEditors);
    RegisterPropertyEditors(Tables.PropertyEditors);
    RegisterCategories(Tables.Categories);
}

void RegisterPalette(std::span<const TPaletteRow> Rows)
{
    for (const TPaletteRow &row : Rows)
        RegisterComponents(QString::fromLatin1(row.Page), QList<TComponentClass>(row.Classes));
}

void RegisterComponentEditors(std::span<const TComponentEditorRow> Rows)
{
    for (const TComponentEditorRow &row : Rows)
        RegisterComponentEditor(row.Component, row.Editor);
}

void RegisterPropertyEditors(std::span<const TPropertyEditorRow> Rows)
{
    for (const TPropertyEditorRow &row : Rows) {
        const TPropertyType type = row.TypeClass
                                       ? TPropertyType::OfClass(row.TypeClass)
                                       : TPropertyType::Named(QString::fromLatin1(row.TypeName));
        RegisterPropertyEditor(type, row.Component, QString::fromLatin1(row.PropertyName),
                               row.Editor);
    }
}

void RegisterCategories(std::span<const TCategoryRow> Rows)
{
    for (const TCategoryRow &row : Rows) {
        QStringList names;
        for (const char *name : row.PropertyNames)
            names.append(QString::fromLatin1(name));
        const QString category =
            row.HostCategory ? row.HostCategory() : QString::fromLatin1(row.Category);
        RegisterPropertiesInCategory(category, row.Component, names);
    }
}

} // namespace KorReg

#include "pagerows.h"

#include <mutex>
#include <set>
#include <string>

namespace {

using namespace TFactory;

// The names the shared rows make: page tables keep plain character pointers, so every name
// made here lives as long as the program (a page table is built once).
class TRowNames {
public:
    const char *Keep(const char *Prefix, const char *Suffix)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_names.insert(std::string(Prefix) + Suffix).first->c_str();
    }

private:
    std::mutex m_mutex;
    std::set<std::string> m_names;
};

TRowNames &RowNames()
{
    static TRowNames names;
    return names;
}

const char *Named(const char *Prefix, const char *Suffix)
{
    return RowNames().Keep(Prefix, Suffix);
}

} // namespace

std::vector<TPageRow> FontRows(const char *Prefix, const char *FontPath, TFontRowOrder Order)
{
    const char *group = Named(Prefix, "GroupBox");
    const char *style = Named(FontPath, ".Style");
    const TPageRow size{Named(Prefix, "SizeEdit"), group, AddFontSizeProp,
                        Named(FontPath, ".Size")};
    const TPageRow color{Named(Prefix, "ColorColorBox"), group, AddFontColorProp,
                         Named(FontPath, ".Color")};
    const bool sizeFirst = Order == TFontRowOrder::SizeThenColor;
    return {
        {group, OnSheet, AddNoneProp, FontPath},
        {Named(Prefix, "NameComboBox"), group, AddFontNameProp, Named(FontPath, ".Name")},
        sizeFirst ? size : color,
        sizeFirst ? color : size,
        {Named(Prefix, "BoldCheckBox"), group, AddElemProp, style, Elem(0), "Bold"},
        {Named(Prefix, "ItalicCheckBox"), group, AddElemProp, style, Elem(1), "Italic",
         TPlace::Beside},
        {Named(Prefix, "UnderlineCheckBox"), group, AddElemProp, style, Elem(2), "Underline"},
        {Named(Prefix, "StrikeOutCheckBox"), group, AddElemProp, style, Elem(3), "StrikeOut",
         TPlace::Beside},
    };
}

std::vector<TPageRow> TextLayoutRows(const char *Prefix, const char *Group, const char *PathPrefix)
{
    return {
        {Named(Prefix, "AlignmentComboBox"), Group, AddEnumProp, Named(PathPrefix, "Alignment")},
        {Named(Prefix, "VAlignmentComboBox"), Group, AddEnumProp, Named(PathPrefix, "VAlignment")},
        {Named(Prefix, "EllipsisCheckBox"), Group, AddBoolProp, Named(PathPrefix, "Ellipsis")},
        {Named(Prefix, "WordWrapCheckBox"), Group, AddBoolProp, Named(PathPrefix, "WordWrap"),
         NoArgs, nullptr, TPlace::Beside},
    };
}

std::vector<TPageRow> JoinRows(std::initializer_list<std::vector<TPageRow>> Runs)
{
    std::vector<TPageRow> rows;
    for (const std::vector<TPageRow> &run : Runs)
        rows.insert(rows.end(), run.begin(), run.end());
    return rows;
}

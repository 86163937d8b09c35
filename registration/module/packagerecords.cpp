// The records the host reads from the module file before loading it: the manifest, the
// description and the version record, each in its own named section, and exported accessors
// for reading them from a loaded module.

#include <string_view>

#include "bytelayout.h"
#include "moduleexport.h"
#include "packages.h"

namespace {

using namespace KorModule;

constexpr std::string_view packageName = "DCLKorDBGrid90";
constexpr std::uint16_t fileVersion[4] = {8, 6, 0, 134};

constexpr std::string_view requiredPackages[] = {"VCLKorDBGrid90.bpl", "designide90.bpl"};

struct ContainedUnit {
    std::uint8_t Flags;
    std::string_view Name;
};

// Contained units in stored order; the first is the package's main unit.
constexpr ContainedUnit containedUnits[] = {
    {ufMainUnit | ufPackageUnit, "DCLKorDBGrid90"},
    {0, "KorDBCtrlsReg"},
    {0, "IDEAboutDlg"},
    {0, "SysInit"},
    {0, "KorDBListsReg"},
    {0, "KorDBEditsReg"},
    {0, "IDEGridsDlg"},
    {0, "IDEColorDlg"},
    {0, "KorDBGridsReg"},
    {0, "IDELinesDlg"},
    {0, "IDEDesigner"},
    {0, "IDEPropList"},
    {0, "IDEDesignEd"},
};

// Never rebuilt implicitly, design-time only, producer code 3, package module.
constexpr std::uint32_t packageFlags =
    pfNeverBuild | pfDesignOnly | (3u << pfProducerShift) | pfPackageModule;
static_assert(packageFlags == 0x4C000003);

struct ManifestLayout {
    template <typename Out> constexpr void operator()(Out &out) const
    {
        PutU32(out, packageFlags);
        PutU32(out, std::size(requiredPackages));
        for (std::string_view name : requiredPackages) {
            out.Byte(PackageNameHash(name));
            PutCString(out, name);
        }
        PutU32(out, std::size(containedUnits));
        for (const ContainedUnit &unit : containedUnits) {
            out.Byte(unit.Flags);
            out.Byte(PackageNameHash(unit.Name));
            PutCString(out, unit.Name);
        }
        out.Byte(PackageNameHash(packageName));
        PutCString(out, packageName);
    }
};

struct DescriptionLayout {
    template <typename Out> constexpr void operator()(Out &out) const
    {
        PutUtf16(out, "Kor-DBGrid Component 8.6");
    }
};

struct VersionLayout {
    template <typename Out> constexpr void operator()(Out &out) const
    {
        for (char ch : PackageVersionMagic)
            out.Byte(static_cast<std::uint8_t>(ch));
        for (std::uint16_t part : fileVersion)
            PutU16(out, part);
        constexpr std::string_view values[][2] = {
            {"FileVersion", "8.6.0.134"},
            {"ProductVersion", "8.6"},
            {"ProductName", "Kor-DBGrid Component"},
            {"FileDescription", "Kor-DBGrid Component 8.6 design-time package"},
            {"InternalName", "DCLKorDBGrid90"},
            {"OriginalFilename", "DCLKorDBGrid90.bpl"},
        };
        for (const auto &pair : values) {
            PutCString(out, pair[0]);
            PutCString(out, pair[1]);
        }
        out.Byte(0);
    }
};

[[gnu::section(".kor_packageinfo"), gnu::used]] constexpr auto manifest =
    MakeBytes<ManifestLayout>();
[[gnu::section(".kor_description"), gnu::used]] constexpr auto description =
    MakeBytes<DescriptionLayout>();
[[gnu::section(".kor_version"), gnu::used]] constexpr auto version = MakeBytes<VersionLayout>();

template <std::size_t N>
const unsigned char *answer(const std::array<std::uint8_t, N> &bytes, std::uint32_t *size)
{
    if (size)
        *size = static_cast<std::uint32_t>(N);
    return bytes.data();
}

} // namespace

KOR_MODULE_EXPORT const unsigned char *GetPackageInfoResource(std::uint32_t *Size)
{
    return answer(manifest, Size);
}

KOR_MODULE_EXPORT const unsigned char *GetPackageDescriptionResource(std::uint32_t *Size)
{
    return answer(description, Size);
}

KOR_MODULE_EXPORT const unsigned char *GetPackageVersionResource(std::uint32_t *Size)
{
    return answer(version, Size);
}

static_assert(std::string_view(PackageInfoSection) == ".kor_packageinfo");
static_assert(std::string_view(PackageDescriptionSection) == ".kor_description");
static_assert(std::string_view(PackageVersionSection) == ".kor_version");

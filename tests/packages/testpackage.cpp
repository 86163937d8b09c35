// A minimal package module for the loader's tests: its name and the packages it requires come
// from the build (KOR_TEST_PACKAGE, KOR_TEST_REQUIRES as "A.bpl|B.bpl"), it contains one unit of
// its own name, and its Initialize and Finalize append "start NAME" / "stop NAME" to the file
// named by KOR_TEST_PACKAGE_LOG, so a test can see in which order packages come and go. Its stop
// notes when the host's about-box service is gone, and raises when KOR_TEST_PACKAGE_FAIL_STOP
// names this package.

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "bytelayout.h"
#include "moduleexport.h"
#include "packages.h"
#include "services.h"

namespace {

using namespace KorModule;

constexpr std::string_view packageName = KOR_TEST_PACKAGE;
constexpr std::string_view requires_ = KOR_TEST_REQUIRES;

// Calls Visit for each name of a '|'-separated list.
template <typename Visit> constexpr void forEachRequired(Visit visit)
{
    std::size_t start = 0;
    while (start < requires_.size()) {
        std::size_t end = requires_.find('|', start);
        if (end == std::string_view::npos)
            end = requires_.size();
        visit(requires_.substr(start, end - start));
        start = end + 1;
    }
}

struct ManifestLayout {
    template <typename Out> constexpr void operator()(Out &out) const
    {
        PutU32(out, pfNeverBuild | pfDesignOnly | pfPackageModule);
        std::uint32_t count = 0;
        forEachRequired([&](std::string_view) { ++count; });
        PutU32(out, count);
        forEachRequired([&](std::string_view name) {
            out.Byte(PackageNameHash(name));
            PutCString(out, name);
        });
        PutU32(out, 1);
        out.Byte(ufMainUnit | ufPackageUnit);
        out.Byte(PackageNameHash(packageName));
        PutCString(out, packageName);
        out.Byte(PackageNameHash(packageName));
        PutCString(out, packageName);
    }
};

[[gnu::section(".kor_packageinfo"), gnu::used]] constexpr auto manifest =
    MakeBytes<ManifestLayout>();

void log(const char *what)
{
    const char *file = std::getenv("KOR_TEST_PACKAGE_LOG");
    if (std::FILE *out = file ? std::fopen(file, "a") : nullptr) {
        std::fprintf(out, "%s %s\n", what, KOR_TEST_PACKAGE);
        std::fclose(out);
    }
}

constexpr PackageInfoTable noUnits = {0, nullptr};

} // namespace

KOR_MODULE_EXPORT void Initialize()
{
    log("start");
}
KOR_MODULE_EXPORT void Finalize()
{
    log(DesignHostServices(IID_IOTAAboutBoxServices) ? "stop" : "stop without host");
    const char *failing = std::getenv("KOR_TEST_PACKAGE_FAIL_STOP");
    if (failing && packageName == failing)
        throw std::runtime_error("the package refused to stop");
}
KOR_MODULE_EXPORT const PackageInfoTable *GetPackageInfoTable()
{
    return &noUnits;
}

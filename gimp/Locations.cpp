#include "Locations.h"

#include <cstdlib>
#include <filesystem>

namespace vendrel::gimp {

namespace {

namespace fs = std::filesystem;

fs::path programFolder()
{
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

std::string besideProgramOr(const char* name, const char* fallback)
{
    std::error_code error;
    fs::path folder = programFolder();
    if (!folder.empty() && fs::exists(folder / name, error)) {
        return (folder / name).string();
    }
    return fallback;
}

} // namespace

std::string modulePath()
{
    return besideProgramOr("Vendrel.8bf", VENDREL_BUILD_MODULE);
}

std::string presetsFolder()
{
    const char* chosen = std::getenv("VENDREL_PRESETS");
    if (chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    return besideProgramOr("presets", VENDREL_SOURCE_PRESETS);
}

} // namespace vendrel::gimp

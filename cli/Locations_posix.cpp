#include "Locations.h"

#include <filesystem>

namespace vendrel {

namespace {

namespace fs = std::filesystem;

// The prefix an installed command lives under: the folder above its bin folder.
fs::path installPrefix()
{
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return executable.parent_path().parent_path();
}

// An installed location: absolute as configured, or relative to the prefix.
fs::path installed(const char* configured)
{
    fs::path path(configured);
    return path.is_absolute() ? path : installPrefix() / path;
}

std::string firstExisting(const fs::path& installedPath, const char* buildPath)
{
    std::error_code error;
    if (!installedPath.empty() && fs::exists(installedPath, error)) {
        return installedPath.string();
    }
    return buildPath;
}

} // namespace

std::string defaultModulePath()
{
    return firstExisting(installed(VENDREL_INSTALL_MODULE_DIR) / "Vendrel.8bf", VENDREL_BUILD_MODULE);
}

std::string defaultPresetsFolder()
{
    return firstExisting(installed(VENDREL_INSTALL_PRESETS_DIR), VENDREL_SOURCE_PRESETS);
}

} // namespace vendrel

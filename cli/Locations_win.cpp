#include "Locations.h"

#include <windows.h>

#include <filesystem>
#include <vector>

namespace vendrel {

namespace {

namespace fs = std::filesystem;

// The folder of the running program: the module and the presets are unpacked beside vendrel.exe.
fs::path programFolder()
{
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            return fs::path(std::wstring(name.data(), length)).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

} // namespace

std::string defaultModulePath()
{
    return (programFolder() / "Vendrel.8bf").string();
}

std::string defaultPresetsFolder()
{
    return (programFolder() / "presets").string();
}

} // namespace vendrel

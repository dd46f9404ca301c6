#include "ModuleLibrary.h"

#include <windows.h>

#include "WindowsErrors.h"

namespace vendrel {

// A 64-bit host enters through the 64-bit entry-point property, a 32-bit host through the 32-bit one.
std::string entryPointFor(const PiplInfo& pipl)
{
    return sizeof(void*) == 8 ? pipl.entryPoint64 : pipl.entryPoint;
}

void* openModuleLibrary(const std::string& path)
{
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library)
        throw HostError(path + ": cannot load the module: " + lastWindowsErrorText());
    return reinterpret_cast<void*>(library);
}

void* findModuleEntry(void* library, const std::string& name, const std::string& path)
{
    FARPROC entry = GetProcAddress(static_cast<HMODULE>(library), name.c_str());
    if (!entry)
        throw HostError(path + ": the module has no entry point " + name + ": " + lastWindowsErrorText());
    return reinterpret_cast<void*>(entry);
}

void closeModuleLibrary(void* library)
{
    if (library)
        FreeLibrary(static_cast<HMODULE>(library));
}

} // namespace vendrel

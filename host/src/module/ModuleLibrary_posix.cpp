#include "ModuleLibrary.h"

#include <dlfcn.h>

namespace vendrel {

std::string entryPointFor(const PiplInfo& pipl)
{
    return pipl.entryPoint;
}

void* openModuleLibrary(const std::string& path)
{
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        throw HostError(path + ": cannot load the module: " + (reason ? reason : "unknown error"));
    }
    return library;
}

void* findModuleEntry(void* library, const std::string& name, const std::string& path)
{
    dlerror();
    void* entry = dlsym(library, name.c_str());
    if (!entry) {
        const char* reason = dlerror();
        throw HostError(path + ": the module has no entry point " + name + ": " + (reason ? reason : "symbol is null"));
    }
    return entry;
}

void closeModuleLibrary(void* library)
{
    if (library)
        dlclose(library);
}

} // namespace vendrel

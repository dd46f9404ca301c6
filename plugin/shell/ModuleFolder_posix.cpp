#include <dlfcn.h>

#include "ModuleFolder.h"

std::string ModuleFolder()
{
    Dl_info info{};
    // Any address inside the module names the file it was loaded from.
    if (!dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) || !info.dli_fname)
        return std::string();
    const std::string file = info.dli_fname;
    const size_t separator = file.find_last_of('/');
    if (separator == std::string::npos)
        return ".";
    return separator == 0 ? std::string("/") : file.substr(0, separator);
}

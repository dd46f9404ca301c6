#include <windows.h>

#include "ModuleFolder.h"

std::string ModuleFolder()
{
    HMODULE module = nullptr;
    // Any address inside the module names the DLL it belongs to, whatever the host called the file.
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&ModuleFolder), &module))
        return std::string();
    char file[MAX_PATH + 1] = {0};
    const DWORD length = GetModuleFileNameA(module, file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const std::string path(file, length);
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

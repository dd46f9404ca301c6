#include "CmykProfile.h"

#include <windows.h>

namespace vendrel {

std::string cmykProfilePath()
{
    char program[MAX_PATH + 1] = {0};
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, length);
    const size_t separator = folder.find_last_of("\\/");
    folder = separator == std::string::npos ? std::string() : folder.substr(0, separator + 1);
    return folder + VENDREL_CMYK_PROFILE;
}

} // namespace vendrel

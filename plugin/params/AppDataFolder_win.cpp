#include "AppDataFolder.h"

#include <windows.h>

#include <shlobj.h>

namespace {

constexpr int kRoamingAppDataFolder = 26; // CSIDL_APPDATA

} // namespace

std::string GetAppDataFolder()
{
    // The last argument asks the system to create the folder when it is missing.
    char folder[MAX_PATH + 1] = {0};
    if (!SHGetSpecialFolderPathA(nullptr, folder, kRoamingAppDataFolder, TRUE))
        return std::string();
    std::string path = folder;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

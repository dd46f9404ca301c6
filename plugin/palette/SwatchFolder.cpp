// The swatch folder: where the host keeps its swatch files and which of its entries are offered.
#include "SwatchFolder.h"

#include "HostSuites.h"
#include "ModuleFolder.h"

namespace {

const char kSwatchFolderName[] = "Color Swatches";

bool NeedsSeparator(const std::string& left, const std::string& right)
{
    if (left.empty() || right.empty())
        return false;
    const char last = left.back();
    const char first = right.front();
    return last != '/' && last != ':' && first != '/' && first != '\\';
}

} // namespace

std::string AppendPath(const std::string& left, const std::string& right)
{
    std::string joined = left;
    if (NeedsSeparator(left, right))
        joined += '/';
    for (char c : right)
        joined += (c == '\\') ? '/' : c;
    return joined;
}

std::string HostFolderPath()
{
    // A host that names no folder of its own leaves the module's: palettes can ship beside the plug-in.
    if (!sPSGetFileList || !sPSGetPath)
        return ModuleFolder();
    char hostPath[kHostPathSize] = {0};
    GetHostPath(hostPath, kHostPathSize);
    hostPath[kHostPathSize - 1] = '\0';
    return hostPath;
}

std::string SwatchFolderOf(const std::string& hostPath)
{
    return AppendPath(AppendPath(std::string(), hostPath), kSwatchFolderName);
}

std::string SwatchFolderPath()
{
    return SwatchFolderOf(HostFolderPath());
}

bool IsPaletteNameInFolder(const std::string& paletteFile)
{
    return paletteFile.find_first_of("/\\") == std::string::npos && paletteFile.find("..") == std::string::npos;
}

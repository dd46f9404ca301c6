#include "Extras.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "ExitCodes.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

void checkDialogPictures(const std::string& option)
{
    throw UsageError(option + ": dialog pictures are not available on Windows");
}

void drawDialogPicture(AdmDialog&, const std::string& path)
{
    throw HostError(path + ": dialog pictures are not available on Windows");
}

bool isLayeredOutput(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".ora") {
        throw UsageError("--output: " + path + ": OpenRaster files are not available on Windows (" + outputNamesHint() +
                         ")");
    }
    return false;
}

OraLineArt keepLayeredLineArt(const HostImage&)
{
    throw HostError("OpenRaster files are not available on Windows");
}

void writeLayeredOutput(const HostImage&, const OraLineArt&, PendingFile& file)
{
    throw HostError(file.target() + ": OpenRaster files are not available on Windows");
}

std::string outputNamesHint()
{
    return "use a name ending in .png, .jpg, .tif or .bmp";
}

bool moduleDrawsNativeDialogs()
{
    return true;
}

} // namespace vendrel

// The swatch folder: where the host keeps its swatch files and which of its entries are offered.
#include "SwatchFolder.h"

#include <boost/filesystem.hpp>

#include "HostSuites.h"

namespace {

const char kSwatchFolderName[] = "Color Swatches";
const char kSwatchExtension[] = ".aco";

bool NeedsSeparator(const std::string& left, const std::string& right)
{
    if (left.empty() || right.empty())
        return false;
    const char last = left.back();
    const char first = right.front();
    return last != '/' && last != ':' && first != '/' && first != '\\';
}

// The extension of a file name: from its last '.' to the end. Some Boost versions treat a name whose
// only '.' is its first character as having no extension; such a name is its own extension here.
std::string ExtensionOf(const boost::filesystem::path& fileName)
{
    const std::string extension = fileName.extension().string();
    if (!extension.empty())
        return extension;
    const std::string name = fileName.string();
    if (name.size() > 1 && name.front() == '.' && name.find('.', 1) == std::string::npos)
        return name;
    return extension;
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

bool IsSwatchFileName(const std::string& fileName)
{
    return ExtensionOf(boost::filesystem::path(fileName)) == kSwatchExtension;
}

void ListSwatchFiles(const std::string& folder, const std::function<void(const std::string&)>& addName)
{
    try {
        const boost::filesystem::directory_iterator end;
        for (boost::filesystem::directory_iterator it{boost::filesystem::path(folder)}; it != end; ++it) {
            const std::string fileName = it->path().filename().string();
            if (IsSwatchFileName(fileName))
                addName(fileName);
        }
    } catch (...) {
        // A missing or unreadable folder, or a failure while stepping on: keep what was handed over.
    }
}

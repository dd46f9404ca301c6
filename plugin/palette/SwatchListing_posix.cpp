// The swatch folder's listing on Linux, through Boost.Filesystem.
#include "SwatchFolder.h"

#include <boost/filesystem.hpp>

namespace {

const char kSwatchExtension[] = ".aco";

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

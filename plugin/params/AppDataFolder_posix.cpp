#include "AppDataFolder.h"

#include <cstdlib>

#include <boost/filesystem.hpp>
#include <boost/system/error_code.hpp>

namespace {

std::string EnvironmentText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string ConfigurationFolder()
{
    std::string folder = EnvironmentText("XDG_CONFIG_HOME");
    if (!folder.empty())
        return folder;
    const std::string home = EnvironmentText("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

} // namespace

std::string GetAppDataFolder()
{
    std::string folder = ConfigurationFolder();
    if (folder.empty())
        return folder;
    // A folder that cannot be created shows later, when the file cannot be opened.
    boost::system::error_code ignored;
    boost::filesystem::create_directories(folder, ignored);
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

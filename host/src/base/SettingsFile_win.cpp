#include "vendrel/host/SettingsFile.h"

#include <windows.h>

#include <cstdlib>

namespace vendrel {

namespace {

// The file's last change and size: a file replaced whole or rewritten changes them.
std::string identityOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return "";
    }
    return std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
           std::to_string(data.ftLastWriteTime.dwLowDateTime) + ":" + std::to_string(data.nFileSizeLow);
}

} // namespace

void ignoreRelativeConfigHome() {}

std::string applicationDataFolder()
{
    const char* folder = std::getenv("APPDATA");
    return folder ? std::string(folder) : std::string();
}

SettingsFileWatch::SettingsFileWatch(std::string fileName)
{
    const std::string folder = applicationDataFolder();
    if (!folder.empty()) {
        path_ = folder + "\\" + fileName;
    }
    before_ = identityOf(path_);
}

std::string SettingsFileWatch::afterConfirmedDialog() const
{
    if (path_.empty()) {
        return "the confirmed settings were not kept: %APPDATA% names no folder for them";
    }
    const std::string now = identityOf(path_);
    if (!now.empty() && now != before_) {
        return "";
    }
    return "the confirmed settings were not kept in " + path_ + ": the file could not be written";
}

} // namespace vendrel

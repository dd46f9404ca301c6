#include "vendrel/host/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vendrel {

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The file's identity and last change: a file replaced whole gets a new inode, a rewritten one a new time.
std::string identityOf(const std::string& path)
{
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) {
        return "";
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" + std::to_string(info.st_mtim.tv_sec) +
           "." + std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_size);
}

} // namespace

void ignoreRelativeConfigHome()
{
    const std::string folder = variable("XDG_CONFIG_HOME");
    if (!folder.empty() && folder.front() != '/') {
        unsetenv("XDG_CONFIG_HOME");
    }
}

std::string applicationDataFolder()
{
    const std::string folder = variable("XDG_CONFIG_HOME");
    if (!folder.empty()) {
        return folder;
    }
    const std::string home = variable("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

SettingsFileWatch::SettingsFileWatch(std::string fileName)
{
    const std::string folder = applicationDataFolder();
    if (!folder.empty()) {
        path_ = folder + "/" + fileName;
    }
    before_ = identityOf(path_);
    struct stat info {};
    if (!path_.empty() && stat(path_.c_str(), &info) == 0) {
        formerMode_ = int(info.st_mode & 07777);
    }
}

std::string SettingsFileWatch::afterConfirmedDialog() const
{
    if (path_.empty()) {
        return "the confirmed settings were not kept: neither $XDG_CONFIG_HOME nor $HOME names a folder for them";
    }
    const std::string now = identityOf(path_);
    if (!now.empty() && now != before_) {
        struct stat info {};
        if (formerMode_ >= 0 && stat(path_.c_str(), &info) == 0 && int(info.st_mode & 07777) != formerMode_) {
            chmod(path_.c_str(), mode_t(formerMode_));
        }
        return "";
    }
    const std::string folder = applicationDataFolder();
    std::string why = "the file could not be written";
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        why = folder + " cannot be made (" + std::strerror(errno) + ")";
    } else if (!S_ISDIR(info.st_mode)) {
        why = folder + " is not a folder";
    } else if (access(folder.c_str(), W_OK) != 0) {
        why = folder + " is not writable";
    }
    return "the confirmed settings were not kept in " + path_ + ": " + why + "; the next dialog opens without them";
}

} // namespace vendrel

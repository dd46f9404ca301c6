#include "vendrel/host/PendingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "vendrel/host/PluginModule.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

std::string reason()
{
    return std::strerror(errno);
}

std::string folderOf(const std::string& target)
{
    fs::path folder = fs::path(target).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// A new file gets the permissions any new file would get; a replaced file keeps its own.
mode_t permissionsFor(const std::string& target)
{
    struct stat info {};
    if (stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A hidden name beside the target with a random part that no one can guess ahead.
std::string randomNameBeside(const std::string& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::random_device device;
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += letters[device() % (sizeof letters - 1)];
    fs::path path(target);
    std::string name = "." + path.filename().string() + ".vendrel-" + suffix;
    return (fs::path(folderOf(target)) / name).string();
}

int openUnnamed(const std::string& folder)
{
#ifdef O_TMPFILE
    return open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// O_EXCL with O_CREAT never follows a link planted at the name.
int openNamed(const std::string& target, std::string& name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = randomNameBeside(target);
        int fd = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

PendingFile::PendingFile(std::string target) : target_(std::move(target))
{
    checkReplaceableFile(target_);
    const std::string folder = folderOf(target_);
    fd_ = openUnnamed(folder);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        fd_ = openNamed(target_, name_);
    if (fd_ < 0) {
        name_.clear();
        if (errno == ENOENT)
            throw HostError(target_ + ": cannot write: the folder " + folder + " does not exist");
        throw HostError(target_ + ": cannot write: " + reason());
    }
    fchmod(fd_, permissionsFor(target_));
}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!placed_)
        discardName();
}

void PendingFile::write(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            throw HostError(target_ + ": cannot write: " + reason());
        done += size_t(wrote);
    }
}

void PendingFile::giveName()
{
    if (!name_.empty())
        return;
    // The unnamed file is linked in under a fresh random name; linkat never replaces an existing entry.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = randomNameBeside(target_);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name_ = name;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw HostError(target_ + ": cannot write: " + reason());
}

void PendingFile::replaceTarget()
{
    if (std::rename(name_.c_str(), target_.c_str()) != 0)
        throw HostError(target_ + ": cannot write: " + reason());
    placed_ = true;
}

void PendingFile::discardName()
{
    if (!name_.empty())
        unlink(name_.c_str());
    name_.clear();
}

void PendingFile::closeFile()
{
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0)
        throw HostError(target_ + ": cannot write: " + reason());
}

} // namespace vendrel

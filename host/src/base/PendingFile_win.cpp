#include "vendrel/host/PendingFile.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#include <random>

#include "vendrel/host/PluginModule.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

// A hidden name beside the target with a random part that no one can guess ahead.
std::string randomNameBeside(const std::string& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device device;
    std::string suffix;
    for (int i = 0; i < 12; ++i)
        suffix += letters[device() % (sizeof letters - 1)];
    const fs::path path(target);
    const fs::path name = "." + path.filename().string() + ".vendrel-" + suffix;
    return (path.has_parent_path() ? path.parent_path() / name : name).string();
}

} // namespace

PendingFile::PendingFile(std::string target) : target_(std::move(target))
{
    checkReplaceableFile(target_);
    // Windows has no unnamed files: the temporary file is created exclusively (CREATE_NEW) under a random name.
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        name_ = randomNameBeside(target_);
        const HANDLE file =
            CreateFileA(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS)
                break;
            continue;
        }
        fd_ = _open_osfhandle(intptr_t(file), _O_WRONLY | _O_BINARY);
    }
    if (fd_ < 0) {
        name_.clear();
        throw HostError(target_ + ": cannot write");
    }
}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        _close(fd_);
    if (!placed_)
        discardName();
}

void PendingFile::write(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const int wrote = _write(fd_, bytes.data() + done, unsigned(std::min<size_t>(bytes.size() - done, 1 << 30)));
        if (wrote <= 0)
            throw HostError(target_ + ": cannot write");
        done += size_t(wrote);
    }
}

void PendingFile::giveName() {}

void PendingFile::replaceTarget()
{
    SetFileAttributesA(name_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExA(name_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw HostError(target_ + ": cannot write");
    placed_ = true;
}

void PendingFile::discardName()
{
    if (!name_.empty())
        DeleteFileA(name_.c_str());
    name_.clear();
}

void PendingFile::closeFile()
{
    const int fd = fd_;
    fd_ = -1;
    if (_close(fd) != 0)
        throw HostError(target_ + ": cannot write");
}

} // namespace vendrel

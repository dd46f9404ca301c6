#include "TemporaryFolder.h"

#include <io.h>
#include <windows.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace vendrel {

namespace {

namespace fs = std::filesystem;

const char* const lockName = "owner.lock";

// The owner holds its lock file open without sharing: whoever opens it has found a folder whose owner is gone.
HANDLE openLock(const fs::path& path, DWORD creation)
{
    return CreateFileW(path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A folder without a lock yet is being made: left alone.
void removeAbandoned(const fs::path& base, const std::string& prefix)
{
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().rfind(prefix, 0) != 0) {
            continue;
        }
        const HANDLE lock = openLock(it->path() / lockName, OPEN_EXISTING);
        if (lock == INVALID_HANDLE_VALUE) {
            continue;
        }
        CloseHandle(lock);
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);
    }
}

std::string randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device device;
    std::string suffix;
    for (int i = 0; i < 12; ++i) {
        suffix += letters[device() % (sizeof letters - 1)];
    }
    return suffix;
}

} // namespace

TemporaryFolder::TemporaryFolder(const std::string& prefix)
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        throw std::runtime_error("cannot find the temporary folder: " + error.message());
    }
    removeAbandoned(base, prefix);
    // Made exclusively under a random name: a folder or link planted at a predictable name is never used.
    for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
        const fs::path candidate = base / (prefix + randomSuffix());
        if (CreateDirectoryW(candidate.wstring().c_str(), nullptr)) {
            path_ = candidate.string();
        } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    }
    const HANDLE lock = openLock(fs::path(path_) / lockName, CREATE_NEW);
    if (lock == INVALID_HANDLE_VALUE) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    }
    lock_ = _open_osfhandle(intptr_t(lock), 0);
    if (lock_ < 0) {
        CloseHandle(lock);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    }
}

TemporaryFolder::~TemporaryFolder()
{
    if (lock_ >= 0) {
        _close(lock_);
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

} // namespace vendrel

#include "TemporaryFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace vendrel {

namespace {

namespace fs = std::filesystem;

const char* const lockName = "owner.lock";

fs::path temporaryBase()
{
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

// A folder whose lock can be taken has lost its owner. A folder without a lock yet is being made: left alone.
void removeAbandoned(const fs::path& base, const std::string& prefix)
{
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().rfind(prefix, 0) != 0) {
            continue;
        }
        int fd = open((it->path() / lockName).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
        close(fd);
    }
}

} // namespace

TemporaryFolder::TemporaryFolder(const std::string& prefix)
{
    fs::path base = temporaryBase();
    removeAbandoned(base, prefix);
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    }
    path_ = buffer.data();
    // The lock is taken before it gets its name, so that no other command ever finds it free.
    std::string unnamed = path_ + "/lock.new";
    lock_ = open(unnamed.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
    if (lock_ < 0 || flock(lock_, LOCK_EX) != 0 || rename(unnamed.c_str(), (path_ + "/" + lockName).c_str()) != 0) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    }
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    if (lock_ >= 0) {
        close(lock_);
    }
}

} // namespace vendrel

#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    // Without O_NONBLOCK the open of a FIFO would wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::vector<char> buffer(ok ? 4096 : 0);
    while (ok && bytes.size() < maxBytes) {
        const size_t wanted = std::min(buffer.size(), maxBytes - bytes.size());
        const ssize_t got = read(fd, buffer.data(), wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(buffer.data(), size_t(got));
    }
    close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

namespace {

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += size_t(wrote);
    }
    return true;
}

} // namespace

bool ReplaceFileWith(const std::string& path, const std::string& bytes)
{
    // mkstemp creates the file exclusively under a name no one can plant ahead.
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return false;
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    const bool written = WriteAll(fd, bytes);
    const bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(name.data(), path.c_str()) != 0) {
        unlink(name.data());
        return false;
    }
    return true;
}

std::string ToPlatformText(const std::string& text)
{
    return text;
}

std::string FromPlatformText(const std::string& text)
{
    return text;
}

#include "vendrel/host/RegularFile.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

} // namespace

int openRegularFile(const std::string& path, uint64_t maxBytes)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw HostError(path + ": " + (errno == ENOENT ? std::string("no such file") : std::strerror(errno)));
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const std::string kind = kindOf(info.st_mode);
        close(fd);
        throw HostError(path + ": is " + kind + ", not a regular file");
    }
    if (uint64_t(info.st_size) > maxBytes) {
        close(fd);
        throw HostError(path + ": the file is larger than " + std::to_string(maxBytes) + " bytes");
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::vector<uint8_t> readRegularFile(const std::string& path, uint64_t maxBytes)
{
    int fd = openRegularFile(path, maxBytes);
    // Read straight into a vector of the file's size, which grows only if the file grew since it was measured.
    struct stat info {};
    const size_t expected = fstat(fd, &info) == 0 ? size_t(std::min<uint64_t>(uint64_t(info.st_size), maxBytes)) : 0;
    std::vector<uint8_t> bytes(expected + 1);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(std::min<uint64_t>(uint64_t(bytes.size()) * 2, maxBytes + 1));
        }
        ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            close(fd);
            throw HostError(path + ": cannot read: " + std::strerror(error));
        }
        if (got == 0)
            break;
        filled += size_t(got);
        if (filled > maxBytes) {
            close(fd);
            throw HostError(path + ": the file is larger than " + std::to_string(maxBytes) + " bytes");
        }
    }
    close(fd);
    bytes.resize(filled);
    return bytes;
}

bool isRegularFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void checkReplaceableFile(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw HostError(path + ": is " + kindOf(info.st_mode) +
                        ", not a regular file; only a regular file is replaced");
}

} // namespace vendrel

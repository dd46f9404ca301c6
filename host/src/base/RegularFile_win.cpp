#include "vendrel/host/RegularFile.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

// A disk file of at most maxBytes, opened for reading; a folder, a pipe or a device is refused.
HANDLE openDiskFile(const std::string& path, uint64_t maxBytes)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw HostError(path + ": is a folder, not a regular file");
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            throw HostError(path + ": no such file");
        throw HostError(path + ": cannot open the file");
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        throw HostError(path + ": is not a regular file");
    }
    if (uint64_t(size.QuadPart) > maxBytes) {
        CloseHandle(file);
        throw HostError(path + ": the file is larger than " + std::to_string(maxBytes) + " bytes");
    }
    return file;
}

} // namespace

int openRegularFile(const std::string& path, uint64_t maxBytes)
{
    const int fd = _open_osfhandle(intptr_t(openDiskFile(path, maxBytes)), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        throw HostError(path + ": cannot open the file");
    return fd;
}

std::vector<uint8_t> readRegularFile(const std::string& path, uint64_t maxBytes)
{
    const HANDLE file = openDiskFile(path, maxBytes);
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            CloseHandle(file);
            throw HostError(path + ": cannot read");
        }
        if (got == 0)
            break;
        if (bytes.size() + got > maxBytes) {
            CloseHandle(file);
            throw HostError(path + ": the file is larger than " + std::to_string(maxBytes) + " bytes");
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    CloseHandle(file);
    return bytes;
}

void checkReplaceableFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw HostError(path + ": is a folder, not a regular file; only a regular file is replaced");
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        throw HostError(path + ": is a device, not a regular file; only a regular file is replaced");
}

bool isRegularFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_DEVICE);
}

} // namespace vendrel

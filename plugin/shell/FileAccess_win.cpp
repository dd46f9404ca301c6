#include "FileAccess.h"

#include <windows.h>

#include <cstdio>
#include <vector>

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    // A folder cannot be opened this way; a pipe or a device opens but is no disk file.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    std::vector<char> buffer(ok ? 4096 : 0);
    while (ok && bytes.size() < maxBytes) {
        DWORD got = 0;
        const DWORD wanted = DWORD(std::min(buffer.size(), maxBytes - bytes.size()));
        if (!ReadFile(file, buffer.data(), wanted, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        bytes.append(buffer.data(), got);
    }
    CloseHandle(file);
    if (!ok)
        bytes.clear();
    return ok;
}

bool ReplaceFileWith(const std::string& path, const std::string& bytes)
{
    // CREATE_NEW never opens a file that is already there, so nothing planted at the name is written through.
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08lx%04lx", static_cast<unsigned long>(GetTickCount()),
                      static_cast<unsigned long>(attempt + GetCurrentProcessId()));
        temporary = path + suffix;
        file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD wrote = 0;
    const bool written = WriteFile(file, bytes.data(), DWORD(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

std::string ToPlatformText(const std::string& text)
{
    std::string converted;
    converted.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

std::string FromPlatformText(const std::string& text)
{
    std::string converted;
    converted.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        converted += text[i];
    }
    return converted;
}

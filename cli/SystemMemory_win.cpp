// The memory available on Windows: the physical memory the system can give without paging.
#include <windows.h>

#include <cstdlib>

#include "RunMemory.h"

namespace vendrel {

std::optional<uint64_t> availableMemoryBytes()
{
    if (const char* stand = std::getenv("VENDREL_TEST_MEMORY_AVAILABLE")) {
        return std::strtoull(stand, nullptr, 10);
    }
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return std::nullopt;
    }
    return uint64_t(status.ullAvailPhys);
}

} // namespace vendrel

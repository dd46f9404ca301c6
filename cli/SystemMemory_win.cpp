// The memory available on Windows: the physical memory the system can give without paging.
#include <windows.h>

#include "RunMemory.h"
#include "TestHooks.h"

namespace vendrel {

std::optional<uint64_t> availableMemoryBytes()
{
    if (const std::optional<uint64_t> stand = testHookBytes("VENDREL_TEST_MEMORY_AVAILABLE")) {
        return stand;
    }
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return std::nullopt;
    }
    return uint64_t(status.ullAvailPhys);
}

} // namespace vendrel

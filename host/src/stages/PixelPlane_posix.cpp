// Large buffers come from the heap as any other, and their whole large pages are marked for transparent huge pages
// where the system offers them on request: a buffer the heap maps afresh then takes a fault every 2 MB rather than
// every 4 KB, and one made of memory a run before gave back (already faulted in) takes none.
#include "vendrel/host/PixelPlane.h"

#include <cstdint>
#include <sys/mman.h>

namespace vendrel {

namespace {
constexpr uintptr_t largePage = uintptr_t(2) << 20;
}

void* allocatePlaneMemory(size_t bytes)
{
    void* memory = ::operator new(bytes);
    const uintptr_t start = reinterpret_cast<uintptr_t>(memory);
    const uintptr_t first = (start + largePage - 1) & ~(largePage - 1), last = (start + bytes) & ~(largePage - 1);
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE); // advice only: works the same without
    }
    return memory;
}

void releasePlaneMemory(void* memory, size_t) noexcept
{
    ::operator delete(memory);
}

} // namespace vendrel

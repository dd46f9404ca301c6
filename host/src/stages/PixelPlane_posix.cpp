// Large buffers are mapped on their own and marked for large pages (transparent huge pages where the system
// offers them on request), so that filling one takes a fault every 2 MB rather than every 4 KB.
#include "vendrel/host/PixelPlane.h"

#include <sys/mman.h>

namespace vendrel {

namespace {
constexpr size_t mappedFrom = size_t(4) << 20;
}

void* allocatePlaneMemory(size_t bytes)
{
    if (bytes < mappedFrom) {
        return ::operator new(bytes);
    }
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    madvise(memory, bytes, MADV_HUGEPAGE); // advice only: without large pages the buffer works the same
    return memory;
}

void releasePlaneMemory(void* memory, size_t bytes) noexcept
{
    if (bytes < mappedFrom) {
        ::operator delete(memory);
        return;
    }
    munmap(memory, bytes);
}

} // namespace vendrel

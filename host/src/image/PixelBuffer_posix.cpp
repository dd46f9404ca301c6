#include "PixelBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

namespace vendrel {

namespace {

// Asks for large pages over the whole pages of the range and has them all mapped now. Either request may be
// refused (an older kernel, large pages switched off); the buffer then fills page by page as before.
void mapAtOnce(uint8_t* start, size_t size)
{
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (uintptr_t(start) + page - 1) & ~(page - 1);
    const uintptr_t end = (uintptr_t(start) + size) & ~(page - 1);
    if (end <= begin) {
        return;
    }
    void* range = reinterpret_cast<void*>(begin);
    madvise(range, end - begin, MADV_HUGEPAGE);
    madvise(range, end - begin, MADV_POPULATE_WRITE);
}

} // namespace

std::vector<uint8_t> newPixelBuffer(size_t size)
{
    std::vector<uint8_t> pixels;
    pixels.reserve(size);
    mapAtOnce(pixels.data(), size);
    pixels.resize(size);
    return pixels;
}

} // namespace vendrel

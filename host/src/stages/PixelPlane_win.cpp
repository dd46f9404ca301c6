// On Windows the stages' buffers come from the ordinary heap: large pages there need a privilege that users lack.
#include "vendrel/host/PixelPlane.h"

namespace vendrel {

void* allocatePlaneMemory(size_t bytes)
{
    return ::operator new(bytes);
}

void releasePlaneMemory(void* memory, size_t) noexcept
{
    ::operator delete(memory);
}

} // namespace vendrel

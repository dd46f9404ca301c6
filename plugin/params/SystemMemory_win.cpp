#include "SystemMemory.h"

#include <windows.h>

// Fixed global blocks: the block's handle is its address, so it is used like any pointer.
void* SystemAllocate(size_t size)
{
    return GlobalAlloc(GPTR, size > 0 ? size : 1);
}

void* SystemReallocate(void* block, size_t size)
{
    return GlobalReAlloc(block, size > 0 ? size : 1, GMEM_MOVEABLE);
}

void SystemFree(void* block)
{
    if (block)
        GlobalFree(block);
}

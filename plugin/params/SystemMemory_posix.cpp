#include "SystemMemory.h"

#include <cstdlib>

void* SystemAllocate(size_t size)
{
    return std::calloc(size > 0 ? size : 1, 1);
}

void* SystemReallocate(void* block, size_t size)
{
    return std::realloc(block, size > 0 ? size : 1);
}

void SystemFree(void* block)
{
    std::free(block);
}

// Blocks of the system's own memory, for the plug-in's own handles: the heap on Linux, the system's global
// memory functions on Windows.
#pragma once

#include <cstddef>

// A zero-filled block of at least one byte, or null.
void* SystemAllocate(size_t size);
// The block grown or shrunk to at least one byte, possibly moved; null (and the old block kept) on failure.
void* SystemReallocate(void* block, size_t size);
void SystemFree(void* block);

// The host's handles: a handle is a pointer to a master pointer that addresses the data, so plug-ins can
// reach the bytes without locking. Sizes and lock counts are kept by the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PIHandles.h"

namespace vendrel {

// The procedure table handed to plug-ins (version 1, eight procedures).
HandleProcs* hostHandleProcs();

// A new handle holding a copy of size bytes (bytes may be null for zeroed bytes); null when out of memory.
Handle newHostHandle(const void* bytes, size_t size);
// A copy of a live handle's bytes; empty for a null, unknown or disposed handle.
std::vector<uint8_t> hostHandleBytes(Handle handle);
// True when handle was made by the host and is not disposed yet.
bool isLiveHostHandle(Handle handle);
// Releases a handle; null, unknown or already disposed handles are ignored.
void disposeHostHandle(Handle handle);
// The number of handles made and not yet disposed.
size_t liveHostHandles();

} // namespace vendrel

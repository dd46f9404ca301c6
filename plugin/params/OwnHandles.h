// The plug-in's own handles in the system's memory, used when the host offers no usable handle procedures.
#pragma once

#include <cstddef>

#include "PIHandles.h"

// The tag that marks the plug-in's own handles.
inline constexpr uint32 kOwnHandleTag = PIFourCC("FOTO");

// A handle points at the first field of a heap block that holds a pointer to the
// data and the 'FOTO' tag, so it dereferences like any host handle.
namespace OwnHandles {
Handle New(int32 size);
void Dispose(Handle handle);
int32 GetSize(Handle handle);
bool SetSize(Handle handle, int32 size);
Ptr Lock(Handle handle);
void Unlock(Handle handle);
// How many own handles are alive (for leak checks).
size_t LiveCount();
} // namespace OwnHandles

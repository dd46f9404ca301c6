// Handles for the plug-in's text and descriptor values: the host's handle procedures when they are usable,
// otherwise handles of the plug-in's own in the system's memory.
#pragma once

#include "PIHandles.h"

// True when the host's handle procedures can be used: version exactly 1, at least 8 procedures, and the new,
// dispose, get-size and set-size procedures present.
bool HostHandleProcsUsable(const HandleProcs* procs);

class PluginHandles {
public:
    // Uses hostProcs when they are usable, else the plug-in's own handles.
    explicit PluginHandles(const HandleProcs* hostProcs);

    bool UsesHost() const { return host_ != nullptr; }

    // A handle of size bytes, or null when no memory could be had.
    Handle New(int32 size) const;
    // A handle holding a copy of size bytes, or null.
    Handle NewFrom(const void* bytes, int32 size) const;
    // Releases the handle; null is ignored.
    void Dispose(Handle handle) const;
    int32 GetSize(Handle handle) const;
    bool SetSize(Handle handle, int32 size) const;
    // The handle's data, kept in place until Unlock.
    Ptr Lock(Handle handle) const;
    void Unlock(Handle handle) const;

private:
    const HandleProcs* host_;
};

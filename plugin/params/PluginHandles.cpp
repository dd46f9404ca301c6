#include "PluginHandles.h"

#include <cstring>

#include "OwnHandles.h"

bool HostHandleProcsUsable(const HandleProcs* procs)
{
    return procs && procs->handleProcsVersion == kCurrentHandleProcsVersion &&
           procs->numHandleProcs >= kCurrentHandleProcsCount && procs->newProc && procs->disposeProc &&
           procs->getSizeProc && procs->setSizeProc;
}

PluginHandles::PluginHandles(const HandleProcs* hostProcs)
    : host_(HostHandleProcsUsable(hostProcs) ? hostProcs : nullptr)
{
}

Handle PluginHandles::New(int32 size) const
{
    if (size < 0)
        return nullptr;
    return host_ ? host_->newProc(size) : OwnHandles::New(size);
}

Handle PluginHandles::NewFrom(const void* bytes, int32 size) const
{
    Handle handle = New(size);
    if (!handle)
        return nullptr;
    if (size > 0) {
        Ptr data = Lock(handle);
        if (data && GetSize(handle) >= size)
            std::memcpy(data, bytes, size_t(size));
        Unlock(handle);
    }
    return handle;
}

void PluginHandles::Dispose(Handle handle) const
{
    if (!handle)
        return;
    if (host_)
        host_->disposeProc(handle);
    else
        OwnHandles::Dispose(handle);
}

int32 PluginHandles::GetSize(Handle handle) const
{
    if (!handle)
        return 0;
    return host_ ? host_->getSizeProc(handle) : OwnHandles::GetSize(handle);
}

bool PluginHandles::SetSize(Handle handle, int32 size) const
{
    if (!handle || size < 0)
        return false;
    return host_ ? host_->setSizeProc(handle, size) == noErr : OwnHandles::SetSize(handle, size);
}

Ptr PluginHandles::Lock(Handle handle) const
{
    if (!handle)
        return nullptr;
    if (!host_)
        return OwnHandles::Lock(handle);
    // The lock procedure is optional; an unlocked host handle still addresses its data.
    return host_->lockProc ? host_->lockProc(handle, false) : *handle;
}

void PluginHandles::Unlock(Handle handle) const
{
    if (!handle)
        return;
    if (!host_)
        OwnHandles::Unlock(handle);
    else if (host_->unlockProc)
        host_->unlockProc(handle);
}

#include "vendrel/host/HostHandles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <unordered_map>

#include "NoThrow.h"

namespace vendrel {

namespace {

struct HandleBlock {
    size_t size = 0;
    int32_t locks = 0;
};

// Master pointers live in a deque that only grows: a disposed master pointer is set to null and never handed
// out again, so a stale handle can never alias a live one.
struct HandleTable {
    std::mutex mutex;
    std::deque<Ptr> masters;
    std::unordered_map<Handle, HandleBlock> live;
};

// Never destroyed: handles may be disposed of by static objects during exit.
HandleTable& table()
{
    static HandleTable* instance = new HandleTable;
    return *instance;
}

// Data blocks are never zero bytes long, so a live master pointer is never null.
Ptr allocateData(size_t size)
{
    return static_cast<Ptr>(std::calloc(size ? size : 1, 1));
}

Handle makeHandle(size_t size)
{
    Ptr data = allocateData(size);
    if (!data)
        return nullptr;
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    handles.masters.push_back(data);
    Handle handle = &handles.masters.back();
    handles.live[handle] = HandleBlock{size, 0};
    return handle;
}

Handle newProc(int32 size)
{
    return size < 0 ? nullptr : makeHandle(size_t(size));
}

void disposeProc(Handle handle)
{
    disposeHostHandle(handle);
}

int32 getSizeProc(Handle handle)
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    return it == handles.live.end() ? 0 : int32(it->second.size);
}

OSErr setSizeProc(Handle handle, int32 newSize)
{
    if (newSize < 0)
        return paramErr;
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    if (it == handles.live.end())
        return paramErr;
    Ptr resized = allocateData(size_t(newSize));
    if (!resized)
        return memFullErr;
    std::memcpy(resized, *handle, std::min(it->second.size, size_t(newSize)));
    std::free(*handle);
    *handle = resized;
    it->second.size = size_t(newSize);
    return noErr;
}

Ptr lockProc(Handle handle, Boolean moveHigh)
{
    (void)moveHigh;
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    if (it == handles.live.end())
        return nullptr;
    ++it->second.locks;
    return *handle;
}

void unlockProc(Handle handle)
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    if (it != handles.live.end() && it->second.locks > 0)
        --it->second.locks;
}

// Memory is not purgeable here; there is nothing to recover.
void recoverSpaceProc(int32 size)
{
    (void)size;
}

HandleProcs gHandleProcs = {kCurrentHandleProcsVersion, kCurrentHandleProcsCount, noThrow<newProc>,
                            noThrow<disposeProc>,       noThrow<getSizeProc>,     noThrow<setSizeProc>,
                            noThrow<lockProc>,          noThrow<unlockProc>,      noThrow<recoverSpaceProc>,
                            noThrow<disposeProc>};

} // namespace

HandleProcs* hostHandleProcs()
{
    return &gHandleProcs;
}

Handle newHostHandle(const void* bytes, size_t size)
{
    Handle handle = makeHandle(size);
    if (handle && bytes && size)
        std::memcpy(*handle, bytes, size);
    return handle;
}

std::vector<uint8_t> hostHandleBytes(Handle handle)
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    if (it == handles.live.end())
        return {};
    const auto* data = reinterpret_cast<const uint8_t*>(*handle);
    return std::vector<uint8_t>(data, data + it->second.size);
}

bool isLiveHostHandle(Handle handle)
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    return handles.live.count(handle) != 0;
}

void disposeHostHandle(Handle handle)
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    const auto it = handles.live.find(handle);
    if (it == handles.live.end())
        return;
    std::free(*handle);
    *handle = nullptr;
    handles.live.erase(it);
}

size_t liveHostHandles()
{
    HandleTable& handles = table();
    std::lock_guard lock(handles.mutex);
    return handles.live.size();
}

} // namespace vendrel

#include "OwnHandles.h"

#include "SystemMemory.h"

#include <cstring>
#include <new>
#include <unordered_set>

namespace {

// The master pointer comes first, so that the handle (the block's address) dereferences to the data.
struct OwnHandleBlock {
    Ptr data;
    uint32 tag;
    int32 size;
    int32 lockCount;
};

// Every live block, so that a handle that is not one of ours (or no longer alive) is never touched.
std::unordered_set<const OwnHandleBlock*>& LiveBlocks()
{
    static std::unordered_set<const OwnHandleBlock*> blocks;
    return blocks;
}

OwnHandleBlock* FindBlock(Handle handle)
{
    auto* block = reinterpret_cast<OwnHandleBlock*>(handle);
    if (!handle || !LiveBlocks().count(block) || block->tag != kOwnHandleTag)
        return nullptr;
    return block;
}

// Data blocks are never empty, so that a handle of size 0 still has a non-null master pointer.
Ptr AllocateData(int32 size)
{
    return static_cast<Ptr>(SystemAllocate(size_t(size)));
}

} // namespace

namespace OwnHandles {

Handle New(int32 size)
{
    if (size < 0)
        return nullptr;
    auto* block = static_cast<OwnHandleBlock*>(SystemAllocate(sizeof(OwnHandleBlock)));
    if (!block)
        return nullptr;
    block->data = AllocateData(size);
    if (!block->data) {
        SystemFree(block);
        return nullptr;
    }
    block->tag = kOwnHandleTag;
    block->size = size;
    block->lockCount = 0;
    try {
        LiveBlocks().insert(block);
    } catch (const std::bad_alloc&) {
        SystemFree(block->data);
        SystemFree(block);
        return nullptr;
    }
    return &block->data;
}

void Dispose(Handle handle)
{
    OwnHandleBlock* block = FindBlock(handle);
    if (!block)
        return;
    LiveBlocks().erase(block);
    block->tag = 0;
    SystemFree(block->data);
    SystemFree(block);
}

int32 GetSize(Handle handle)
{
    const OwnHandleBlock* block = FindBlock(handle);
    return block ? block->size : 0;
}

bool SetSize(Handle handle, int32 size)
{
    OwnHandleBlock* block = FindBlock(handle);
    // A locked block must stay where it is.
    if (!block || size < 0 || block->lockCount > 0)
        return false;
    Ptr data = static_cast<Ptr>(SystemReallocate(block->data, size_t(size)));
    if (!data)
        return false;
    if (size > block->size)
        std::memset(data + block->size, 0, size_t(size - block->size));
    block->data = data;
    block->size = size;
    return true;
}

Ptr Lock(Handle handle)
{
    OwnHandleBlock* block = FindBlock(handle);
    if (!block)
        return nullptr;
    ++block->lockCount;
    return block->data;
}

void Unlock(Handle handle)
{
    OwnHandleBlock* block = FindBlock(handle);
    if (block && block->lockCount > 0)
        --block->lockCount;
}

size_t LiveCount()
{
    return LiveBlocks().size();
}

} // namespace OwnHandles

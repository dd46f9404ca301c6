// The settings record in the host's parameters handle, which the host keeps between selectors and runs.
#include <cstring>

#include "CVendrel.h"
#include "PluginHandles.h"

namespace {

constexpr int32 kRecordSize = int32(sizeof(_SVendrelParams));

// Writing must stay inside the handle: a host that can tell the size and reports less is not written to. Some
// hosts' size procedure answers 0 for every live handle (it cannot tell); the handle was just made or sized to
// hold the record, so that answer is taken as unknown.
bool HandleHoldsRecord(Handle handle, const HandleProcs* procs)
{
    if (!handle || !*handle)
        return false;
    if (procs && procs->getSizeProc) {
        const int32 size = procs->getSizeProc(handle);
        return size >= kRecordSize || size == 0;
    }
    return true;
}

} // namespace

bool CVendrel::ReadParameters(CVendrelParams& params)
{
    if (!filterRecord || !filterRecord->parameters)
        return false;
    return params.LoadFromHandle(filterRecord->parameters, filterRecord->handleProcs);
}

void CVendrel::WriteParameters(const CVendrelParams& params)
{
    if (!filterRecord)
        return;
    const HandleProcs* procs = filterRecord->handleProcs;
    if (!filterRecord->parameters) {
        if (procs && procs->newProc)
            filterRecord->parameters = procs->newProc(kRecordSize);
    } else if (procs && procs->setSizeProc) {
        procs->setSizeProc(filterRecord->parameters, kRecordSize);
    }
    Handle handle = filterRecord->parameters;
    if (!HandleHoldsRecord(handle, procs))
        return;
    // byteSwapped and the padding keep the bytes that the handle already holds.
    _SVendrelParams stored;
    std::memcpy(&stored, *handle, sizeof stored);
    CopyParams(params, stored);
    std::memcpy(*handle, &stored, sizeof stored);
}

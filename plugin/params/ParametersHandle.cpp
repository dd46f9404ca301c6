// The settings record in the host's parameters handle, which the host keeps between selectors and runs.
#include <cstring>

#include "CVendrel.h"
#include "PluginHandles.h"

namespace {

constexpr int32 kRecordSize = int32(sizeof(_SVendrelParams));

// Writing must stay inside the handle: a host that can tell the size and reports less is not written to.
bool HandleHoldsRecord(Handle handle, const HandleProcs* procs)
{
    if (!handle || !*handle)
        return false;
    if (procs && procs->getSizeProc)
        return procs->getSizeProc(handle) >= kRecordSize;
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

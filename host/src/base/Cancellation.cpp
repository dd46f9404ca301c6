#include "vendrel/host/Cancellation.h"

#include <atomic>

namespace vendrel {

namespace {

std::atomic<bool (*)()> installedProbe{nullptr};

} // namespace

void setCancelProbe(bool (*probe)())
{
    installedProbe.store(probe);
}

bool cancelRequested()
{
    bool (*probe)() = installedProbe.load();
    return probe != nullptr && probe();
}

void throwIfCancelled()
{
    if (cancelRequested())
        throw CancelledError();
}

} // namespace vendrel

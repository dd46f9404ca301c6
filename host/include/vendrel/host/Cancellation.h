// Cancelling the host's own long steps (decoding, the flatting stages, encoding, writing OpenRaster parts) the
// way the filter's abort callback cancels the filter: a front end installs a probe that says whether the user
// asked to stop, and the steps ask it often enough to stop within a fraction of a second.
#pragma once

#include "PluginModule.h"

namespace vendrel {

// Thrown by throwIfCancelled once the probe answers true. The step that throws leaves no file changed.
class CancelledError : public HostError {
public:
    CancelledError() : HostError("cancelled") {}
};

// Installs the probe (a plain function, safe to call from any thread); null removes it. Without a probe nothing
// is ever cancelled.
void setCancelProbe(bool (*probe)());

// Whether the probe asks to stop now.
bool cancelRequested();

// Throws CancelledError when the probe asks to stop.
void throwIfCancelled();

} // namespace vendrel

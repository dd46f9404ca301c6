// The host's state that suites reach during a selector call. The plug-in's callbacks carry no context, so
// the host keeps the context of the call in progress here (one filter call at a time per process).
#pragma once

#include <functional>
#include <string>

#include "PIColorServices.h"

#include "vendrel/host/FrontEnd.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

struct HostContext {
    const PluginModule* module = nullptr; // the module being called: its dialog and bitmap resources
    FrontEnd* frontEnd = nullptr;         // never null while a call is in progress
    std::string hostFolder;               // the folder that holds "Color Swatches"
    // Sees every colour-services request before the host answers it; may be empty.
    std::function<void(const ColorServicesInfo&)> colorRequestObserver;
};

// The context of the call in progress, or null between calls.
HostContext* currentHostContext();
void setCurrentHostContext(HostContext* context);

} // namespace vendrel

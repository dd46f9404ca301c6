// A module's code as the platform's dynamic loader sees it: open, find the entry point, close.
#pragma once

#include <string>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

// The entry point's name that the property list gives for this host's architecture; empty when it names none.
std::string entryPointFor(const PiplInfo& pipl);

// Loads the module's code. Throws HostError naming the path and the loader's reason.
void* openModuleLibrary(const std::string& path);
// The address of the named entry point. Throws HostError when the module has none.
void* findModuleEntry(void* library, const std::string& name, const std::string& path);
void closeModuleLibrary(void* library);

} // namespace vendrel

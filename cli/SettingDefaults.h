// The defaults of the filter's settings, as the module itself records them.
#pragma once

#include <optional>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

// The descriptor the module records for a run given no settings at all: every scripted setting at its default.
// The terminology names the settings but holds no defaults, so the module is asked the way a host learns them:
// a run on a one-pixel image without a dialog. Nothing when that run fails.
std::optional<Descriptor> recordedDefaults(const PluginModule& module);

} // namespace vendrel

// Action files on the command line: the settings of one filter step, replayed with --action, saved with --record.
#pragma once

#include <string>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

// The descriptor of the action saved in path. Throws UsageError naming --action when it cannot be used.
Descriptor loadActionFile(const std::string& path, const PluginModule& module);
// Saves the descriptor the filter recorded. Throws HostError.
void saveActionFile(const std::string& path, const PluginModule& module, const Descriptor& recorded);

} // namespace vendrel

// Action files on the command line: the settings of one filter step, replayed with --action, saved with --record.
#pragma once

#include <string>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

// The descriptor of the action saved in path. Throws UsageError naming --action and the key at fault when it
// cannot be used: not a regular file, not an action, a value out of its range, a palette name with a path.
Descriptor loadActionFile(const std::string& path, const PluginModule& module);
// Writes the descriptor the filter recorded into a pending file. Throws HostError.
void writeAction(PendingFile& file, const PluginModule& module, const Descriptor& recorded);

} // namespace vendrel

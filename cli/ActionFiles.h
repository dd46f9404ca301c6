// Action files on the command line: the settings of one filter step, replayed with --action, saved with --record.
#pragma once

#include <string>
#include <vector>

#include "vendrel/host/ActionFile.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/FlattingStages.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

// The settings and the flatting stages of the action saved in path. Throws UsageError naming --action and the
// key at fault when it cannot be used: not a regular file, not an action, a value out of its range, a palette
// name with a path, a stage that is unknown or out of its range.
Action loadActionFile(const std::string& path, const PluginModule& module);
// The stages a run plays: the action's, each overlaid by the stage option of the command line when one was given
// (given names them, as "close-gaps").
FlattingOptions stagesToPlay(const FlattingOptions& options, const std::vector<std::string>& given,
                             const Action& action);
// Writes the descriptor the filter recorded, with the stages the run played, into a pending file. Throws
// HostError.
void writeAction(PendingFile& file, const PluginModule& module, const Descriptor& recorded,
                 const FlattingOptions& stages);

} // namespace vendrel

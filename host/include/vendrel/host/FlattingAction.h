// The flatting stages as an action holds them: every stage option under a name of its own, the name of the
// command's option ("close-gaps", "merge-specks", "flats", "distinct", "paper").
#pragma once

#include "ActionFile.h"
#include "FlattingStages.h"

namespace vendrel {

// Every stage option, in a fixed order: replaying the action plays the same stages.
ActionSteps flattingSteps(const FlattingOptions& options);

// The stage options the steps name, over base (the options a step leaves out keep base's values). Throws
// HostError naming a step that is unknown, of the wrong type or out of range.
FlattingOptions flattingOptionsFrom(const ActionSteps& steps, FlattingOptions base = {});

} // namespace vendrel

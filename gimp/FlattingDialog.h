// The flatting procedure's own options, asked for before the filter's dialog when the run is interactive.
#pragma once

#include "vendrel/host/FlattingStages.h"

namespace vendrel::gimp {

// Shows "Close gaps up to N pixels" and "Flats" starting from options; the user's choice, or false when
// cancelled.
bool askFlattingOptions(FlattingOptions& options);

} // namespace vendrel::gimp

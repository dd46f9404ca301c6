// The settings the flatting stages need before the filter runs: the fill colour and the tolerance.
#pragma once

#include "Descriptor.h"
#include "FillWindow.h"
#include "PluginModule.h"

namespace vendrel {

// The colour window of the run that descriptor will play. A fill colour or tolerance the descriptor leaves out
// is put into it (white, 0), so that the filter runs with exactly the window the stages assume.
FillWindow flattingWindow(const PluginModule& module, Descriptor& descriptor, const HostImage& image);

} // namespace vendrel

// The settings the flatting stages need before the filter runs: the fill colour and the tolerance.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "AreaColours.h"
#include "Descriptor.h"
#include "FillWindow.h"
#include "PluginModule.h"

namespace vendrel {

// The colour window of the run that descriptor will play. A fill colour or tolerance the descriptor leaves out
// is put into it (white, 0), so that the filter runs with exactly the window the stages assume.
FillWindow flattingWindow(const PluginModule& module, Descriptor& descriptor, const HostImage& image);

// The fill colour of the run that descriptor will play (16-bit RGB channels), put into it (white) when it leaves
// it out, as flattingWindow does.
std::array<uint16_t, 3> flattingFillColour(const PluginModule& module, Descriptor& descriptor);

// How the filter coloured the areas of a run with these settings (the descriptor it recorded): the palette read
// from hostFolder's "Color Swatches" and converted into the image's mode (none with random colours), the flag
// colour, the small-area rules and the fill colour's window. Throws HostError when a colour cannot be converted.
AreaColours areaColoursFor(const PluginModule& module, const Descriptor& settings, const std::string& hostFolder,
                           const HostImage& image);

} // namespace vendrel

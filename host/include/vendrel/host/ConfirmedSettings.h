// The settings a run would play, learnt before the run: for stages that must know the fill colour and tolerance
// before the filter touches the image (gap closing, flats) while the user still picks them in the filter's dialog.
#pragma once

#include <cstdint>
#include <optional>

#include "Descriptor.h"
#include "FilterHost.h"
#include "HostImage.h"
#include "PluginModule.h"

namespace vendrel {

struct ConfirmedSettings {
    int16_t result = 0;                   // 0, or the run's failure (-128: the user cancelled the dialog)
    std::optional<Descriptor> descriptor; // the settings confirmed, as a run without the dialog plays them
};

// Runs the filter with options (its dialog shown or confirmed as it opens, through config's front end) on a
// one-pixel stand-in of image's mode, so that the real image is untouched, and answers the descriptor the filter
// recorded. The stand-in run's alerts and progress are kept from the user: they are about the stand-in.
ConfirmedSettings confirmSettings(const PluginModule& module, const HostConfig& config, const RunOptions& options,
                                  const HostImage& image);

} // namespace vendrel

// GIMP's side of one filter run on a drawable: its front end, the swatch folder with the user's palettes, the
// host configuration that hands both to the host, and the run's result as a PDB status.
#pragma once

#include <libgimp/gimp.h>

#include "GimpFrontEnd.h"
#include "SwatchFolder.h"
#include "vendrel/host/FilterHost.h"

namespace vendrel::gimp {

constexpr int16_t kCancelled = -128;

// "Vendrel could not run (result N)."
std::string failureText(int16_t result);

class DrawableRun {
public:
    DrawableRun(const PluginModule& module, GimpRunMode mode);
    DrawableRun(const DrawableRun&) = delete;
    DrawableRun& operator=(const DrawableRun&) = delete;

    const HostConfig& config() const { return config_; }

    // Runs the filter on image: SUCCESS, CANCEL, or EXECUTION_ERROR after a GIMP message saying why.
    GimpPDBStatusType run(HostImage& image, const RunOptions& options);

private:
    const PluginModule& module_;
    GimpFrontEnd frontEnd_;
    SwatchFolder swatches_;
    HostConfig config_;
};

} // namespace vendrel::gimp

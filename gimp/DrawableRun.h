// GIMP's side of one filter run on a drawable: its front end, the swatch folder with the user's palettes, the
// host configuration that hands both to the host, and the run's result as a PDB status.
#pragma once

#include <libgimp/gimp.h>

#include "GimpFrontEnd.h"
#include "SwatchFolder.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/SettingsFile.h"

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

    // After a dialog the user confirmed: the settings file keeps its former mode, and (INTERACTIVE) a GIMP
    // message says when the filter could not keep the settings, which it does not say itself.
    void noteUnkeptSettings(const SettingsFileWatch& watch) const;

private:
    const PluginModule& module_;
    bool interactive_;
    GimpFrontEnd frontEnd_;
    SwatchFolder swatches_;
    HostConfig config_;
};

} // namespace vendrel::gimp

#include "DrawableRun.h"

#include <string>

#include "Locations.h"

namespace vendrel::gimp {

std::string failureText(int16_t result)
{
    return "Vendrel could not run (result " + std::to_string(result) + ").";
}

DrawableRun::DrawableRun(const PluginModule& module, GimpRunMode mode)
    : module_(module), interactive_(mode == GIMP_RUN_INTERACTIVE),
      frontEnd_(mode == GIMP_RUN_INTERACTIVE, module.pipl().name), swatches_(presetsFolder())
{
    config_.hostFolder = swatches_.hostFolder();
    config_.frontEnd = &frontEnd_;
}

void DrawableRun::noteUnkeptSettings(const SettingsFileWatch& watch) const
{
    const std::string warning = watch.afterConfirmedDialog();
    if (interactive_ && !warning.empty()) {
        g_message("Vendrel: %s", warning.c_str());
    }
}

GimpPDBStatusType DrawableRun::run(HostImage& image, const RunOptions& options)
{
    const SettingsFileWatch settingsFile(filterSettingsFileName);
    FilterHost host(module_, config_);
    const RunResult result = host.run(image, options);
    if (result.result == 0 && options.showDialog) {
        noteUnkeptSettings(settingsFile);
    }
    if (result.result == kCancelled) {
        return GIMP_PDB_CANCEL;
    }
    if (result.result != 0) {
        g_message("%s", failureText(result.result).c_str());
        return GIMP_PDB_EXECUTION_ERROR;
    }
    return GIMP_PDB_SUCCESS;
}

} // namespace vendrel::gimp

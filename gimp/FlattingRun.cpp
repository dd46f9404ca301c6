#include "FlattingRun.h"

#include <exception>
#include <optional>
#include <string>

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

#include "DrawablePixels.h"
#include "DrawableRun.h"
#include "FlatsLayer.h"
#include "FlattingDialog.h"
#include "Locations.h"
#include "PdbSettings.h"
#include "Procedure.h"
#include "vendrel/host/ConfirmedSettings.h"
#include "vendrel/host/FlattingSettings.h"

namespace vendrel::gimp {

namespace {

constexpr int32_t kWidestGap = 255;

// The flatting options as GIMP keeps them between calls of the procedure in one session.
struct StoredOptions {
    int32_t closeGaps = 0;
    int32_t flats = 0;
};

FlattingOptions lastOptions(const std::string& procedure)
{
    StoredOptions stored;
    if (gimp_get_data_size(procedure.c_str()) == sizeof stored) {
        gimp_get_data(procedure.c_str(), &stored);
    }
    return FlattingOptions{stored.closeGaps, stored.flats != 0};
}

void storeOptions(const std::string& procedure, const FlattingOptions& options)
{
    const StoredOptions stored{options.closeGaps, options.flats ? 1 : 0};
    gimp_set_data(procedure.c_str(), &stored, sizeof stored);
}

// The call's own flatting values, after the filter's settings.
FlattingOptions passedOptions(const GimpParam* values)
{
    const int32_t closeGaps = values[0].data.d_int32;
    if (closeGaps < 0 || closeGaps > kWidestGap) {
        throw HostError("closegaps must lie between 0 and " + std::to_string(kWidestGap));
    }
    return FlattingOptions{closeGaps, values[1].data.d_int32 != 0};
}

// The filter's settings for the run: those passed (NONINTERACTIVE), else those the filter's dialog confirms,
// shown (INTERACTIVE) or confirmed as it opens (WITH-LAST-VALS). Nothing when the user cancelled.
std::optional<Descriptor> filterSettings(const PluginModule& module, const DrawableRun& run, const HostImage& image)
{
    RunOptions dialogRun;
    dialogRun.showDialog = true;
    const SettingsFileWatch settingsFile(filterSettingsFileName);
    ConfirmedSettings confirmed = confirmSettings(module, run.config(), dialogRun, image);
    if (confirmed.result == 0) {
        run.noteUnkeptSettings(settingsFile);
    }
    if (confirmed.result == kCancelled) {
        return std::nullopt;
    }
    if (confirmed.result != 0 || !confirmed.descriptor) {
        throw HostError(failureText(confirmed.result));
    }
    return confirmed.descriptor;
}

GimpPDBStatusType flattenDrawable(const PluginModule& module, GimpRunMode mode, std::optional<Descriptor> passed,
                                  const FlattingOptions& flatting, gint32 drawable)
{
    DrawableRun run(module, mode);
    HostImage image = readDrawable(drawable);
    std::optional<Descriptor> descriptor = passed ? std::move(passed) : filterSettings(module, run, image);
    if (!descriptor) {
        return GIMP_PDB_CANCEL;
    }
    std::optional<FlattingStages> stages;
    if (flatting.any()) {
        stages.emplace(flatting, flattingWindow(module, *descriptor, image));
        stages->beforeFilter(image);
    }
    RunOptions options;
    options.descriptor = std::move(descriptor);
    if (const GimpPDBStatusType status = run.run(image, options); status != GIMP_PDB_SUCCESS) {
        return status;
    }
    if (stages) {
        stages->afterFilter(image);
    }
    // The result goes under the line art as a layer of its own; a channel or mask is changed in place.
    if (gimp_item_is_layer(drawable)) {
        addFlatsLayer(drawable, image);
    } else {
        writeDrawable(drawable, image);
    }
    return GIMP_PDB_SUCCESS;
}

} // namespace

GimpPDBStatusType runFlattingProcedure(const PluginModule& module, gint count, const GimpParam* values)
{
    if (count < kFixedParameters) {
        return GIMP_PDB_CALLING_ERROR;
    }
    const std::string procedure = describeFlattingProcedure(module).name;
    const auto mode = GimpRunMode(values[0].data.d_int32);
    const gint32 drawable = values[2].data.d_drawable;
    if (std::string problem = drawableProblem(drawable); !problem.empty()) {
        g_message("%s", problem.c_str());
        return GIMP_PDB_EXECUTION_ERROR;
    }
    FlattingOptions flatting = lastOptions(procedure);
    std::optional<Descriptor> passed;
    if (mode == GIMP_RUN_NONINTERACTIVE) {
        const gint settingsCount = gint(module.aete().parameters.size());
        if (count != gint(describeFlattingProcedure(module).parameters.size())) {
            g_message("wrong number of parameters");
            return GIMP_PDB_CALLING_ERROR;
        }
        try {
            passed = settingsDescriptor(module.aete(), values + kFixedParameters);
            flatting = passedOptions(values + kFixedParameters + settingsCount);
        } catch (const HostError& e) {
            g_message("%s", e.what());
            return GIMP_PDB_CALLING_ERROR;
        }
    }
    if (mode == GIMP_RUN_INTERACTIVE) {
        gimp_ui_init("vendrel", FALSE);
        if (!askFlattingOptions(flatting)) {
            return GIMP_PDB_CANCEL;
        }
    }
    GimpPDBStatusType status = GIMP_PDB_EXECUTION_ERROR;
    try {
        status = flattenDrawable(module, mode, std::move(passed), flatting, drawable);
    } catch (const std::exception& e) {
        g_message("Vendrel: %s", e.what());
    }
    if (status == GIMP_PDB_SUCCESS) {
        storeOptions(procedure, flatting);
        if (mode != GIMP_RUN_NONINTERACTIVE) {
            gimp_displays_flush();
        }
    }
    return status;
}

} // namespace vendrel::gimp

#include "FilterRun.h"

#include <exception>

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

#include "DrawablePixels.h"
#include "DrawableRun.h"
#include "GimpFrontEnd.h"
#include "Locations.h"
#include "PdbSettings.h"
#include "Procedure.h"
#include "SwatchFolder.h"
#include "vendrel/host/FilterHost.h"

namespace vendrel::gimp {

namespace {

// The settings each run mode plays: NONINTERACTIVE the call's values without the dialog; INTERACTIVE the
// dialog, opening on the last confirmed settings; WITH-LAST-VALS the last confirmed settings without
// showing anything: the filter's dialog run, confirmed as it opens (the filter keeps those settings itself).
RunOptions optionsFor(const PluginModule& module, GimpRunMode mode, gint count, const GimpParam* values)
{
    RunOptions options;
    switch (mode) {
    case GIMP_RUN_NONINTERACTIVE:
        if (count != kFixedParameters + gint(module.aete().parameters.size())) {
            throw HostError("wrong number of parameters");
        }
        options.descriptor = settingsDescriptor(module.aete(), values + kFixedParameters);
        break;
    default:
        options.showDialog = true;
        break;
    }
    return options;
}

} // namespace

namespace {

// Runs the filter on the drawable through the host and writes the result back. Throws on host failures.
GimpPDBStatusType filterDrawable(const PluginModule& module, GimpRunMode mode, const RunOptions& options,
                                 gint32 drawable)
{
    DrawableRun run(module, mode);
    HostImage image = readDrawable(drawable);
    const GimpPDBStatusType status = run.run(image, options);
    if (status != GIMP_PDB_SUCCESS) {
        return status;
    }
    writeDrawable(drawable, image);
    return GIMP_PDB_SUCCESS;
}

} // namespace

GimpPDBStatusType runProcedure(const PluginModule& module, gint count, const GimpParam* values)
{
    if (count < kFixedParameters) {
        return GIMP_PDB_CALLING_ERROR;
    }
    const auto mode = GimpRunMode(values[0].data.d_int32);
    const gint32 drawable = values[2].data.d_drawable;
    if (std::string problem = drawableProblem(drawable); !problem.empty()) {
        g_message("%s", problem.c_str());
        return GIMP_PDB_EXECUTION_ERROR;
    }
    RunOptions options;
    try {
        options = optionsFor(module, mode, count, values);
    } catch (const HostError& e) {
        g_message("%s", e.what());
        return GIMP_PDB_CALLING_ERROR;
    }
    if (mode == GIMP_RUN_INTERACTIVE) {
        gimp_ui_init("vendrel", FALSE);
    }
    GimpPDBStatusType status = GIMP_PDB_EXECUTION_ERROR;
    try {
        status = filterDrawable(module, mode, options, drawable);
    } catch (const std::exception& e) {
        g_message("Vendrel: %s", e.what());
    }
    if (status == GIMP_PDB_SUCCESS && mode != GIMP_RUN_NONINTERACTIVE) {
        gimp_displays_flush();
    }
    return status;
}

GimpPDBStatusType runAbout(const PluginModule& module, gint count, const GimpParam* values)
{
    if (count < 1) {
        return GIMP_PDB_CALLING_ERROR;
    }
    if (GimpRunMode(values[0].data.d_int32) != GIMP_RUN_INTERACTIVE) {
        return GIMP_PDB_SUCCESS; // nothing to show without a user
    }
    gimp_ui_init("vendrel", FALSE);
    GimpFrontEnd frontEnd(true, module.pipl().name);
    HostConfig config;
    config.hostFolder = presetsFolder();
    config.frontEnd = &frontEnd;
    try {
        FilterHost host(module, config);
        host.about();
    } catch (const std::exception& e) {
        g_message("Vendrel: %s", e.what());
        return GIMP_PDB_EXECUTION_ERROR;
    }
    return GIMP_PDB_SUCCESS;
}

} // namespace vendrel::gimp

// vendrel run: load the image, play the filter with the settings given, write the result.
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "ActionFiles.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "FlattingSettings.h"
#include "Interrupt.h"
#include "PaletteChoice.h"
#include "TerminalFrontEnd.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/OraFile.h"

namespace vendrel {

namespace {

constexpr int16_t cancelledResult = -128;
constexpr int16_t cannotRunResult = -30100;

void checkOutputName(const RunRequest& request)
{
    if (!isOraName(request.output) && !canSaveImage(request.output)) {
        throw UsageError("--output: " + request.output +
                         ": unknown image format (use a name ending in .png, .jpg, .tif, .webp or .ora)");
    }
}

HostImage loadInput(const PluginModule& module, const RunRequest& request)
{
    try {
        return loadImage(request.input, ImageLoadOptions{request.convert});
    } catch (const UnsupportedImageError& e) {
        throw HostError(std::string(e.what()) + "; the filter works on " + module.pipl().supportedModesText() +
                        " images with 8 bits per channel (--convert turns grayscale, indexed, Lab and 16-bit "
                        "images into 8-bit RGB)");
    }
}

std::string failureText(int16_t result)
{
    if (result == cannotRunResult) {
        return "the filter could not run (result -30100)";
    }
    return "the filter failed (result " + std::to_string(result) + ")";
}

} // namespace

int runFilter(const PluginModule& module, const RunRequest& request, SettingOptions& settings)
{
    checkOutputName(request);
    if (request.flatting.any() && request.dialog) {
        throw UsageError("--flats and --close-gaps need the settings before the run; they do not go with --dialog");
    }
    Descriptor base = request.actionFile.empty() ? Descriptor() : loadActionFile(request.actionFile, module);
    std::unique_ptr<PaletteChoice> palette = choosePalette(request.presetsFolder, settings);
    Descriptor descriptor = settings.overlay(base);
    HostImage image = loadInput(module, request);
    if (isOraName(request.output) && image.mode == plugInModeCMYKColor) {
        throw HostError(request.input + ": an OpenRaster file holds RGB layers; write CMYK images as TIFF");
    }
    const HostImage lineArt = isOraName(request.output) ? image : HostImage{};
    std::optional<FlattingStages> stages;
    if (request.flatting.any()) {
        stages.emplace(request.flatting, flattingWindow(module, descriptor, image));
        stages->beforeFilter(image);
    }

    TerminalFrontEnd frontEnd(!request.quiet && isatty(STDERR_FILENO));
    HostConfig config;
    config.hostFolder = palette ? palette->hostFolder() : request.presetsFolder;
    config.frontEnd = &frontEnd;
    FilterHost host(module, config);

    RunOptions options;
    options.descriptor = descriptor;
    options.showDialog = request.dialog;
    // Ctrl-C from here on is the user's abort: the filter hears it through the abort callback, and nothing
    // is written after it.
    InterruptWatch watch;
    RunResult result = host.run(image, options);
    frontEnd.finishProgress();
    if (result.result == cancelledResult || InterruptWatch::interrupted()) {
        printError("cancelled; nothing was written");
        return exitCancelled;
    }
    if (result.result != 0) {
        printError(request.input + ": " + failureText(result.result) + "; nothing was written");
        return exitFailure;
    }
    if (stages) {
        stages->afterFilter(image);
    }
    if (isOraName(request.output)) {
        saveOra(image, lineArt, request.output);
    } else {
        saveImage(image, request.output);
    }
    if (!request.recordFile.empty()) {
        if (!result.recorded) {
            printError(request.recordFile + ": the filter recorded no settings; no action was saved");
            return exitFailure;
        }
        saveActionFile(request.recordFile, module, *result.recorded);
    }
    return exitSuccess;
}

} // namespace vendrel

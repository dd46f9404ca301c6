// vendrel run: load the image, play the filter with the settings given, write the result.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "ActionFiles.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "Extras.h"
#include "Interrupt.h"
#include "PaletteChoice.h"
#include "TerminalFrontEnd.h"
#include "TestHooks.h"
#include "vendrel/host/ConfirmedSettings.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/FlattingSettings.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

constexpr int16_t cancelledResult = -128;
constexpr int16_t cannotRunResult = -30100;

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error) && !error;
}

void checkFileNames(const RunRequest& request)
{
    if (!isLayeredOutput(request.output) && !canSaveImage(request.output)) {
        throw UsageError("--output: " + request.output + ": unknown image format (" + outputNamesHint() + ")");
    }
    if (!request.recordFile.empty() &&
        (sameFile(request.recordFile, request.input) || sameFile(request.recordFile, request.output))) {
        throw UsageError("--record: " + request.recordFile + " names the run's " +
                         (sameFile(request.recordFile, request.input) ? "input" : "output") +
                         " image; the action needs a file of its own");
    }
}

HostImage loadInput(const PluginModule& module, const RunRequest& request)
{
    try {
        return loadImage(request.input, ImageLoadOptions{request.convert, request.firstPage});
    } catch (const InformationLossError& e) {
        throw UsageError(std::string(e.what()) + " (--first-page takes the first alone)");
    } catch (const UnsupportedImageError& e) {
        throw HostError(std::string(e.what()) + "; the filter works on " + module.pipl().supportedModesText() +
                        " images with 8 bits per channel (--convert turns grayscale, indexed, Lab and 16-bit "
                        "images into 8-bit RGB)");
    }
}

ImageSaveOptions saveOptions(const RunRequest& request)
{
    return ImageSaveOptions{request.dropAlpha, request.toRgb};
}

// Refused before the filter runs: the output format cannot hold the image as it is.
void checkNothingLost(const HostImage& image, const RunRequest& request)
{
    if (isLayeredOutput(request.output) && image.mode == plugInModeCMYKColor) {
        throw UsageError("--output: " + request.output + ": OpenRaster holds no CMYK (choose a .tif output)");
    }
    std::string lost = lossOnSaving(image, request.output, saveOptions(request));
    if (!lost.empty()) {
        throw UsageError("--output: " + request.output + ": " + lost +
                         " (--drop-alpha or --to-rgb asks for that; or choose a .tif output)");
    }
}

const DescriptorValue* valueNamed(const Descriptor& descriptor, const AeteInfo& terminology, const char* name)
{
    const AeteParameter* parameter = terminology.byName(name);
    return parameter ? descriptor.find(parameter->key) : nullptr;
}

// The filter quietly uses random colours when the palette it is given yields none; the command says so.
void noteEmptyPalette(const Descriptor& descriptor, const PluginModule& module, const std::string& hostFolder)
{
    const DescriptorValue* palette = valueNamed(descriptor, module.aete(), "palette");
    const DescriptorValue* random = valueNamed(descriptor, module.aete(), "randomcolors");
    const auto* name = palette ? std::get_if<std::string>(palette) : nullptr;
    const auto* randomColors = random ? std::get_if<bool>(random) : nullptr;
    if (name == nullptr || name->empty() || (randomColors && *randomColors)) {
        return;
    }
    std::string path = (std::filesystem::path(hostFolder) / "Color Swatches" / *name).string();
    std::string reason = "it holds no colour";
    try {
        if (!readSwatchFile(path).empty()) {
            return;
        }
    } catch (const HostError& e) {
        reason = e.what();
    }
    printError("note: " + path + ": no colours read (" + reason + "); the filter uses random colours");
}

std::string failureText(int16_t result)
{
    if (result == cannotRunResult) {
        return "the filter could not run (result -30100)";
    }
    return "the filter failed (result " + std::to_string(result) + ")";
}

int cancelled()
{
    printError("cancelled; nothing was written");
    return InterruptWatch::exitStatus();
}

// The image and the action are written in full beside their targets, then put in place together: a failure
// or a signal before that leaves every target as it was.
int writeResults(const PluginModule& module, const RunRequest& request, const HostImage& image,
                 const HostImage& lineArt, const std::optional<Descriptor>& recorded)
{
    PendingFile output(request.output);
    if (isLayeredOutput(request.output)) {
        writeLayeredOutput(image, lineArt, output);
    } else {
        writeImage(image, output, saveOptions(request));
    }
    std::optional<PendingFile> action;
    if (!request.recordFile.empty()) {
        action.emplace(request.recordFile);
        writeAction(*action, module, *recorded);
    }
    if (std::optional<int32_t> signal = testHookValue("VENDREL_TEST_SIGNAL_BEFORE_COMMIT")) {
        std::raise(*signal);
    }
    if (InterruptWatch::interrupted()) {
        return cancelled();
    }
    if (action) {
        commitTogether({&output, &*action});
    } else {
        output.commit();
    }
    return exitSuccess;
}

HostProfile hostProfileFor(const RunRequest& request)
{
    if (!request.hostProfile.empty())
        return hostProfileNamed(request.hostProfile).value_or(HostProfile::full);
    return request.dialog && moduleDrawsNativeDialogs() ? HostProfile::noDialogManager : HostProfile::full;
}

// A host without descriptor procedures hands the filter no settings: they come from the filter's preferences
// file and its dialog alone, so options that would be lost are refused.
void checkSettingsReachTheFilter(HostProfile profile, const RunRequest& request, const Descriptor& settings)
{
    if (passesDescriptors(profile))
        return;
    const std::string why = "--host-profile " + hostProfileName(profile) +
                            ": such a host hands the filter no settings (they come from the filter's preferences "
                            "file and its dialog)";
    if (!settings.empty() || !request.actionFile.empty())
        throw UsageError(why + "; leave out the setting options and --action");
    if (!request.recordFile.empty())
        throw UsageError(why + " and records none; leave out --record");
    if (request.flatting.any())
        throw UsageError(why + ", which the flatting stages need; leave out --close-gaps and --flats");
}

// Why the filter could not ask for its settings: it needed its dialog, and nothing here could draw one.
std::string dialogMissingText(HostProfile profile, const RunRequest& request, const RunResult& result)
{
    const bool dialogNeeded = request.dialog || !passesDescriptors(profile);
    if (profile == HostProfile::full || !dialogNeeded || moduleDrawsNativeDialogs() ||
        result.failedSelector != filterSelectorParameters || result.result != cannotRunResult)
        return "";
    return ": it needs its dialog, and neither this host (--host-profile " + hostProfileName(profile) +
           ") nor the filter on this platform has a dialog manager";
}

} // namespace

int runFilter(const PluginModule& module, const RunRequest& request, SettingOptions& settings)
{
    // A signal from here on cancels the run: the filter hears it through the abort callback, and nothing is
    // put in place after it.
    InterruptWatch watch;
    checkFileNames(request);
    Descriptor base = request.actionFile.empty() ? Descriptor() : loadActionFile(request.actionFile, module);
    std::unique_ptr<PaletteChoice> palette = choosePalette(request.presetsFolder, settings);
    Descriptor descriptor = settings.overlay(base);
    const HostProfile profile = hostProfileFor(request);
    checkSettingsReachTheFilter(profile, request, descriptor);
    std::string hostFolder = palette ? palette->hostFolder() : request.presetsFolder;
    HostImage image = loadInput(module, request);
    checkNothingLost(image, request);
    if (!request.dialog) {
        noteEmptyPalette(descriptor, module, hostFolder);
    }
    const HostImage lineArt = isLayeredOutput(request.output) ? image : HostImage{};

    TerminalFrontEnd frontEnd(!request.quiet && isatty(STDERR_FILENO));
    HostConfig config;
    config.hostFolder = hostFolder;
    config.frontEnd = &frontEnd;
    config.profile = profile;
    RunOptions options;
    options.descriptor = descriptor;
    options.showDialog = request.dialog;

    std::optional<FlattingStages> stages;
    if (request.flatting.any()) {
        // The stages must know the fill colour and tolerance before the filter runs: with --dialog the user
        // confirms them first, and the run then plays what was confirmed.
        if (request.dialog) {
            ConfirmedSettings confirmed = confirmSettings(module, config, options, image);
            if (confirmed.result == cancelledResult || InterruptWatch::interrupted()) {
                return cancelled();
            }
            if (confirmed.result != 0 || !confirmed.descriptor) {
                printError(request.input + ": " + failureText(confirmed.result) + "; nothing was written");
                return exitFailure;
            }
            options.descriptor = std::move(confirmed.descriptor);
            options.showDialog = false;
        }
        stages.emplace(request.flatting, flattingWindow(module, *options.descriptor, image));
        stages->beforeFilter(image);
    }
    if (InterruptWatch::interrupted()) {
        return cancelled();
    }

    FilterHost host(module, config);
    RunResult result = host.run(image, options);
    frontEnd.finishProgress();
    if (result.result == cancelledResult || InterruptWatch::interrupted()) {
        return cancelled();
    }
    if (result.result != 0) {
        printError(request.input + ": " + failureText(result.result) + dialogMissingText(profile, request, result) +
                   "; nothing was written");
        return exitFailure;
    }
    if (!request.recordFile.empty() && !result.recorded) {
        printError(request.recordFile + ": the filter recorded no settings; nothing was written");
        return exitFailure;
    }
    if (stages) {
        stages->afterFilter(image);
    }
    return writeResults(module, request, image, lineArt, result.recorded);
}

} // namespace vendrel

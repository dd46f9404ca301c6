// vendrel run: load the image, play the filter with the settings given, write the result.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>

#include "ActionFiles.h"
#include "AutoSettings.h"
#include "RunMemory.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "Extras.h"
#include "Interrupt.h"
#include "Locations.h"
#include "PaletteChoice.h"
#include "TerminalFrontEnd.h"
#include "TestHooks.h"
#include "vendrel/host/Cancellation.h"
#include "vendrel/host/ColorServices.h"
#include "vendrel/host/ConfirmedSettings.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/FlattingSettings.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/Paper.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PrintableText.h"
#include "vendrel/host/RegularFile.h"
#include "vendrel/host/SettingsFile.h"
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
    // A FIFO, a device or a folder where a result goes is refused as it is where an input is read.
    checkReplaceableFile(request.output);
    if (!request.recordFile.empty()) {
        checkReplaceableFile(request.recordFile);
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
    ImageLoadOptions options{request.convert, request.firstPage, {}};
    options.checkSize = [&request](int32_t width, int32_t height, int32_t channels) {
        checkImageFits(request.input, width, height, channels, request);
    };
    try {
        try {
            return loadImage(request.input, options);
        } catch (const UnsupportedImageError& e) {
            // A flats layer is colour by nature: for the flatting stages a grayscale scan becomes RGB unasked.
            if (!request.flatting.any() || !e.grayscale()) {
                throw;
            }
            printError("note: " + request.input + ": " + e.description() +
                       " turned into 8-bit RGB for the flatting stages, since flats are colour");
            options.convert = true;
            return loadImage(request.input, options);
        }
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
    // Line art on transparent paper is put on the paper before the filter runs: the result has no alpha to lose.
    return ImageSaveOptions{request.dropAlpha || request.flatting.transparentPaper, request.toRgb};
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

// The palette file name the settings hand the filter; empty when none.
std::string paletteName(const Descriptor& descriptor, const PluginModule& module)
{
    const DescriptorValue* palette = valueNamed(descriptor, module.aete(), "palette");
    const auto* name = palette ? std::get_if<std::string>(palette) : nullptr;
    return name ? *name : std::string();
}

// A palette named by the action file is looked for as the option's is: a missing one is a usage error, not a
// run with random colours.
void checkActionPalette(const RunRequest& request, const Descriptor& descriptor, const PluginModule& module)
{
    const std::string name = paletteName(descriptor, module);
    if (name.empty()) {
        return;
    }
    const std::filesystem::path folder = std::filesystem::path(request.presetsFolder) / "Color Swatches";
    std::error_code error;
    if (!std::filesystem::exists(folder / name, error)) {
        throw UsageError("--action: " + request.actionFile + ": \"palette\": no swatch file \"" + shortText(name) +
                         "\" in " + folder.string() + " (vendrel palettes lists them)");
    }
}

// Whether the filter takes the swatch colour for an area: it converts the colour into the image's mode and
// skips it when it lies in the fill colour's window, or is dark (every channel at most 90; in CMYK, a black
// below 200 where 255 is no ink), since such a colour could not be told from the lines or matched again.
bool usableAreaColour(const Swatch& swatch, const HostImage& image, const FillWindow& window)
{
    const std::optional<std::pair<int16_t, HostColor>> colour = hostColorOf(swatch);
    if (!colour) {
        return false;
    }
    const bool cmyk = image.mode == plugInModeCMYKColor;
    HostColor converted = colour->second;
    const int16_t space = cmyk ? int16_t(plugIncolorServicesCMYKSpace) : int16_t(plugIncolorServicesRGBSpace);
    if (convertHostColor(colour->first, space, converted) != noErr) {
        return false;
    }
    uint8_t bytes[4];
    for (size_t c = 0; c < 4; ++c) {
        bytes[c] = uint8_t(converted[c] & 0xFF);
    }
    if (!cmyk) {
        bytes[3] = 255;
    }
    bool dark = bytes[0] <= 90 && bytes[1] <= 90 && bytes[2] <= 90;
    if (cmyk) {
        dark = bytes[3] < 200;
    }
    return !window.contains(bytes) && !dark;
}

// The filter quietly uses random colours when the palette it is given yields no colour it can use (none read,
// or every one in the fill colour's window); the command says so, naming userPath (the user's own file, when the
// filter reads a copy or a conversion of it).
void notePaletteUnused(const Descriptor& descriptor, const PluginModule& module, const std::string& hostFolder,
                       const HostImage& image, const std::string& userPath)
{
    const std::string name = paletteName(descriptor, module);
    const DescriptorValue* random = valueNamed(descriptor, module.aete(), "randomcolors");
    const auto* randomColors = random ? std::get_if<bool>(random) : nullptr;
    if (name.empty() || (randomColors && *randomColors)) {
        return;
    }
    const std::string path = (std::filesystem::path(hostFolder) / "Color Swatches" / name).string();
    const std::string shown = userPath.empty() ? path : userPath;
    std::vector<Swatch> colours;
    try {
        colours = readSwatchFile(path);
    } catch (const HostError& e) {
        std::string reason = e.what();
        if (reason.rfind(path + ": ", 0) == 0) {
            reason.erase(0, path.size() + 2);
        }
        printError("note: " + shown + ": no colours read (" + reason + "); the filter uses random colours");
        return;
    }
    if (colours.empty()) {
        printError("note: " + shown + ": no colours read (it holds no colour); the filter uses random colours");
        return;
    }
    Descriptor settings = descriptor;
    const FillWindow window = flattingWindow(module, settings, image);
    for (const Swatch& swatch : colours) {
        if (usableAreaColour(swatch, image, window)) {
            return;
        }
    }
    printError("note: " + shown +
               ": every colour lies in the fill colour's window (or is too dark to tell from "
               "the lines); the filter uses random colours");
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
                 const std::optional<OraLineArt>& lineArt, const std::optional<Descriptor>& recorded)
{
    PendingFile output(request.output);
    if (lineArt) {
        writeLayeredOutput(image, *lineArt, output);
    } else {
        writeImage(image, output, saveOptions(request));
    }
    std::optional<PendingFile> action;
    if (!request.recordFile.empty()) {
        action.emplace(request.recordFile);
        writeAction(*action, module, *recorded, request.flatting);
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

// The host's own steps (decoding, the stages, encoding) hear a signal through the cancel probe while the run
// lasts.
class CancelProbe {
public:
    CancelProbe() { setCancelProbe(&InterruptWatch::interrupted); }
    ~CancelProbe() { setCancelProbe(nullptr); }
    CancelProbe(const CancelProbe&) = delete;
    CancelProbe& operator=(const CancelProbe&) = delete;
};

// The line art of a layered output as it is before the stages and the filter change the image, encoded on a thread
// of its own while the run only reads the image; take() must come before anything writes into it. The image must
// outlive the object, whose end waits for the encoding.
class KeptLineArt {
public:
    KeptLineArt(const HostImage& image, bool layered)
    {
        if (layered) {
            pending_ =
                std::async(std::launch::async | std::launch::deferred, [&image] { return keepLayeredLineArt(image); });
        }
    }

    // Waits for the encoding; throws what it threw (HostError, CancelledError).
    void take()
    {
        if (pending_.valid()) {
            encoded_ = pending_.get();
        }
    }
    const std::optional<OraLineArt>& encoded() const { return encoded_; }

private:
    std::future<OraLineArt> pending_;
    std::optional<OraLineArt> encoded_;
};

int runSteps(const PluginModule& module, RunRequest request, SettingOptions& settings);

} // namespace

int runFilter(const PluginModule& module, const RunRequest& request, SettingOptions& settings)
{
    // A signal from here on cancels the run: the filter hears it through the abort callback, the host's steps
    // through the cancel probe, and nothing is put in place after it.
    InterruptWatch watch;
    CancelProbe probe;
    try {
        return runSteps(module, request, settings);
    } catch (const CancelledError&) {
        return cancelled();
    }
}

namespace {

int runSteps(const PluginModule& module, RunRequest request, SettingOptions& settings)
{
    checkFileNames(request);
    const Action action = request.actionFile.empty() ? Action() : loadActionFile(request.actionFile, module);
    request.flatting = stagesToPlay(request.flatting, request.stagesGiven, action);
    Descriptor base = action.settings;
    std::unique_ptr<PaletteChoice> palette = choosePalette(request.presetsFolder, settings);
    Descriptor descriptor = settings.overlay(base);
    if (!palette) {
        checkActionPalette(request, descriptor, module);
    }
    const HostProfile profile = hostProfileFor(request);
    checkSettingsReachTheFilter(profile, request, descriptor);
    std::string hostFolder = palette ? palette->hostFolder() : request.presetsFolder;
    // Every output but a PNG goes through the image library (an OpenRaster file for its thumbnail): it starts
    // loading now, beside the reading of the input, instead of when the output is written; but not for a TIFF,
    // JPEG or WebP after the stages, whose masks are given back before it is written: loaded alongside them, the
    // library's pages would raise the run's peak of memory.
    const bool layered = isLayeredOutput(request.output);
    if (layered) {
        prepareImageLibrary();
    } else if (!request.flatting.any()) {
        prepareToWrite(request.output);
    }
    HostImage image = loadInput(module, request);
    checkNothingLost(image, request);
    if (const std::string warning = lossyOutputWarning(request.output); !warning.empty()) {
        printError("warning: " + warning);
    }
    resolveAutoSettings(module, settings.autoSettings(), descriptor, image, request.flatting.transparentPaper);
    if (!request.dialog) {
        notePaletteUnused(descriptor, module, hostFolder, image, palette ? palette->userPath() : std::string());
    }
    // A layered output keeps the line art as it is now, encoded: the filter and the stages change the image.
    KeptLineArt lineArt(image, layered);

    TerminalFrontEnd frontEnd(!request.quiet && isatty(STDERR_FILENO), request.dialog);
    HostConfig config;
    config.hostFolder = hostFolder;
    config.frontEnd = &frontEnd;
    config.profile = profile;
    RunOptions options;
    options.descriptor = descriptor;
    options.showDialog = request.dialog;

    // The filter keeps the settings a dialog confirms in its settings file, with the umask's mode, and says
    // nothing when it cannot.
    const SettingsFileWatch settingsFile(filterSettingsFileName);
    auto warnUnkeptSettings = [&] {
        if (const std::string warning = settingsFile.afterConfirmedDialog(); !warning.empty()) {
            printError("warning: " + warning);
        }
    };
    std::optional<FlattingStages> stages;
    if (request.flatting.any()) {
        // The stages must know the fill colour and tolerance before the filter runs: with --dialog the user
        // confirms them first, and the run then plays what was confirmed.
        if (request.dialog) {
            lineArt.take();
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
            warnUnkeptSettings();
        }
        if (request.flatting.transparentPaper) {
            lineArt.take();
            putOnPaper(image, flattingFillColour(module, *options.descriptor));
        }
        stages.emplace(request.flatting, flattingWindow(module, *options.descriptor, image));
        stages->readBeforeFilter(image);
        lineArt.take();
        stages->writeBeforeFilter(image);
    }
    lineArt.take();
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
    if (options.showDialog) {
        warnUnkeptSettings();
    }
    if (!request.recordFile.empty() && !result.recorded) {
        printError(request.recordFile + ": the filter recorded no settings; nothing was written");
        return exitFailure;
    }
    if (stages) {
        if (result.recorded) {
            stages->useAreaColours(areaColoursFor(module, *result.recorded, hostFolder, image));
        }
        stages->afterFilter(image);
        for (const std::string& note : stages->notes()) {
            printError("note: " + note);
        }
        // Their masks are of no use to the encoders, which need memory of their own.
        stages.reset();
    }
    return writeResults(module, request, image, lineArt.encoded(), result.recorded);
}

} // namespace

} // namespace vendrel

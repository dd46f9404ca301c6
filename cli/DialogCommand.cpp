// vendrel dialog: the filter's main dialog as it would open with the given settings, drawn into a PNG file.
// The dialog is cancelled after drawing, so neither the last settings nor the image change.
#include <memory>

#include "Commands.h"
#include "ExitCodes.h"
#include "Extras.h"
#include "PaletteChoice.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/MacRoman.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

class DialogDrawer : public FrontEnd {
public:
    explicit DialogDrawer(std::string path) : path_(std::move(path)) {}

    int32_t runModal(AdmDialog& dialog) override
    {
        // The host shields the filter from a front end's exceptions: the failure is noted and reported after.
        try {
            drawDialogPicture(dialog, path_);
        } catch (const std::exception& e) {
            drawError = e.what();
        }
        drawn = true;
        dialog.pressCancel();
        return dialog.ended() ? dialog.endingId() : dialog.cancelItemId();
    }
    void alert(const std::string& message) override { printError(macRomanToUtf8(message)); }

    bool drawn = false;
    std::string drawError; // why the picture could not be written, empty when it was

private:
    std::string path_;
};

} // namespace

int drawDialog(const PluginModule& module, const std::string& pngFile, const std::string& presetsFolder,
               SettingOptions& settings)
{
    try {
        checkReplaceableFile(pngFile);
    } catch (const HostError& e) {
        printError(std::string("dialog --png: ") + e.what());
        return exitFailure;
    }
    std::unique_ptr<PaletteChoice> palette = choosePalette(presetsFolder, settings);
    DialogDrawer drawer(pngFile);
    HostConfig config;
    config.hostFolder = palette ? palette->hostFolder() : presetsFolder;
    config.frontEnd = &drawer;
    FilterHost host(module, config);

    HostImage image = HostImage::blank(1, 1);
    RunOptions options;
    options.descriptor = settings.overlay(Descriptor());
    options.showDialog = true;
    RunResult result = host.run(image, options);
    if (!drawer.drawError.empty()) {
        printError("dialog --png: " + drawer.drawError);
        return exitFailure;
    }
    if (!drawer.drawn) {
        printError("the filter opened no dialog (result " + std::to_string(result.result) + ")");
        return exitFailure;
    }
    return exitSuccess;
}

} // namespace vendrel

// vendrel about: the filter's About box, read from the dialog it opens, then closed with OK.
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "ExitCodes.h"
#include "Extras.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/MacRoman.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

// Collects the texts of every dialog the filter opens (drawing it first when asked) and confirms it.
class AboutReader : public FrontEnd {
public:
    explicit AboutReader(std::string pngFile) : pngFile_(std::move(pngFile)) {}

    int32_t runModal(AdmDialog& dialog) override
    {
        // The host shields the filter from a front end's exceptions: a picture that cannot be written is noted
        // here and reported after the run.
        if (!pngFile_.empty() && drawError.empty()) {
            try {
                drawDialogPicture(dialog, pngFile_);
            } catch (const std::exception& e) {
                drawError = e.what();
            }
        }
        for (AdmItem* item : dialog.items()) {
            bool isButton = item->id() == dialog.defaultItemId() || item->id() == dialog.cancelItemId();
            if (!isButton) {
                add(item->text());
            }
        }
        dialog.pressOK();
        return dialog.ended() ? dialog.endingId() : dialog.defaultItemId();
    }
    void alert(const std::string& message) override { add(message); }

    std::vector<std::string> lines;
    std::string drawError; // why the About box could not be drawn into the PNG file, empty when it was

private:
    std::string pngFile_;

    // The window caption repeats the product name that opens the About text, so only the items are read.
    void add(const std::string& text)
    {
        if (!text.empty()) {
            lines.push_back(text);
        }
    }
};

} // namespace

int showAbout(const PluginModule& module, const std::string& pngFile)
{
    if (!pngFile.empty()) {
        try {
            checkReplaceableFile(pngFile);
        } catch (const HostError& e) {
            printError(std::string("about --png: ") + e.what());
            return exitFailure;
        }
    }
    AboutReader reader(pngFile);
    HostConfig config;
    config.frontEnd = &reader;
    FilterHost host(module, config);
    int16_t result = host.about();
    for (const std::string& line : reader.lines) {
        std::printf("%s\n", macRomanToUtf8(line).c_str());
    }
    if (result != 0 && result != 1) {
        printError("the About box could not be shown (result " + std::to_string(result) + ")");
        return exitFailure;
    }
    if (!reader.drawError.empty()) {
        printError("about --png: " + reader.drawError);
        return exitFailure;
    }
    if (reader.lines.empty()) {
        printError("the filter showed no About text");
        return exitFailure;
    }
    return exitSuccess;
}

} // namespace vendrel

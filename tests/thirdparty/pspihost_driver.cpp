// Drives the third-party host engine pspiHost with the filter module, the way an image program embedding the
// engine does, and presses the buttons of the module's dialogs as a person would (see dialog_watcher.h).
//   pspihost_driver about ENGINE.dll MODULE.8bf
//       0 when the module's About box was shown and closed by its OK button
//   pspihost_driver run ENGINE.dll MODULE.8bf INPUT OUTPUT ok|cancel
//       runs the filter on an 8-bit RGB image, pressing OK or Cancel in the dialog "Vendrel", and writes the
//       engine's shared image to OUTPUT; 0 when the run ended as the button asks (OK: the engine answered 0;
//       Cancel: it answered 5 and left the image as it was)
//   pspihost_driver prefs TOLERANCE PALETTE     writes the module's preferences file (white fill colour)
//   pspihost_driver rgb-image OUTPUT            writes a generated RGB image
// Exit status: 0 as described, 1 when the run went otherwise, 2 for a usage or setup error, 3 when the engine
// call never returned and the watcher ended the driver.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog_watcher.h"
#include "driver_inputs.h"
#include "pspihost_library.h"
#include "vendrel/host/ImageFile.h"

using namespace vendrel;
using namespace vendrel::thirdparty;

namespace {

namespace fs = std::filesystem;

constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kFilterDialogCaption = "Vendrel";

std::wstring FullPath(const char* path)
{
    return fs::absolute(fs::path(path)).make_preferred().wstring();
}

std::string Narrow(const std::wstring& text)
{
    return fs::path(text).string();
}

// Names the module's folder to the engine and loads the module; false (said why) when the engine refuses it.
bool LoadModule(PspiHostLibrary& engine, const char* modulePath)
{
    std::printf("pspiHost %s\n", engine.getVersion());
    const std::wstring module = FullPath(modulePath);
    const std::wstring folder = fs::path(module).parent_path().wstring();
    const int pathResult = engine.setPath(folder.c_str());
    std::printf("pspiSetPath(%s) returned %d\n", Narrow(folder).c_str(), pathResult);
    const int loadResult = engine.plugInLoad(module.c_str());
    std::printf("pspiPlugInLoad(%s) returned %d (%s)\n", Narrow(module).c_str(), loadResult,
                DescribePspiResult(loadResult));
    std::fflush(stdout);
    return pathResult == 0 && loadResult == 0;
}

// Whether the watcher saw exactly the one dialog it waited for, pressed the planned button and saw it close;
// says what went otherwise.
bool OneExpectedDialogClosed(const WatchReport& report, const WatchPlan& plan, const char* what)
{
    bool good = true;
    if (!report.timeout.empty()) {
        std::printf("FAILED: the watcher waited in vain for %s\n", report.timeout.c_str());
        good = false;
    }
    if (report.dialogs.empty()) {
        std::printf("FAILED: no %s was shown\n", what);
        return false;
    }
    for (const SeenDialog& seen : report.dialogs) {
        if (!seen.expected) {
            std::printf("FAILED: a dialog \"%s\" that is not the %s was shown\n", seen.caption.c_str(), what);
            good = false;
        } else if (seen.pressedId != plan.press || !seen.closed) {
            std::printf("FAILED: the %s did not close when its button %d was pressed\n", what, plan.press);
            good = false;
        }
    }
    if (report.dialogs.size() > 1) {
        std::printf("FAILED: %zu dialogs were shown, one was expected\n", report.dialogs.size());
        good = false;
    }
    return good;
}

int About(const char* enginePath, const char* modulePath)
{
    PspiHostLibrary engine(FullPath(enginePath));
    if (!LoadModule(engine, modulePath))
        return kExitFailed;

    WatchPlan plan;
    plan.buttons = {IDOK};
    plan.press = IDOK;
    DialogWatcher watcher(plan);
    const int result = engine.plugInAbout(nullptr);
    const WatchReport report = watcher.finish();
    // The engine calls any About result but 0 a failure (4); the module answers 1 once its box is closed by OK.
    std::printf("pspiPlugInAbout returned %d (%s)\n", result, DescribePspiResult(result));
    if (!OneExpectedDialogClosed(report, plan, "About box"))
        return kExitFailed;
    std::printf("about: the About box \"%s\" was shown and closed by OK\n", report.dialogs.front().caption.c_str());
    return kExitPassed;
}

// Bytes of the shared image that differ from the input's.
size_t CountChangedBytes(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after)
{
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i] ? 1 : 0;
    return changed;
}

// The engine's answer and the dialog as the pressed button asks; says what went otherwise.
bool RunEndedAsAsked(int result, bool ok, size_t changedBytes)
{
    const int expected = ok ? 0 : kPspiSelectorFailed;
    if (result != expected) {
        std::printf("FAILED: pspiPlugInExecute returned %d (%s), %d expected\n", result, DescribePspiResult(result),
                    expected);
        return false;
    }
    if (!ok && changedBytes != 0) {
        std::printf("FAILED: the cancelled run changed %zu bytes of the image\n", changedBytes);
        return false;
    }
    return true;
}

int Run(const char* enginePath, const char* modulePath, const char* inputPath, const char* outputPath, bool ok)
{
    HostImage image = loadImage(inputPath);
    if (image.mode != plugInModeRGBColor || image.planes != 3) {
        std::printf("%s is no 8-bit RGB image without alpha: %s, %d planes\n", inputPath,
                    imageModeName(image.mode).c_str(), int(image.planes));
        return kExitUsage;
    }
    const std::vector<uint8_t> input = image.pixels;

    PspiHostLibrary engine(FullPath(enginePath));
    if (!LoadModule(engine, modulePath))
        return kExitFailed;
    const int imageResult = engine.setImage(int(PspiImageType::Rgb), image.width, image.height, image.pixels.data(),
                                            int(image.rowBytes()), nullptr, 0);
    std::printf("pspiSetImage(RGB, %d x %d, %zu bytes a row) returned %d\n", int(image.width), int(image.height),
                image.rowBytes(), imageResult);
    if (imageResult != 0)
        return kExitFailed;

    WatchPlan plan;
    plan.caption = kFilterDialogCaption;
    plan.buttons = {IDOK, IDCANCEL};
    plan.press = ok ? IDOK : IDCANCEL;
    DialogWatcher watcher(plan);
    std::fflush(stdout);
    const int result = engine.plugInExecute(nullptr);
    const WatchReport report = watcher.finish();
    const size_t changed = CountChangedBytes(input, image.pixels);
    std::printf("pspiPlugInExecute returned %d (%s); %zu of %zu bytes of the shared image changed\n", result,
                DescribePspiResult(result), changed, input.size());
    if (report.dialogs.empty() && result == kPspiSelectorFailed)
        std::printf("the module ended a selector with an error before showing its dialog\n");

    saveImage(image, outputPath);
    std::printf("wrote the shared image to %s\n", outputPath);
    const bool dialogGood = OneExpectedDialogClosed(report, plan, "dialog \"Vendrel\"");
    const bool resultGood = RunEndedAsAsked(result, ok, changed);
    if (!dialogGood || !resultGood)
        return kExitFailed;
    std::printf("run: the dialog was shown and closed by %s, and the run ended as that asks\n", ok ? "OK" : "Cancel");
    return kExitPassed;
}

int WritePrefs(const char* tolerance, const char* palette)
{
    char* end = nullptr;
    const long value = std::strtol(tolerance, &end, 10);
    if (*end != '\0' || value < 0 || value > 100) {
        std::fprintf(stderr, "the tolerance is a whole number from 0 to 100, not '%s'\n", tolerance);
        return kExitUsage;
    }
    std::printf("wrote %s\n", WritePreferences(uint16_t(value), palette).c_str());
    return kExitPassed;
}

int WriteRgbImage(const char* output)
{
    saveImage(GeneratedRgbImage(), output);
    std::printf("wrote %s\n", output);
    return kExitPassed;
}

int Dispatch(int argc, char** argv)
{
    const std::string action = argc > 1 ? argv[1] : "";
    if (action == "about" && argc == 4)
        return About(argv[2], argv[3]);
    if (action == "run" && argc == 7 && (std::strcmp(argv[6], "ok") == 0 || std::strcmp(argv[6], "cancel") == 0))
        return Run(argv[2], argv[3], argv[4], argv[5], std::strcmp(argv[6], "ok") == 0);
    if (action == "prefs" && argc == 4)
        return WritePrefs(argv[2], argv[3]);
    if (action == "rgb-image" && argc == 3)
        return WriteRgbImage(argv[2]);
    std::fprintf(stderr, "usage: pspihost_driver about ENGINE.dll MODULE.8bf\n"
                         "       pspihost_driver run ENGINE.dll MODULE.8bf INPUT OUTPUT ok|cancel\n"
                         "       pspihost_driver prefs TOLERANCE PALETTE\n"
                         "       pspihost_driver rgb-image OUTPUT\n");
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const int status = Dispatch(argc, argv);
        std::fflush(stdout);
        return status;
    } catch (const std::exception& e) {
        std::printf("pspihost_driver: %s\n", e.what());
        std::fflush(stdout);
        return kExitUsage;
    }
}

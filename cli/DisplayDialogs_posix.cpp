// The dialog window library, loaded with dlopen from beside the filter module of an installed command
// (PREFIX/lib/vendrel), else from beside the command in its build folder. It is never unloaded: GTK cannot be.
#include <dlfcn.h>

#include <cstdlib>
#include <exception>
#include <filesystem>

#include "DisplayDialogs.h"
#include "Interrupt.h"
#include "vendrel/dialogwindow/DialogWindows.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/DialogRenderer.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;
using dialogwindow::DialogWindows;

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

fs::path libraryPath()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return dialogwindow::kDialogWindowsLibrary;
    }
    const fs::path installed =
        executable.parent_path().parent_path() / VENDREL_INSTALL_MODULE_DIR / dialogwindow::kDialogWindowsLibrary;
    if (fs::exists(installed, error)) {
        return installed;
    }
    return executable.parent_path() / dialogwindow::kDialogWindowsLibrary;
}

// The picture buttons' faces come from the dialog as the host draws it; a dialog that cannot be drawn still
// shows, with plain faces.
RgbRaster pictureOf(AdmDialog& dialog)
{
    try {
        return renderDialog(dialog);
    } catch (const std::exception&) {
        return {};
    }
}

class GtkDisplayDialogs : public DisplayDialogs {
public:
    explicit GtkDisplayDialogs(const DialogWindows& windows) : windows_(windows) {}

    int32_t runModal(AdmDialog& dialog) override
    {
        return windows_.runModal(dialog, pictureOf(dialog), &InterruptWatch::interrupted);
    }
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override
    {
        return windows_.pickColor(start) ? std::optional(start) : std::nullopt;
    }
    void alert(const std::string& message) override { windows_.alert(message.c_str()); }
    void browseUrl(const std::string& url) override { windows_.browseUrl(url.c_str()); }

private:
    const DialogWindows& windows_;
};

} // namespace

std::unique_ptr<DisplayDialogs> openDisplayDialogs(std::string& why)
{
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        why = "no display (DISPLAY and WAYLAND_DISPLAY are unset)";
        return nullptr;
    }
    const fs::path path = libraryPath();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        why = "the dialog window library cannot be loaded (" + std::string(dlerror()) + ")";
        return nullptr;
    }
    auto open = reinterpret_cast<dialogwindow::OpenDialogWindows>(dlsym(library, dialogwindow::kDialogWindowsEntry));
    if (open == nullptr) {
        why = path.string() + " is not the dialog window library (it has no " + dialogwindow::kDialogWindowsEntry + ")";
        dlclose(library);
        return nullptr;
    }
    char problem[512] = "";
    const DialogWindows* windows = open(dialogwindow::kDialogWindowsVersion, problem, sizeof problem);
    if (windows == nullptr) {
        why = problem; // GTK may have started: the library stays loaded
        return nullptr;
    }
    return std::make_unique<GtkDisplayDialogs>(*windows);
}

const char* dialogOptionHelp()
{
    return "go through the filter's dialog: the last confirmed settings, overlaid by the options. With a display "
           "(DISPLAY or WAYLAND_DISPLAY) the dialog is shown in a window for you to confirm; without one, or without "
           "the dialog window library, it is confirmed as it opens, unseen, and a note on stderr says so";
}

} // namespace vendrel

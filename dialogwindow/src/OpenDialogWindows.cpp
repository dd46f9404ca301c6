// The library's entry point: GTK started on the display, and the functions that show the windows, each keeping
// every exception inside the library.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#include <gtk/gtk.h>

#include "ColorSelection.h"
#include "MessageBox.h"
#include "vendrel/dialogwindow/DialogWindow.h"
#include "vendrel/dialogwindow/DialogWindows.h"
#include "vendrel/host/AdmDialog.h"

namespace vendrel::dialogwindow {

namespace {

void centre(GtkWindow* window)
{
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
}

int32_t runModal(AdmDialog& dialog, const RgbRaster& picture, bool (*cancelRequested)()) noexcept
{
    try {
        return runDialogWindow(dialog, picture, {centre, cancelRequested});
    } catch (...) {
        return dialog.ended() ? dialog.endingId() : dialog.cancelItemId();
    }
}

bool pickColor(std::array<uint8_t, 3>& color) noexcept
{
    try {
        const std::optional<std::array<uint8_t, 3>> chosen = pickColorWithGtk(color);
        if (chosen) {
            color = *chosen;
        }
        return chosen.has_value();
    } catch (...) {
        return false;
    }
}

void alert(const char* message) noexcept
{
    try {
        showMessageBox(message);
    } catch (...) {
        // The caller has written the message to its own output too.
    }
}

void browseUrl(const char* url) noexcept
{
    try {
        openWebAddress(url);
    } catch (...) {
        // Nothing opens; the dialog stays as it was.
    }
}

constexpr DialogWindows kDialogWindows{runModal, pickColor, alert, browseUrl};

void explain(char* problem, size_t problemSize, const std::string& text) noexcept
{
    if (problem != nullptr && problemSize > 0) {
        std::snprintf(problem, problemSize, "%s", text.c_str());
    }
}

std::string displayName()
{
    const char* x11 = std::getenv("DISPLAY");
    if (x11 != nullptr && *x11 != '\0') {
        return std::string("display ") + x11;
    }
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland != nullptr && *wayland != '\0' ? std::string("Wayland display ") + wayland + " (GTK 2 needs X11)"
                                                  : "display (none is set)";
}

} // namespace

} // namespace vendrel::dialogwindow

extern "C" __attribute__((visibility("default"))) const vendrel::dialogwindow::DialogWindows*
vendrel_open_dialog_windows(int32_t version, char* problem, size_t problemSize) noexcept
{
    using namespace vendrel::dialogwindow;
    try {
        if (version != kDialogWindowsVersion) {
            explain(problem, problemSize,
                    "the library is of another version (" + std::to_string(kDialogWindowsVersion) + ", not " +
                        std::to_string(version) + ")");
            return nullptr;
        }
        // The program's locale stays its own: numbers it writes keep their decimal point.
        gtk_disable_setlocale();
        if (!gtk_init_check(nullptr, nullptr)) {
            explain(problem, problemSize, "GTK cannot open the " + displayName());
            return nullptr;
        }
        return &kDialogWindows;
    } catch (...) {
        explain(problem, problemSize, "GTK could not start");
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&vendrel_open_dialog_windows), vendrel::dialogwindow::OpenDialogWindows>);

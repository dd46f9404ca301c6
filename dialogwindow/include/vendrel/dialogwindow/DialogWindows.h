// The dialog window library as a program loads it at run time (dlopen): one C entry point that starts GTK on
// the display and answers a table of functions. No function lets an exception out. Texts cross as UTF-8; a
// dialog crosses with the picture the host draws of it (the picture buttons' faces come from it). The program
// and the library are built together, so the C++ types they share are laid out alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vendrel {
class AdmDialog;
struct RgbRaster;
} // namespace vendrel

namespace vendrel::dialogwindow {

// Raised whenever the table or a type it uses changes, so that a stale library is refused, not misused.
inline constexpr int32_t kDialogWindowsVersion = 1;
inline constexpr const char* kDialogWindowsEntry = "vendrel_open_dialog_windows";
inline constexpr const char* kDialogWindowsLibrary = "libvendrel-dialog-window.so";

struct DialogWindows {
    // Shows the dialog until one of its items ends it and answers the ending item's id (an error counts as
    // Cancel). cancelRequested, when not null, is asked a few times a second: true closes the window as Cancel.
    int32_t (*runModal)(AdmDialog& dialog, const RgbRaster& picture, bool (*cancelRequested)()) noexcept;
    // GTK's colour selection dialog opened on `color`: true with the choice in `color`, false when cancelled.
    bool (*pickColor)(std::array<uint8_t, 3>& color) noexcept;
    // A modal message box with an OK button.
    void (*alert)(const char* message) noexcept;
    // Opens the address in the desktop's browser; a message box says so when it cannot.
    void (*browseUrl)(const char* url) noexcept;
};

// The entry point: GTK started on the display and the functions, or null with the reason written into
// `problem` (at most problemSize bytes, with its terminating zero) when the display cannot be opened or the
// version differs.
using OpenDialogWindows = const DialogWindows* (*)(int32_t version, char* problem, size_t problemSize) noexcept;

} // namespace vendrel::dialogwindow

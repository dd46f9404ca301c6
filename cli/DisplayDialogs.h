// The person at the display: the filter's dialogs, colour picks, alerts and web links shown as windows. On
// Linux they come from the dialog window library, which the command loads (and GTK with it) only when the
// first dialog is to be shown, so that runs without one never start GTK.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vendrel {

class AdmDialog;

class DisplayDialogs {
public:
    virtual ~DisplayDialogs() = default;

    // Shows the dialog until the person ends it; the ending item's id.
    virtual int32_t runModal(AdmDialog& dialog) = 0;
    // The colour selection dialog opened on `start`; nothing when cancelled.
    virtual std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) = 0;
    // A message box; the text in UTF-8.
    virtual void alert(const std::string& message) = 0;
    virtual void browseUrl(const std::string& url) = 0;
};

// The windows on this display; nothing, with the reason in `why`, when no display is set, the library is
// missing or cannot open the display.
std::unique_ptr<DisplayDialogs> openDisplayDialogs(std::string& why);

// What `--dialog` shows on this platform, for --help.
const char* dialogOptionHelp();

} // namespace vendrel

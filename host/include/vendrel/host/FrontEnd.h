// What the host asks of whoever drives it: progress, abort, alerts, the colour picker, web links and dialogs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vendrel {

class AdmDialog;

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Rows done out of total, reported by the filter while it walks the image.
    virtual void progress(int32_t done, int32_t total) { (void)done, (void)total; }
    // True when the user wants the running filter stopped.
    virtual bool abortRequested() { return false; }
    // A modal message from the plug-in, in its own bytes (Mac OS Roman above 127).
    virtual void alert(const std::string& message) { (void)message; }
    // The host colour picker: the user's RGB choice, or nothing when cancelled.
    virtual std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start)
    {
        (void)start;
        return std::nullopt;
    }
    // Opens a web address in the user's browser.
    virtual void browseUrl(const std::string& url) { (void)url; }
    // Drives a modal dialog that the host has built and initialised; returns the id of the item that ended it
    // (1 OK, 2 Cancel). The default presses the dialog's default item.
    virtual int32_t runModal(AdmDialog& dialog);
};

} // namespace vendrel

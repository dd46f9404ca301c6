// The front end of a command-line run: a progress bar on stderr, Ctrl-C as the user's abort, alerts as text.
// Dialogs are confirmed as they open, unseen (the scripted front end), unless the run shows them: then the
// first dialog opens the windows on the display (DisplayDialogs), and when there are none the command says
// once why the dialog was confirmed unseen.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "DisplayDialogs.h"
#include "vendrel/host/FrontEnd.h"

namespace vendrel {

class TerminalFrontEnd : public FrontEnd {
public:
    // showProgress: draw the bar (stderr is a terminal and the user did not ask for quiet).
    // showDialogs: show the filter's dialogs to the person at the display (--dialog).
    explicit TerminalFrontEnd(bool showProgress, bool showDialogs = false);

    void progress(int32_t done, int32_t total) override;
    bool abortRequested() override;
    // On stderr, and in a message box once the dialogs are shown on the display.
    void alert(const std::string& message) override;
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3> start) override;
    void browseUrl(const std::string& url) override;
    int32_t runModal(AdmDialog& dialog) override;

    // Ends the progress line so that later messages start on a line of their own.
    void finishProgress();

private:
    // The display's windows, opened at the first dialog; null when the dialogs are confirmed unseen.
    DisplayDialogs* display();

    bool showProgress_;
    bool showDialogs_;
    bool displayOpened_ = false;
    std::unique_ptr<DisplayDialogs> display_;
    bool barDrawn_ = false;
    int lastPercent_ = -1;
    std::optional<int32_t> interruptAtRow_;
    std::optional<int32_t> interruptAtCheck_;
    std::optional<int32_t> signalParentAtRow_;
    std::optional<int32_t> parentSignal_;
    int32_t abortChecks_ = 0;
};

} // namespace vendrel

// The front end of a command-line run: a progress bar on stderr, Ctrl-C as the user's abort, alerts as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "vendrel/host/FrontEnd.h"

namespace vendrel {

class TerminalFrontEnd : public FrontEnd {
public:
    // showProgress: draw the bar (stderr is a terminal and the user did not ask for quiet).
    explicit TerminalFrontEnd(bool showProgress);

    void progress(int32_t done, int32_t total) override;
    bool abortRequested() override;
    void alert(const std::string& message) override;

    // Ends the progress line so that later messages start on a line of their own.
    void finishProgress();

private:
    bool showProgress_;
    bool barDrawn_ = false;
    int lastPercent_ = -1;
    std::optional<int32_t> interruptAtRow_;
    std::optional<int32_t> interruptAtCheck_;
    std::optional<int32_t> signalParentAtRow_;
    std::optional<int32_t> parentSignal_;
    int32_t abortChecks_ = 0;
};

} // namespace vendrel

#include "TerminalFrontEnd.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Interrupt.h"
#include "TestHooks.h"
#include "vendrel/host/MacRoman.h"
#include "vendrel/host/PrintableText.h"

namespace vendrel {

namespace {

constexpr int barWidth = 40;

} // namespace

TerminalFrontEnd::TerminalFrontEnd(bool showProgress, bool showDialogs)
    : showProgress_(showProgress), showDialogs_(showDialogs),
      interruptAtRow_(testHookValue("VENDREL_TEST_INTERRUPT_AT_ROW")),
      interruptAtCheck_(testHookValue("VENDREL_TEST_INTERRUPT_AT_CHECK")),
      signalParentAtRow_(testHookValue("VENDREL_TEST_SIGNAL_PARENT_AT_ROW")),
      parentSignal_(testHookValue("VENDREL_TEST_PARENT_SIGNAL"))
{
}

void TerminalFrontEnd::progress(int32_t done, int32_t total)
{
    if (interruptAtRow_ && done >= *interruptAtRow_) {
        interruptAtRow_.reset();
        std::raise(SIGINT);
    }
    if (signalParentAtRow_ && parentSignal_ && done >= *signalParentAtRow_) {
        signalParentAtRow_.reset();
        signalParent(*parentSignal_);
    }
    if (!showProgress_ || total <= 0) {
        return;
    }
    // A filter may report rows past its total (or a negative count): the bar stays within its frame.
    int percent = int(std::clamp<int64_t>(int64_t(done) * 100 / total, 0, 100));
    if (percent == lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    int filled = percent * barWidth / 100;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", barWidth - filled, "",
                 percent);
    std::fflush(stderr);
    barDrawn_ = true;
}

bool TerminalFrontEnd::abortRequested()
{
    if (interruptAtCheck_ && ++abortChecks_ >= *interruptAtCheck_) {
        interruptAtCheck_.reset();
        std::raise(SIGINT);
    }
    return InterruptWatch::interrupted();
}

void TerminalFrontEnd::alert(const std::string& message)
{
    finishProgress();
    const std::string text = macRomanToUtf8(message);
    // The filter breaks its message into lines; each is printed as a line of its own, its other control
    // characters escaped.
    size_t start = 0;
    do {
        const size_t end = std::min(text.find('\n', start), text.size());
        const size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
        std::fprintf(stderr, "%s\n", shortText(std::string_view(text).substr(start, cut - start), 2000).c_str());
        start = end + 1;
    } while (start < text.size());
    if (display_) {
        display_->alert(text); // a message box shows the filter's line breaks as they are
    }
}

std::optional<std::array<uint8_t, 3>> TerminalFrontEnd::pickColor(std::array<uint8_t, 3> start)
{
    return display_ ? display_->pickColor(start) : FrontEnd::pickColor(start);
}

void TerminalFrontEnd::browseUrl(const std::string& url)
{
    if (display_) {
        display_->browseUrl(url);
    }
}

int32_t TerminalFrontEnd::runModal(AdmDialog& dialog)
{
    if (DisplayDialogs* windows = display()) {
        return windows->runModal(dialog);
    }
    return FrontEnd::runModal(dialog);
}

DisplayDialogs* TerminalFrontEnd::display()
{
    if (!showDialogs_ || displayOpened_) {
        return display_.get();
    }
    displayOpened_ = true;
    std::string why;
    display_ = openDisplayDialogs(why);
    if (!display_) {
        finishProgress();
        std::fprintf(stderr, "note: the filter's dialog is confirmed as it opens, without being shown: %s\n",
                     why.c_str());
    }
    return display_.get();
}

void TerminalFrontEnd::finishProgress()
{
    if (barDrawn_) {
        std::fputc('\n', stderr);
        barDrawn_ = false;
        lastPercent_ = -1;
    }
}

} // namespace vendrel

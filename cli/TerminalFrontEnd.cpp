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

TerminalFrontEnd::TerminalFrontEnd(bool showProgress)
    : showProgress_(showProgress), interruptAtRow_(testHookValue("VENDREL_TEST_INTERRUPT_AT_ROW")),
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
    std::fprintf(stderr, "%s\n", shortText(macRomanToUtf8(message), 2000).c_str());
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

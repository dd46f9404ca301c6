#include "TerminalFrontEnd.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Interrupt.h"
#include "vendrel/host/MacRoman.h"

namespace vendrel {

namespace {

// Test hook: VENDREL_TEST_INTERRUPT_AT_ROW=N makes the command send itself SIGINT once the filter has
// reported N rows, exactly as if the user had pressed Ctrl-C there, so tests cancel a run deterministically
// through the real signal handling.
std::optional<int32_t> interruptAtRowFromEnvironment()
{
    const char* text = std::getenv("VENDREL_TEST_INTERRUPT_AT_ROW");
    if (text == nullptr) {
        return std::nullopt;
    }
    int32_t rows = 0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, rows);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return rows;
}

constexpr int barWidth = 40;

} // namespace

TerminalFrontEnd::TerminalFrontEnd(bool showProgress)
    : showProgress_(showProgress), interruptAtRow_(interruptAtRowFromEnvironment())
{
}

void TerminalFrontEnd::progress(int32_t done, int32_t total)
{
    if (interruptAtRow_ && done >= *interruptAtRow_) {
        interruptAtRow_.reset();
        std::raise(SIGINT);
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
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", barWidth - filled,
                 "", percent);
    std::fflush(stderr);
    barDrawn_ = true;
}

bool TerminalFrontEnd::abortRequested()
{
    return InterruptWatch::interrupted();
}

void TerminalFrontEnd::alert(const std::string& message)
{
    finishProgress();
    std::fprintf(stderr, "%s\n", macRomanToUtf8(message).c_str());
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

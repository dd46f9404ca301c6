#include "Interrupt.h"

#include <csignal>
#include <iterator>

namespace vendrel {

namespace {

constexpr int watchedSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t signalSeen = 0;
struct sigaction formerActions[std::size(watchedSignals)]{};

extern "C" void noteSignal(int number)
{
    signalSeen = number;
}

} // namespace

InterruptWatch::InterruptWatch()
{
    signalSeen = 0;
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(watchedSignals); ++i)
        sigaction(watchedSignals[i], &action, &formerActions[i]);
}

InterruptWatch::~InterruptWatch()
{
    for (size_t i = 0; i < std::size(watchedSignals); ++i)
        sigaction(watchedSignals[i], &formerActions[i], nullptr);
}

bool InterruptWatch::interrupted()
{
    return signalSeen != 0;
}

int InterruptWatch::exitStatus()
{
    return 128 + (signalSeen != 0 ? int(signalSeen) : SIGINT);
}

void ignoreWriteSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace vendrel

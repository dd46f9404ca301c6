#include "Interrupt.h"

#include <csignal>

namespace vendrel {

namespace {

volatile std::sig_atomic_t interruptSeen = 0;
struct sigaction formerAction {};

extern "C" void noteInterrupt(int) { interruptSeen = 1; }

} // namespace

InterruptWatch::InterruptWatch()
{
    interruptSeen = 0;
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &formerAction);
}

InterruptWatch::~InterruptWatch() { sigaction(SIGINT, &formerAction, nullptr); }

bool InterruptWatch::interrupted() { return interruptSeen != 0; }

} // namespace vendrel

#include "Interrupt.h"

#include <windows.h>

#include <csignal>

namespace vendrel {

namespace {

// The exit status a run ended by the event answers, as on Linux: Ctrl-C and Ctrl-Break 130 (SIGINT), the
// console closing or the session ending 143 (SIGTERM).
volatile LONG statusSeen = 0;

BOOL WINAPI noteConsoleEvent(DWORD event)
{
    InterlockedExchange(&statusSeen, event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? 130 : 143);
    return TRUE;
}

// std::raise reaches the C library's handlers, not the console's.
extern "C" void noteSignal(int number)
{
    InterlockedExchange(&statusSeen, 128 + number);
}

using SignalHandler = void (*)(int);
SignalHandler formerInterrupt = SIG_DFL, formerTerminate = SIG_DFL;

} // namespace

InterruptWatch::InterruptWatch()
{
    InterlockedExchange(&statusSeen, 0);
    SetConsoleCtrlHandler(noteConsoleEvent, TRUE);
    formerInterrupt = std::signal(SIGINT, noteSignal);
    formerTerminate = std::signal(SIGTERM, noteSignal);
}

InterruptWatch::~InterruptWatch()
{
    SetConsoleCtrlHandler(noteConsoleEvent, FALSE);
    std::signal(SIGINT, formerInterrupt);
    std::signal(SIGTERM, formerTerminate);
}

bool InterruptWatch::interrupted()
{
    return statusSeen != 0;
}

int InterruptWatch::exitStatus()
{
    return statusSeen != 0 ? int(statusSeen) : 130;
}

// Windows raises no signal for a failed write: the write itself fails.
void ignoreWriteSignals() {}

} // namespace vendrel

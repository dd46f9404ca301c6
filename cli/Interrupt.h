// Ctrl-C (and SIGTERM, SIGHUP) during a run: the handler only notes the signal; the host's abort callback
// passes it on to the filter, and the run checks it before putting any file in place.
#pragma once

namespace vendrel {

class InterruptWatch {
public:
    InterruptWatch();  // catches the signals from now on
    ~InterruptWatch(); // gives them back to their former handlers
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    static bool interrupted();
    // The exit status of a run ended by the signal noted: 128 + its number (130 for Ctrl-C).
    static int exitStatus();
};

// A write past the file size limit (ulimit -f) or into a closed pipe must fail with an error the command
// reports, not kill it without a word: the signals such writes raise are ignored from here on.
void ignoreWriteSignals();

} // namespace vendrel

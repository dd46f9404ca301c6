// Ctrl-C during a run: the handler only notes it; the host's abort callback passes it on to the filter.
#pragma once

namespace vendrel {

class InterruptWatch {
public:
    InterruptWatch();  // catches SIGINT from now on
    ~InterruptWatch(); // gives SIGINT back to its former handler
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    static bool interrupted();
};

} // namespace vendrel

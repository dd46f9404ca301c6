// One run of a command as a child process: its wall-clock time and its peak resident size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::bench {

struct ChildRun {
    double seconds = 0;
    uint64_t peakBytes = 0; // the child's ru_maxrss
};

// Runs the program with the arguments, its output and errors into logFile. Throws std::runtime_error when it
// cannot start or does not exit with 0, naming the command and the log.
ChildRun runChild(const std::vector<std::string>& command, const std::string& logFile);

} // namespace vendrel::bench

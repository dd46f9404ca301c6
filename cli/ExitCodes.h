// The command's exit status and the errors that choose it.
#pragma once

#include <stdexcept>

namespace vendrel {

enum ExitCode : int {
    exitSuccess = 0,
    exitFailure = 1,     // the filter or a file failed
    exitUsage = 2,       // the command line is wrong
    exitCancelled = 130, // the user interrupted the run
};

// A wrong command line: a bad option value, a missing palette. The message names the option.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vendrel

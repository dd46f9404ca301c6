// Runs programs as child processes, a few at a time: one isolated process per job.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vendrel {

struct ProcessJob {
    std::vector<std::string> arguments; // the program's path first
    std::string errorFile;              // the child's stderr goes here (truncated)
};

struct ProcessOutcome {
    size_t job = 0;
    int exitCode = 0; // the child's exit status; 128 + the signal when a signal ended it; 127 when it did not start
};

// Starts the jobs in order, at most `parallel` at once, and calls finished for each as it ends (in the order
// they end). shouldStop is asked before each start; once it answers true no further job starts, and the
// running ones are waited for. Answers the outcomes in job order; jobs never started are left out.
std::vector<ProcessOutcome> runProcesses(const std::vector<ProcessJob>& jobs, int parallel,
                                         const std::function<void(const ProcessOutcome&)>& finished,
                                         const std::function<bool()>& shouldStop);

} // namespace vendrel

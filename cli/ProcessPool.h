// Runs programs as child processes, a few at a time: one isolated process per job.
#pragma once

#include <cstddef>
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

// Starts jobs 0 to count - 1 in order, at most `parallel` at once, each made by makeJob just before it starts (so
// that only the running jobs are held), and calls finished for each as it ends (in the order they end).
//
// The children live in a process group of their own and are sent SIGTERM when the calling process dies, however
// it dies. Once stopSignal answers a signal number (0: go on) no further job starts, that signal is passed on to
// the running children, and they are waited for. stopSignal is asked before each start and whenever a signal
// arrives: SIGINT, SIGTERM and SIGHUP are held while the pool decides and taken only while it waits, so a
// handler the caller installed for them runs then and none is missed. Answers the outcomes in job order; jobs
// never started are left out.
std::vector<ProcessOutcome> runProcesses(size_t count, const std::function<ProcessJob(size_t)>& makeJob, int parallel,
                                         const std::function<void(const ProcessOutcome&)>& finished,
                                         const std::function<int()>& stopSignal);

} // namespace vendrel

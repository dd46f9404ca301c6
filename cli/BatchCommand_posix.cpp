// vendrel run IN... --output-dir DIR: every input in a child process of its own, several at once. The filter
// module keeps state for the whole process, so a process per input gives every input exactly its single run.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "Commands.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "TemporaryFolder.h"
#include "vendrel/host/ProcessPool.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

// The child's command line: this program with the batch's own arguments, told which input is its own.
std::vector<std::string> childArguments(const std::vector<std::string>& commandLine, size_t item)
{
    std::vector<std::string> arguments = {fs::read_symlink("/proc/self/exe").string()};
    bool placed = false;
    for (size_t i = 1; i < commandLine.size(); ++i) {
        arguments.push_back(commandLine[i]);
        if (!placed && commandLine[i] == "run" && commandLine[i - 1] != "--module") {
            arguments.insert(arguments.end(), {"--batch-item", std::to_string(item), "--quiet"});
            placed = true;
        }
    }
    return arguments;
}

std::string textOf(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class BatchProgress {
public:
    BatchProgress(size_t total, bool shown) : total_(total), shown_(shown) {}

    void finished(const std::string& input, int exitCode, const std::string& errors)
    {
        ++done_;
        (exitCode == exitSuccess ? written_ : failed_) += 1;
        if (exitCode != exitSuccess) {
            clear();
            std::fputs(errors.empty() ? (input + ": failed (exit status " + std::to_string(exitCode) + ")\n").c_str()
                                      : errors.c_str(),
                       stderr);
        }
        if (shown_) {
            std::fprintf(stderr, "\r[%zu/%zu] %zu written, %zu failed", done_, total_, written_, failed_);
            std::fflush(stderr);
        }
    }

    void summary(const std::string& folder, size_t notStarted)
    {
        clear();
        std::string text = "vendrel: " + std::to_string(total_) + " inputs: " + std::to_string(written_) +
                           " written to " + folder + ", " + std::to_string(failed_) + " failed";
        if (notStarted > 0) {
            text += ", " + std::to_string(notStarted) + " not started (cancelled)";
        }
        std::fprintf(stderr, "%s\n", text.c_str());
    }

private:
    void clear() const
    {
        if (shown_) {
            std::fputs("\r\033[K", stderr);
        }
    }

    size_t total_, done_ = 0, written_ = 0, failed_ = 0;
    bool shown_;
};

void checkBatch(const RunRequest& request)
{
    if (!request.output.empty()) {
        throw UsageError("--output names one file; with --output-dir the outputs are named after the inputs");
    }
    if (request.dialog || !request.recordFile.empty()) {
        throw UsageError("--dialog and --record are for one input; they do not go with --output-dir");
    }
    std::set<std::string> names;
    for (const std::string& input : request.inputs) {
        const std::string output = batchOutputName(request.outputDir, input, request.format);
        if (!names.insert(output).second) {
            throw UsageError("--output-dir: two inputs would both write " + output);
        }
    }
    std::error_code error;
    fs::create_directories(request.outputDir, error);
    if (!fs::is_directory(request.outputDir)) {
        throw UsageError("--output-dir: " + request.outputDir + " is not a folder that can be made");
    }
}

} // namespace

int runBatch(const RunRequest& request, const std::vector<std::string>& commandLine)
{
    checkBatch(request);
    // Made exclusively under a random name: a folder or link planted at a predictable name is never used.
    TemporaryFolder errorFolder("vendrel-batch-");
    const fs::path errors = errorFolder.path();
    std::vector<ProcessJob> jobs;
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        jobs.push_back(ProcessJob{childArguments(commandLine, i), (errors / std::to_string(i)).string()});
    }
    const int parallel = request.jobs > 0 ? request.jobs : int(std::max(1u, std::thread::hardware_concurrency()));
    BatchProgress progress(jobs.size(), !request.quiet && isatty(STDERR_FILENO));
    InterruptWatch watch;
    const std::vector<ProcessOutcome> outcomes = runProcesses(
        jobs, parallel,
        [&](const ProcessOutcome& outcome) {
            progress.finished(request.inputs[outcome.job], outcome.exitCode, textOf(jobs[outcome.job].errorFile));
        },
        [] { return InterruptWatch::interrupted(); });
    progress.summary(request.outputDir, jobs.size() - outcomes.size());
    int worst = outcomes.size() < jobs.size() ? int(exitCancelled) : int(exitSuccess);
    for (const ProcessOutcome& outcome : outcomes) {
        worst = std::max(worst, outcome.exitCode);
    }
    return worst;
}

} // namespace vendrel

// vendrel run IN... --output-dir DIR: every input in a child process of its own, several at once. The filter
// module keeps state for the whole process, so a process per input gives every input exactly its single run.
// Each child is this program run again as an ordinary single run, "run --output=DIR/NAME -- INPUT", with the
// batch's options: nothing the batch hands a child is an option a user could not give, and every child's
// command line holds its own input alone.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "Commands.h"
#include "ExitCodes.h"
#include "Interrupt.h"
#include "PaletteChoice.h"
#include "ProcessPool.h"
#include "RunMemory.h"
#include "TemporaryFolder.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/PrintableText.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

std::string textOf(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a child printed, each line naming the input it is about.
std::string linesNaming(const std::string& input, const std::string& text)
{
    const std::string prefix = "vendrel: ";
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty()) {
            continue;
        }
        if (line.rfind(prefix, 0) == 0) {
            line.erase(0, prefix.size());
        }
        // A message that starts with the input's name names it already.
        const bool named = line.rfind(input + ":", 0) == 0;
        out += prefix + (named ? "" : printableText(input) + ": ") + line + "\n";
    }
    return out;
}

class BatchProgress {
public:
    BatchProgress(size_t total, bool shown) : total_(total), shown_(shown) {}

    // Every input's messages are passed on, its notes too; a failure without a message is reported as such.
    void finished(const std::string& input, int exitCode, const std::string& messages)
    {
        ++done_;
        (exitCode == exitSuccess ? written_ : failed_) += 1;
        std::string text = linesNaming(input, messages);
        if (exitCode != exitSuccess && text.empty()) {
            text = "vendrel: " + printableText(input) + ": failed (exit status " + std::to_string(exitCode) + ")\n";
        }
        if (!text.empty()) {
            clear();
            std::fputs(text.c_str(), stderr);
        }
        if (shown_) {
            std::fprintf(stderr, "\r[%zu/%zu] %zu written, %zu failed", done_, total_, written_, failed_);
            std::fflush(stderr);
        }
    }

    void summary(const std::string& folder, size_t notStarted, const std::string& jobsNote)
    {
        clear();
        std::string text = std::to_string(total_) + " inputs: " + std::to_string(written_) + " written to " + folder +
                           ", " + std::to_string(failed_) + " failed";
        if (notStarted > 0) {
            text += ", " + std::to_string(notStarted) + " not started (cancelled)";
        }
        if (!jobsNote.empty()) {
            text += "; " + jobsNote;
        }
        printError(text);
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

// The file an existing path names: its device and inode, the same for every name of it (links included).
using FileId = std::pair<dev_t, ino_t>;

std::optional<FileId> fileIdOf(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileId{info.st_dev, info.st_ino};
}

// The path with every link and "." or ".." resolved, as far as the path exists.
std::string resolvedPath(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal().string() : resolved.string();
}

// No output may be an input: a batch over a folder into itself, into a link to it, or over a former batch's
// outputs would write over what it reads. An existing output is compared by the file it is, one not yet made
// by its resolved path. Linear in the inputs.
void checkNoInputOverwritten(const RunRequest& request)
{
    std::map<FileId, size_t> inputFiles;
    std::map<std::string, size_t> inputPaths;
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        if (const std::optional<FileId> id = fileIdOf(request.inputs[i])) {
            inputFiles.emplace(*id, i);
        }
        inputPaths.emplace(resolvedPath(request.inputs[i]), i);
    }
    for (const std::string& input : request.inputs) {
        const std::string output = batchOutputName(request.outputDir, input, request.format);
        std::optional<size_t> overwritten;
        if (const std::optional<FileId> id = fileIdOf(output)) {
            if (const auto found = inputFiles.find(*id); found != inputFiles.end()) {
                overwritten = found->second;
            }
        } else if (const auto found = inputPaths.find(resolvedPath(output)); found != inputPaths.end()) {
            overwritten = found->second;
        }
        if (overwritten) {
            throw UsageError("--output-dir: the output " + output + " would write over the input " +
                             request.inputs[*overwritten] +
                             "; choose another folder, or another --format (nothing was written)");
        }
    }
}

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
    checkNoInputOverwritten(request);
    std::error_code error;
    fs::create_directories(request.outputDir, error);
    if (!fs::is_directory(request.outputDir)) {
        throw UsageError("--output-dir: " + request.outputDir + " is not a folder that can be made");
    }
}

// The most inputs that run at once: what was asked (one per core by default), no more than the cores, and no
// more than the memory available holds runs of the largest input. why tells, when the number was lowered from
// what was asked, what lowered it.
int jobsAtOnce(const RunRequest& request, std::string& why)
{
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int asked = request.jobs > 0 ? request.jobs : cores;
    const int useful = int(std::min<size_t>(size_t(asked), request.inputs.size()));
    int jobs = std::min(useful, cores);
    std::string reasons = jobs < useful ? std::to_string(cores) + (cores == 1 ? " core" : " cores") : "";
    const std::optional<uint64_t> available = availableMemoryBytes();
    if (available && jobs > 1) {
        uint64_t largest = 0;
        for (const std::string& input : request.inputs) {
            try {
                const ImageDimensions size = readImageDimensions(input);
                largest = std::max(largest, runMemoryBytes(size.width, size.height, size.channels, request));
            } catch (const std::exception&) {
                // The input's own run reports it.
            }
        }
        const int fit = largest > 0 ? int(std::clamp<uint64_t>(*available / largest, 1, uint64_t(jobs))) : jobs;
        if (fit < jobs) {
            jobs = fit;
            reasons += (reasons.empty() ? "" : " and ") + memoryText(*available) + " of memory available, " +
                       memoryText(largest) + " for the largest input's run";
        }
    }
    if (jobs < useful && request.jobs > 0) {
        why = "-j lowered from " + std::to_string(request.jobs) + " to " + std::to_string(jobs) + " (" + reasons + ")";
    } else if (jobs < useful) {
        why = std::to_string(jobs) + (jobs == 1 ? " input" : " inputs") + " at once (" + reasons + ")";
    }
    return jobs;
}

std::string selfPath()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        throw HostError("cannot find this program's own file to run the batch's inputs: " + error.message());
    }
    return self.string();
}

} // namespace

int runBatch(const PluginModule& module, const RunRequest& request, SettingOptions& settings,
             const std::vector<std::string>& runOptions)
{
    checkBatch(request);
    // The palette is found, checked and (when it lies outside a swatch folder) copied once for the whole batch;
    // every input's run is pointed at the result.
    std::unique_ptr<PaletteChoice> palette = choosePalette(request.presetsFolder, settings);
    std::vector<std::string> common = {selfPath(), "--module=" + module.path(), "run"};
    common.insert(common.end(), runOptions.begin(), runOptions.end());
    common.push_back("--presets=" + (palette ? palette->hostFolder() : request.presetsFolder));
    if (palette) {
        common.push_back("--palette=" + palette->fileName());
    }
    common.push_back("--quiet");

    // Made exclusively under a random name: a folder or link planted at a predictable name is never used.
    TemporaryFolder messageFolder("vendrel-batch-");
    const fs::path messages = messageFolder.path();
    auto messageFile = [&](size_t i) { return (messages / std::to_string(i)).string(); };
    auto makeJob = [&](size_t i) {
        ProcessJob job{common, messageFile(i)};
        const std::string& input = request.inputs[i];
        job.arguments.push_back("--output=" + batchOutputName(request.outputDir, input, request.format));
        job.arguments.push_back("--");
        job.arguments.push_back(input);
        return job;
    };
    std::string jobsNote;
    const int parallel = jobsAtOnce(request, jobsNote);
    BatchProgress progress(request.inputs.size(), !request.quiet && isatty(STDERR_FILENO));
    InterruptWatch watch;
    const std::vector<ProcessOutcome> outcomes = runProcesses(
        request.inputs.size(), makeJob, parallel,
        [&](const ProcessOutcome& outcome) {
            const std::string file = messageFile(outcome.job);
            progress.finished(request.inputs[outcome.job], outcome.exitCode, textOf(file));
            std::error_code ignored;
            fs::remove(file, ignored);
        },
        [] { return InterruptWatch::interrupted() ? InterruptWatch::exitStatus() - 128 : 0; });
    std::string notes = lossyInputsNote(request);
    notes += (notes.empty() || jobsNote.empty() ? "" : "; ") + jobsNote;
    progress.summary(request.outputDir, request.inputs.size() - outcomes.size(), notes);
    if (InterruptWatch::interrupted()) {
        return InterruptWatch::exitStatus();
    }
    int worst = exitSuccess;
    for (const ProcessOutcome& outcome : outcomes) {
        worst = std::max(worst, outcome.exitCode);
    }
    return worst;
}

} // namespace vendrel

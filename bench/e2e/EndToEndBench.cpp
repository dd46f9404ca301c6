// vendrel_e2e_bench: times `vendrel run` from file to file against `vips copy` of the same files (the codecs
// alone), on a 3000 x 4000 RGB line-art page and on a tiny image. Every command runs as a child process, the
// cases interleaved round by round; each time is the minimum over the rounds, each peak the largest ru_maxrss.
// Options: --runs N (5), --vendrel FILE (the command to time), --module FILE (handed to it), --keep (leave the
// work folder).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "LineArtPage.h"
#include "vendrel/host/ImageFile.h"

namespace {

using namespace vendrel;
namespace fs = std::filesystem;

constexpr int32_t pageWidth = 3000, pageHeight = 4000, tinySide = 8;

struct Options {
    int runs = 5;
    std::string vendrel = VENDREL_CLI_PATH;
    std::string module;
    bool keep = false;
};

// One timed command, and what it is compared with: the case named by base, which must not exceed target
// times its time; memoryTarget (when positive) bounds its peak as a multiple of the page's pixel bytes.
struct Case {
    std::string name;
    std::vector<std::string> command;
    std::string base;
    double target = 0;
    double memoryTarget = 0;
    double best = 1e30;
    uint64_t peak = 0;
};

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runs" && hasValue) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--vendrel" && hasValue) {
            options.vendrel = argv[++i];
        } else if (argument == "--module" && hasValue) {
            options.module = argv[++i];
        } else if (argument == "--keep") {
            options.keep = true;
        } else {
            throw std::runtime_error("usage: vendrel_e2e_bench [--runs N] [--vendrel FILE] [--module FILE] [--keep]");
        }
    }
    return options;
}

std::string firstLineOf(const std::string& path, const std::string& prefix = "")
{
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return "";
}

std::string machineText()
{
    std::string model = firstLineOf("/proc/cpuinfo", "model name");
    model = model.substr(std::min(model.size(), model.find(':') + 2));
    return model + ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
}

std::vector<std::string> vendrelRun(const Options& options, const fs::path& input, const fs::path& output,
                                    std::vector<std::string> extra = {})
{
    std::vector<std::string> command = {options.vendrel};
    if (!options.module.empty()) {
        command.insert(command.end(), {"--module", options.module});
    }
    command.insert(command.end(),
                   {"run", input.string(), "-o", output.string(), "--tolerance", "40", "--palette", "Flatting 24.aco"});
    command.insert(command.end(), extra.begin(), extra.end());
    return command;
}

std::vector<Case> casesIn(const fs::path& work, const Options& options)
{
    const fs::path page = work / "page.png", tiny = work / "tiny.png";
    auto vipsCopy = [&work](const fs::path& input, const char* output) {
        return std::vector<std::string>{"vips", "copy", input.string(), (work / output).string()};
    };
    const std::vector<std::string> stages = {"--close-gaps", "8", "--flats"};
    return {
        {"vips copy -> png", vipsCopy(page, "vips.png"), "", 0, 0},
        {"vips copy -> tif", vipsCopy(page, "vips.tif"), "", 0, 0},
        {"vendrel -> png", vendrelRun(options, page, work / "out.png"), "vips copy -> png", 1.4, 0},
        {"vendrel -> tif", vendrelRun(options, page, work / "out.tif"), "vips copy -> tif", 1.5, 0},
        {"stages -> png", vendrelRun(options, page, work / "stages.png", stages), "vips copy -> png", 1.8, 2.5},
        {"stages -> tif", vendrelRun(options, page, work / "stages.tif", stages), "vips copy -> tif", 0, 2.5},
        {"stages -> ora", vendrelRun(options, page, work / "stages.ora", stages), "vips copy -> png", 3.0, 3.0},
        {"vips copy tiny", vipsCopy(tiny, "vips-tiny.png"), "", 0, 0},
        {"vendrel tiny", vendrelRun(options, tiny, work / "tiny-out.png"), "vips copy tiny", 0.6, 0},
    };
}

void runRounds(std::vector<Case>& cases, const fs::path& work, int runs)
{
    for (int round = 0; round < runs; ++round) {
        for (Case& c : cases) {
            const bench::ChildRun run = bench::runChild(c.command, (work / "log.txt").string());
            c.best = std::min(c.best, run.seconds);
            c.peak = std::max(c.peak, run.peakBytes);
        }
        std::fprintf(stderr, "round %d of %d done\n", round + 1, runs);
    }
}

// Prints the table; returns the number of targets missed.
int report(const std::vector<Case>& cases, double imageBytes)
{
    std::map<std::string, double> best;
    for (const Case& c : cases) {
        best[c.name] = c.best;
    }
    std::printf("%-18s %8s %8s %7s %9s %8s %7s\n", "case", "seconds", "ratio", "target", "peak_mb", "x_image",
                "target");
    int missed = 0;
    for (const Case& c : cases) {
        std::printf("%-18s %8.3f", c.name.c_str(), c.best);
        if (!c.base.empty()) {
            const double ratio = c.best / best[c.base];
            const bool over = c.target > 0 && ratio > c.target;
            missed += over ? 1 : 0;
            std::printf(" %8.2f %6s%s", ratio, c.target > 0 ? std::to_string(c.target).substr(0, 4).c_str() : "-",
                        over ? "!" : " ");
        } else {
            std::printf(" %8s %7s", "", "");
        }
        const double multiple = double(c.peak) / imageBytes;
        const bool over = c.memoryTarget > 0 && multiple > c.memoryTarget;
        missed += over ? 1 : 0;
        std::printf(" %9.1f %8.2f %6s%s\n", double(c.peak) / 1e6, multiple,
                    c.memoryTarget > 0 ? std::to_string(c.memoryTarget).substr(0, 3).c_str() : "-", over ? "!" : "");
    }
    return missed;
}

// The pictures are made in a child process. A child's peak counts the memory of the process that started it (the
// kernel keeps the high-water mark across exec), so the benchmark itself must stay small.
void makePictures(const fs::path& work)
{
    const pid_t child = fork();
    if (child == 0) {
        try {
            saveImage(bench::lineArtPage(pageWidth, pageHeight), (work / "page.png").string());
            saveImage(bench::tinyImage(tinySide), (work / "tiny.png").string());
            _exit(0);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vendrel_e2e_bench: %s\n", e.what());
            _exit(1);
        }
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("cannot make the pictures");
    }
}

double ownPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024 / 1e6;
}

int benchmark(const Options& options)
{
    char pattern[] = "/tmp/vendrel-e2e-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("cannot make a work folder in /tmp");
    }
    const fs::path work = pattern;
    // The runs read no settings of the user's.
    setenv("XDG_CONFIG_HOME", work.c_str(), 1);
    makePictures(work);
    std::vector<Case> cases = casesIn(work, options);
    const double imageBytes = double(pageWidth) * pageHeight * 3;
    std::printf("vendrel_e2e_bench: %s\n", options.vendrel.c_str());
    std::printf("page %dx%d RGB (%.1f MB of pixels, page.png %.2f MB), tiny %dx%d; minimum of %d runs, interleaved\n",
                pageWidth, pageHeight, imageBytes / 1e6, double(fs::file_size(work / "page.png")) / 1e6, tinySide,
                tinySide, options.runs);
    std::printf("machine: %s; load average before: %s\n", machineText().c_str(), firstLineOf("/proc/loadavg").c_str());
    runRounds(cases, work, options.runs);
    std::printf("load average after: %s\n", firstLineOf("/proc/loadavg").c_str());
    std::printf("(a peak below the benchmark's own, %.1f MB, reads as that)\n", ownPeakMegabytes());
    const int missed = report(cases, imageBytes);
    std::printf("summary: %d targets missed\n", missed);
    if (options.keep) {
        std::printf("files kept in %s\n", work.c_str());
    } else {
        fs::remove_all(work);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return benchmark(parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vendrel_e2e_bench: %s\n", e.what());
        return 1;
    }
}

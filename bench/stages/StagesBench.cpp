// vendrel_stages_bench: times the host's flatting stages (--close-gaps, --flats) on the page workload, each as a
// rate (wall clock, and processor time of the stage alone, all its threads together) and as a ratio to the
// filter's own run on the same image, with one thread and with two. Options: --quick, --runs N, --gap N.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Timing.h"
#include "Workloads.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/FlattingStages.h"
#include "vendrel/host/PluginModule.h"

namespace {

using namespace vendrel;

// Wall-clock and processor times of one stage over the runs.
struct Times {
    std::vector<double> wall, cpu;
};

// Processor time of the process: on a shared machine it moves much less with the load than the wall clock.
double cpuSeconds(const std::function<void()>& work)
{
    const std::clock_t begin = std::clock();
    work();
    return double(std::clock() - begin) / CLOCKS_PER_SEC;
}

// One run of the filter with the stages around it; the stages' time excludes the filter's.
void measure(const PluginModule& module, const bench::Workload& workload, const FlattingOptions& options,
             const FillWindow& window, double& filterTime, double& stageTime, double& stageCpu)
{
    FilterHost host(module, HostConfig{});
    RunOptions run;
    run.descriptor = workload.settings;
    HostImage image = workload.image;
    FlattingStages stages(options, window);
    stageCpu = cpuSeconds([&] { stageTime = seconds([&] { stages.beforeFilter(image); }); });
    filterTime = seconds([&] {
        if (host.run(image, run).result != 0) {
            std::fprintf(stderr, "vendrel_stages_bench: the filter failed\n");
        }
    });
    stageCpu += cpuSeconds([&] { stageTime += seconds([&] { stages.afterFilter(image); }); });
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5, shrink = 1, gap = 8;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            shrink = 4;
        } else if ((arg == "--runs" || arg == "--gap") && i + 1 < argc) {
            (arg == "--runs" ? runs : gap) = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: vendrel_stages_bench [--quick] [--runs N] [--gap N]\n");
            return 2;
        }
    }
    try {
        const auto module = PluginModule::load(VENDREL_MODULE_PATH);
        const bench::Workload workload = bench::makeWorkload("page", shrink);
        const FillWindow window = fillWindowFor(workload.image, {65535, 65535, 65535}, workload.tolerance);
        // Each stage with one thread and with two; the filter's time is the median over all runs.
        struct Row {
            std::string name;
            FlattingOptions options;
            Times times;
        };
        const std::string closeName = "close-gaps " + std::to_string(gap);
        std::vector<Row> rows = {{closeName + " 1t", FlattingOptions{gap, false, 1}, {}},
                                 {closeName + " 2t", FlattingOptions{gap, false, 2}, {}},
                                 {"flats 1t", FlattingOptions{0, true, 1}, {}},
                                 {"flats 2t", FlattingOptions{0, true, 2}, {}}};
        std::vector<double> filterTimes;
        for (int run = 0; run < runs; ++run) {
            for (Row& row : rows) {
                double filter = 0, stage = 0, cpu = 0;
                measure(*module, workload, row.options, window, filter, stage, cpu);
                filterTimes.push_back(filter);
                row.times.wall.push_back(stage);
                row.times.cpu.push_back(cpu);
            }
        }
        const double mp = double(workload.image.width) * workload.image.height / 1e6;
        const double filter = median(filterTimes);
        std::printf("%-16s %11s %10s %9s %10s\n", "stage", "size", "rate", "vs_filter", "cpu_rate");
        const std::string size = std::to_string(workload.image.width) + "x" + std::to_string(workload.image.height);
        std::printf("%-16s %11s %6.1fMP/s %9.3f\n", "filter", size.c_str(), mp / filter, 1.0);
        for (const Row& row : rows) {
            const double t = median(row.times.wall), cpu = median(row.times.cpu);
            std::printf("%-16s %11s %6.1fMP/s %9.3f %6.1fMP/s\n", row.name.c_str(), size.c_str(), mp / t, t / filter,
                        mp / cpu);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vendrel_stages_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

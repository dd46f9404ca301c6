// vendrel_stages_bench: times the host's flatting stages (--close-gaps, --flats) on the page workload, each as a
// rate and as a ratio to the filter's own run on the same image. Options: --quick, --runs N, --gap N.
#include <algorithm>
#include <chrono>
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

struct Times {
    std::vector<double> filter, closeGaps, flats;
};

// One run of the filter with the stages around it; the stages' time excludes the filter's.
void measure(const PluginModule& module, const bench::Workload& workload, const FlattingOptions& options,
             const FillWindow& window, double& filterTime, double& stageTime)
{
    FilterHost host(module, HostConfig{});
    RunOptions run;
    run.descriptor = workload.settings;
    HostImage image = workload.image;
    FlattingStages stages(options, window);
    stageTime = seconds([&] { stages.beforeFilter(image); });
    filterTime = seconds([&] {
        if (host.run(image, run).result != 0) {
            std::fprintf(stderr, "vendrel_stages_bench: the filter failed\n");
        }
    });
    stageTime += seconds([&] { stages.afterFilter(image); });
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
        Times times;
        for (int run = 0; run < runs; ++run) {
            double filter = 0, stage = 0;
            measure(*module, workload, FlattingOptions{gap, false}, window, filter, stage);
            times.filter.push_back(filter);
            times.closeGaps.push_back(stage);
            measure(*module, workload, FlattingOptions{0, true}, window, filter, stage);
            times.filter.push_back(filter);
            times.flats.push_back(stage);
        }
        const double mp = double(workload.image.width) * workload.image.height / 1e6;
        const double filter = median(times.filter);
        std::printf("%-14s %11s %10s %9s\n", "stage", "size", "rate", "vs_filter");
        const std::string size = std::to_string(workload.image.width) + "x" + std::to_string(workload.image.height);
        std::printf("%-14s %11s %6.1fMP/s %9.3f\n", "filter", size.c_str(), mp / filter, 1.0);
        const std::string closeName = "close-gaps " + std::to_string(gap);
        for (const auto& [name, values] :
             {std::pair{closeName, times.closeGaps}, std::pair{std::string("flats"), times.flats}}) {
            const double t = median(values);
            std::printf("%-14s %11s %6.1fMP/s %9.3f\n", name.c_str(), size.c_str(), mp / t, t / filter);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vendrel_stages_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

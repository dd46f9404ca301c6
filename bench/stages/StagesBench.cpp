// vendrel_stages_bench: times the host's flatting stages (--close-gaps, --flats) on the page workload, each as a
// rate (wall clock, and processor time of the stage alone, all its threads together) and as a ratio to the
// filter's own run on the same image, with one thread and with two; and gap closing at its widest (255) on a
// page of dashes, whose many small pieces of line each have two end points. Options: --quick, --runs N, --gap N.
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

// A page of dashes: rows of strokes 5 pixels long and 3 apart, each row shifted against the one above, 6 rows
// apart. Every dash is a piece of line of its own with an end point at each tip: gap closing looks around every
// one of them, as far as its width lets it.
bench::Workload dashesWorkload(int shrink, const Descriptor& settings)
{
    bench::Workload w;
    w.name = "dashes";
    const int32_t side = 2000 / shrink;
    w.image = HostImage::blank(side, side);
    for (int32_t y = 0; y < side; y += 6) {
        for (int32_t x = (y / 6 % 2) * 4; x < side; x += 8) {
            for (int32_t i = x; i < std::min(side, x + 5); ++i) {
                std::fill_n(w.image.pixel(i, y), 3, 0);
            }
        }
    }
    w.tolerance = 40;
    w.settings = settings;
    return w;
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
        const bench::Workload page = bench::makeWorkload("page", shrink);
        const bench::Workload dashes = dashesWorkload(shrink, page.settings);
        // Each stage with one thread and with two; each workload's filter time is the median over all its runs.
        struct Row {
            std::string name;
            const bench::Workload* workload;
            FlattingOptions options;
            Times times;
        };
        const std::string closeName = "close-gaps " + std::to_string(gap);
        std::vector<Row> rows = {{closeName + " 1t", &page, FlattingOptions{gap, false, 1}, {}},
                                 {closeName + " 2t", &page, FlattingOptions{gap, false, 2}, {}},
                                 {"flats 1t", &page, FlattingOptions{0, true, 1}, {}},
                                 {"flats 2t", &page, FlattingOptions{0, true, 2}, {}},
                                 {"close-gaps 255 dashes 1t", &dashes, FlattingOptions{255, false, 1}, {}},
                                 {"close-gaps 255 dashes 2t", &dashes, FlattingOptions{255, false, 2}, {}}};
        std::vector<double> pageFilter, dashesFilter;
        for (int run = 0; run < runs; ++run) {
            for (Row& row : rows) {
                const FillWindow window =
                    fillWindowFor(row.workload->image, {65535, 65535, 65535}, row.workload->tolerance);
                double filter = 0, stage = 0, cpu = 0;
                measure(*module, *row.workload, row.options, window, filter, stage, cpu);
                (row.workload == &page ? pageFilter : dashesFilter).push_back(filter);
                row.times.wall.push_back(stage);
                row.times.cpu.push_back(cpu);
            }
        }
        auto sizeOf = [](const bench::Workload& w) {
            return std::to_string(w.image.width) + "x" + std::to_string(w.image.height);
        };
        auto megapixels = [](const bench::Workload& w) { return double(w.image.width) * w.image.height / 1e6; };
        std::printf("%-24s %11s %10s %9s %10s\n", "stage", "size", "rate", "vs_filter", "cpu_rate");
        for (const bench::Workload* w : {&page, &dashes}) {
            const double filter = median(w == &page ? pageFilter : dashesFilter);
            std::printf("%-24s %11s %6.1fMP/s %9.3f\n", ("filter " + w->name).c_str(), sizeOf(*w).c_str(),
                        megapixels(*w) / filter, 1.0);
        }
        for (const Row& row : rows) {
            const double filter = median(row.workload == &page ? pageFilter : dashesFilter);
            const double mp = megapixels(*row.workload);
            const double t = median(row.times.wall), cpu = median(row.times.cpu);
            std::printf("%-24s %11s %6.1fMP/s %9.3f %6.1fMP/s\n", row.name.c_str(), sizeOf(*row.workload).c_str(),
                        mp / t, t / filter, mp / cpu);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vendrel_stages_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}

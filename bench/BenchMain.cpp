// vendrel_bench: times the filter's start selector through the module boundary on generated workloads,
// against a memory floor and an OpenCV pipeline on the same bytes. Options: --quick, --runs N, --only NAME,
// --module FILE (another build of the filter module, to compare builds on the same workloads).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "Pipelines.h"
#include "Timing.h"
#include "Workloads.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"

namespace {

using namespace vendrel;
using namespace vendrel::bench;

struct Options {
    bool quick = false;
    int runs = 5;
    std::string only;
    std::string module = VENDREL_MODULE_PATH;
};

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            options.quick = true;
        } else if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::atoi(argv[++i]);
            if (options.runs < 1) {
                std::cerr << "vendrel_bench: --runs needs a positive count\n";
                return false;
            }
        } else if (arg == "--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else if (arg == "--module" && i + 1 < argc) {
            options.module = argv[++i];
        } else {
            std::cerr << "usage: vendrel_bench [--quick] [--runs N] [--only WORKLOAD] [--module FILE]\n";
            return false;
        }
    }
    return true;
}

// A /proc/self/status field in kB, or -1.
long statusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, length, field) == 0)
            return std::atol(line.c_str() + length + 1);
    return -1;
}

// Resets the peak resident size to the present one; false when the kernel does not allow it.
bool resetPeakRss()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

struct Timing {
    double vendrel = 0, openCv = 0, floor = 0;
    double peakExtraMb = 0;
};

Timing measure(const PluginModule& module, const Workload& workload, int runs)
{
    FilterHost host(module, HostConfig{});
    RunOptions options;
    options.descriptor = workload.settings;
    HostImage image = workload.image;
    std::vector<double> vendrelTimes, openCvTimes, floorTimes;
    Timing timing;
    for (int run = 0; run < runs; ++run) {
        image.pixels = workload.image.pixels;
        const bool peakReset = resetPeakRss();
        const long before = peakReset ? statusKb("VmRSS") : statusKb("VmHWM");
        int16_t result = 0;
        vendrelTimes.push_back(seconds([&] { result = host.run(image, options).result; }));
        if (result != 0)
            std::cerr << workload.name << ": the filter answered " << result << "\n";
        timing.peakExtraMb = std::max(timing.peakExtraMb, std::max(0L, statusKb("VmHWM") - before) / 1024.0);

        image.pixels = workload.image.pixels;
        openCvTimes.push_back(seconds([&] { openCvPipeline(image, workload.tolerance); }));

        image.pixels = workload.image.pixels;
        floorTimes.push_back(seconds([&] { memoryFloorPass(image); }));
    }
    timing.vendrel = median(vendrelTimes);
    timing.openCv = median(openCvTimes);
    timing.floor = median(floorTimes);
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
        return 2;
    cv::setNumThreads(1);
    try {
        const auto module = PluginModule::load(options.module);
        double worstVsOpenCv = 0, worstVsFloor = 0, peakExtraMb = 0;
        std::printf("%-9s %11s %9s %9s %9s %10s %10s %9s\n", "workload", "size", "vendrel", "opencv", "floor",
                    "vs_opencv", "vs_floor", "extra_mb");
        for (const std::string& name : workloadNames()) {
            if (!options.only.empty() && name != options.only)
                continue;
            const Workload workload = makeWorkload(name, options.quick ? 4 : 1);
            const Timing t = measure(*module, workload, options.runs);
            const double mp = double(workload.image.width) * workload.image.height / 1e6;
            const double vsOpenCv = t.vendrel / t.openCv;
            const double vsFloor = t.vendrel / t.floor;
            worstVsOpenCv = std::max(worstVsOpenCv, vsOpenCv);
            worstVsFloor = std::max(worstVsFloor, vsFloor);
            peakExtraMb = std::max(peakExtraMb, t.peakExtraMb);
            const std::string size = std::to_string(workload.image.width) + "x" + std::to_string(workload.image.height);
            std::printf("%-9s %11s %7.1fMP/s %7.1fMP/s %7.1fMP/s %10.3f %10.2f %9.1f\n", name.c_str(), size.c_str(),
                        mp / t.vendrel, mp / t.openCv, mp / t.floor, vsOpenCv, vsFloor, t.peakExtraMb);
            std::fflush(stdout);
        }
        std::printf("summary: worst_ratio_vs_opencv=%.3f worst_ratio_vs_floor=%.2f peak_extra_mb=%.1f\n", worstVsOpenCv,
                    worstVsFloor, peakExtraMb);
    } catch (const std::exception& error) {
        std::cerr << "vendrel_bench: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

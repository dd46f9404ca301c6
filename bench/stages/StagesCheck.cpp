// vendrel_stages_check: the flatting stages' output on the page workload as checksums (FNV-1a, 64 bits), so that a
// faster build can be shown to give the same bytes; with --repeat N it runs each stage alone N times over a filter
// output made once, which is what a profiler should look at. Options: --shrink N, --gap N, --repeat N,
// --only close-gaps|flats, --threads N (the stages' threads, 1 by default).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "Workloads.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/FillWindow.h"
#include "vendrel/host/Flats.h"
#include "vendrel/host/GapClosing.h"
#include "vendrel/host/PluginModule.h"

namespace {

using namespace vendrel;

uint64_t fnv1a(const void* data, size_t size, uint64_t hash = 14695981039346656037ull)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

void filter(const PluginModule& module, const bench::Workload& workload, HostImage& image)
{
    FilterHost host(module, HostConfig{});
    RunOptions run;
    run.descriptor = workload.settings;
    if (host.run(image, run).result != 0) {
        throw HostError("the filter failed");
    }
}

double cpuSeconds(std::clock_t begin)
{
    return double(std::clock() - begin) / CLOCKS_PER_SEC;
}

double wallSeconds(std::chrono::steady_clock::time_point begin)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

} // namespace

int main(int argc, char** argv)
{
    int shrink = 1, gap = 8, repeat = 0, threads = 1;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--shrink" || arg == "--gap" || arg == "--repeat" || arg == "--threads") && i + 1 < argc) {
            (arg == "--shrink"   ? shrink
             : arg == "--gap"    ? gap
             : arg == "--repeat" ? repeat
                                 : threads) = std::max(0, std::atoi(argv[++i]));
        } else if (arg == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else {
            std::fprintf(
                stderr,
                "usage: vendrel_stages_check [--shrink N] [--gap N] [--repeat N] [--only STAGE] [--threads N]\n");
            return 2;
        }
    }
    try {
        const auto module = PluginModule::load(VENDREL_MODULE_PATH);
        const bench::Workload workload = bench::makeWorkload("page", std::max(1, shrink));
        const FillWindow window = fillWindowFor(workload.image, {65535, 65535, 65535}, workload.tolerance);
        const double mp = double(workload.image.width) * workload.image.height / 1e6;

        // Gap closing: the strokes drawn before the filter, then the settled output.
        HostImage closed = workload.image;
        PixelPlane<uint8_t> closedMask = windowMask(closed, window, threads);
        const std::vector<uint32_t> closings = closeGaps(closed, window, closedMask, gap);
        HostImage closedOut = closed;
        filter(*module, workload, closedOut);
        const HostImage closedFiltered = closedOut;
        settleClosings(closedOut, closedMask, closings);
        // Flats over the plain filter output.
        const PixelPlane<uint8_t> mask = windowMask(workload.image, window, threads);
        HostImage flats = workload.image;
        filter(*module, workload, flats);
        const HostImage filtered = flats;
        spreadFlats(flats, mask, threads);

        std::printf("size %dx%d gap %d closings %zu\n", workload.image.width, workload.image.height, gap,
                    closings.size());
        std::printf("close-gaps strokes %016llx\n",
                    (unsigned long long)fnv1a(closings.data(), closings.size() * sizeof(uint32_t),
                                              fnv1a(closed.pixels.data(), closed.pixels.size())));
        std::printf("close-gaps output  %016llx\n",
                    (unsigned long long)fnv1a(closedOut.pixels.data(), closedOut.pixels.size()));
        std::printf("flats output       %016llx\n",
                    (unsigned long long)fnv1a(flats.pixels.data(), flats.pixels.size()));

        for (int r = 0; r < repeat; ++r) {
            if (only.empty() || only == "close-gaps") {
                HostImage image = workload.image, after = closedFiltered;
                const std::clock_t begin = std::clock();
                const auto wall = std::chrono::steady_clock::now();
                PixelPlane<uint8_t> m = windowMask(image, window, threads);
                const std::vector<uint32_t> c = closeGaps(image, window, m, gap);
                settleClosings(after, m, c);
                std::printf("close-gaps %.1f MP/s cpu %.1f MP/s wall\n", mp / cpuSeconds(begin),
                            mp / wallSeconds(wall));
            }
            if (only.empty() || only == "flats") {
                HostImage image = filtered;
                const std::clock_t begin = std::clock();
                const auto wall = std::chrono::steady_clock::now();
                const PixelPlane<uint8_t> m = windowMask(workload.image, window, threads);
                spreadFlats(image, m, threads);
                std::printf("flats      %.1f MP/s cpu %.1f MP/s wall\n", mp / cpuSeconds(begin),
                            mp / wallSeconds(wall));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vendrel_stages_check: %s\n", error.what());
        return 1;
    }
    return 0;
}

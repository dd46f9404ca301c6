// The benchmark's images, generated in code: RGB, 8 bits per channel, interleaved.
#pragma once

#include <string>
#include <vector>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostImage.h"

namespace vendrel::bench {

struct Workload {
    std::string name;
    HostImage image;
    Descriptor settings;
    int tolerance = 0; // the window the OpenCV pipeline uses: white plus or minus this
};

// Sizes are divided by `shrink` (1 for the full workloads, larger for a quick run).
std::vector<std::string> workloadNames();
Workload makeWorkload(const std::string& name, int shrink);

} // namespace vendrel::bench

// The memory available on Linux: the kernel's estimate of what can be allocated without swapping, within the
// limits of the process's control group and address space.
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "RunMemory.h"
#include "TestHooks.h"

namespace vendrel {

namespace {

std::optional<uint64_t> numberIn(const std::string& path)
{
    std::ifstream in(path);
    std::string text;
    if (!(in >> text) || text == "max") {
        return std::nullopt;
    }
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    return end != text.c_str() ? std::optional<uint64_t>(value) : std::nullopt;
}

std::optional<uint64_t> kernelAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string name;
        uint64_t kilobytes = 0;
        if (fields >> name >> kilobytes && name == "MemAvailable:") {
            return kilobytes * 1024;
        }
    }
    return std::nullopt;
}

// What is left under the limit of the process's control group (version 2), when it has one.
std::optional<uint64_t> groupAvailable()
{
    std::ifstream groups("/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        if (line.rfind("0::", 0) != 0) {
            continue;
        }
        const std::string folder = "/sys/fs/cgroup" + line.substr(3);
        const std::optional<uint64_t> limit = numberIn(folder + "/memory.max");
        const std::optional<uint64_t> used = numberIn(folder + "/memory.current");
        if (limit && used) {
            return *limit > *used ? *limit - *used : 0;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<uint64_t> availableMemoryBytes()
{
    if (const std::optional<uint64_t> stand = testHookBytes("VENDREL_TEST_MEMORY_AVAILABLE")) {
        return stand;
    }
    std::optional<uint64_t> available = kernelAvailable();
    if (const std::optional<uint64_t> group = groupAvailable()) {
        available = available ? std::min(*available, *group) : *group;
    }
    struct rlimit addressSpace {};
    if (getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY) {
        const uint64_t limit = addressSpace.rlim_cur;
        available = available ? std::min(*available, limit) : limit;
    }
    return available;
}

} // namespace vendrel

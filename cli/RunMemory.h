// How much memory a run of one image needs, and how much the machine has available: the image size limit of a
// run and the number of runs a batch starts at once both come from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Commands.h"

namespace vendrel {

// The bytes a run of an image of width x height pixels with planes channels holds at its peak, as measured on
// runs of this command: the host's buffer (decoded into and encoded from in place) and the codecs' rows, with
// the flatting stages their masks, with an OpenRaster output its encoders' rows.
uint64_t runMemoryBytes(int64_t width, int64_t height, int32_t planes, const RunRequest& request);

// The memory the system can give a new process now without swapping, in bytes (on Linux MemAvailable, within a
// control group's limit and the process's address space limit); nothing when the system does not say.
// The test hook VENDREL_TEST_MEMORY_AVAILABLE (bytes) stands in for it in builds with the tests.
std::optional<uint64_t> availableMemoryBytes();

// Refuses an image that the run cannot hold, before a pixel of it is decoded: larger than --max-megapixels when
// that is given, else needing more memory than is available. Throws HostError naming the image, its size and
// what the limit is.
void checkImageFits(const std::string& path, int64_t width, int64_t height, int32_t planes, const RunRequest& request);

// A number of bytes for people: "730 MB", "6.8 GB".
std::string memoryText(uint64_t bytes);

} // namespace vendrel

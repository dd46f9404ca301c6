// The buffer an image is decoded into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vendrel {

// A zeroed buffer of size bytes whose memory the system hands over in as few steps as it can (large pages, all
// at once where it offers that) instead of a fault for every page the decoder first writes.
std::vector<uint8_t> newPixelBuffer(size_t size);

} // namespace vendrel

// Bytes that one thread writes while another reads them as they come: an OpenRaster file's merged image as PNG,
// read for its thumbnail while it is still being encoded.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace vendrel {

class GrowingBytes {
public:
    void append(const uint8_t* data, size_t size);
    // No more bytes will come: readers see the end (an early one when the writer failed).
    void close();
    // Copies up to size bytes from offset into out, waiting until there are some past offset or the bytes are
    // closed; answers how many, 0 at the end.
    size_t read(size_t offset, uint8_t* out, size_t size);

private:
    std::mutex mutex_;
    std::condition_variable grown_;
    std::vector<uint8_t> bytes_;
    bool closed_ = false;
};

} // namespace vendrel

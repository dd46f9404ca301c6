#include "vendrel/host/GrowingBytes.h"

#include <algorithm>
#include <cstring>

namespace vendrel {

void GrowingBytes::append(const uint8_t* data, size_t size)
{
    {
        const std::lock_guard lock(mutex_);
        bytes_.insert(bytes_.end(), data, data + size);
    }
    grown_.notify_all();
}

void GrowingBytes::close()
{
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    grown_.notify_all();
}

size_t GrowingBytes::read(size_t offset, uint8_t* out, size_t size)
{
    std::unique_lock lock(mutex_);
    grown_.wait(lock, [&] { return closed_ || bytes_.size() > offset; });
    const size_t count = offset < bytes_.size() ? std::min(size, bytes_.size() - offset) : 0;
    std::memcpy(out, bytes_.data() + offset, count);
    return count;
}

} // namespace vendrel

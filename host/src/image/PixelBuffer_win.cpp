#include "PixelBuffer.h"

namespace vendrel {

std::vector<uint8_t> newPixelBuffer(size_t size)
{
    return std::vector<uint8_t>(size);
}

} // namespace vendrel

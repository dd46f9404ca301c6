// The codecs linked into the program (with libvips): for the tests, the GIMP plug-in, the benchmarks and the fuzz
// targets.
#include "ImageCodecs.h"

namespace vendrel {

const ImageCodecs& imageCodecs()
{
    return *vendrel_image_codecs(kImageCodecsVersion);
}

void startLoadingImageCodecs() noexcept {}

} // namespace vendrel

// Starting libvips for the host's image files, with only the formats the host needs loaded up front.
#pragma once

namespace vendrel {

// Starts the library once per process. Throws HostError when it cannot start.
void ensureVips();

// Loads the library's optional format modules (HEIF, JPEG XL, ImageMagick, OpenSlide, PDF and the like) that
// start-up left out; once per process, and quietly does nothing where there are none. Returns whether any
// module was loaded by this call.
bool loadOptionalVipsModules();

} // namespace vendrel

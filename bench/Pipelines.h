// What the filter is measured against, on the same image bytes: a plain in-place pass over the image (the
// memory floor) and the pipeline one would write with OpenCV (window mask, 4-connected labels, paint).
#pragma once

#include "vendrel/host/HostImage.h"

namespace vendrel::bench {

// Reads and rewrites every byte once.
void memoryFloorPass(HostImage& image);

// Paints every 4-connected area of pixels within white plus or minus tolerance with a colour of its own.
void openCvPipeline(HostImage& image, int tolerance);

} // namespace vendrel::bench

// The host's stages around a filter run for flatting line art: gap closing before it, flats after it.
#pragma once

#include <cstdint>
#include <vector>

#include "FillWindow.h"
#include "HostImage.h"

namespace vendrel {

struct FlattingOptions {
    int32_t closeGaps = 0; // close gaps in the lines up to this many pixels wide; 0: none
    bool flats = false;    // give every pixel no area took the colour of the nearest filled area
    int32_t threads = 0;   // threads the stages may share their work among, at most 2; 0: as many as the machine has
    bool any() const { return closeGaps > 0 || flats; }
};

class FlattingStages {
public:
    FlattingStages(const FlattingOptions& options, const FillWindow& window);

    // Before the filter: draws the closing strokes into the image handed to the filter and notes which pixels
    // the filter will fill (those in the window, the filter fills exactly their 4-connected areas).
    void beforeFilter(HostImage& image);
    // After the filter: the closing pixels take the colour of the area beside them; with flats every pixel that
    // was not filled takes the colour of the nearest filled one.
    void afterFilter(HostImage& image) const;

private:
    FlattingOptions options_;
    FillWindow window_;
    std::vector<uint8_t> filled_;
    std::vector<uint32_t> closings_; // pixel indices of the closing strokes
};

} // namespace vendrel

// The host's stages around a filter run for flatting line art: gap closing before it, flats after it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AreaColours.h"
#include "FillWindow.h"
#include "HostImage.h"
#include "PixelPlane.h"

namespace vendrel {

struct FlattingOptions {
    int32_t closeGaps = 0;   // close gaps in the lines up to this many pixels wide; 0: none
    bool flats = false;      // give every pixel no area took the colour of the nearest filled area
    int32_t threads = 0;     // threads the stages may share their work among, at most 2; 0: as many as the machine has
    bool distinct = false;   // no two touching areas keep the same colour
    int32_t mergeSpecks = 0; // areas of at most this many pixels take the colour of the nearest larger one; 0: none
    bool transparentPaper = false; // transparent pixels are paper: the image is put on the fill colour (putOnPaper)
    bool any() const { return closeGaps > 0 || flats || distinct || mergeSpecks > 0 || transparentPaper; }
};

class FlattingStages {
public:
    FlattingStages(const FlattingOptions& options, const FillWindow& window);

    // Before the filter: draws the closing strokes into the image handed to the filter and notes which pixels
    // the filter will fill (those in the window, the filter fills exactly their 4-connected areas).
    void beforeFilter(HostImage& image);
    // beforeFilter in two steps: the first only reads the image (it finds the window and the closing strokes), so
    // that other readers of the image may run beside it; the second draws the strokes into it.
    void readBeforeFilter(const HostImage& image);
    void writeBeforeFilter(HostImage& image);
    // After the filter: specks are merged into the nearest larger area (their pixels count as that area's from
    // then on), touching areas are given distinct colours, then the closing pixels take the colour of the
    // area beside them, or with flats every pixel that was not filled takes the colour of the nearest filled one.
    // Both stages look for a cancel (the host's cancel probe) as they go and throw CancelledError, leaving the
    // image part done.
    void afterFilter(HostImage& image);
    // How the filter coloured its areas (areaColoursFor the settings it recorded): what distinct neighbours need to
    // give an area another colour as the filter would. Without it they draw every new colour at random.
    void useAreaColours(AreaColours colours) { colours_ = std::move(colours); }

    // What the stages had to tell the user about the last run (a palette too small for distinct neighbours).
    const std::vector<std::string>& notes() const { return notes_; }

private:
    FlattingOptions options_;
    FillWindow window_;
    PixelPlane<uint8_t> filled_;
    std::vector<uint32_t> closings_; // pixel indices of the closing strokes
    AreaColours colours_;
    std::vector<std::string> notes_;
};

} // namespace vendrel

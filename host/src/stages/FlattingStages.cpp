#include "vendrel/host/FlattingStages.h"

#include "vendrel/host/Cancellation.h"
#include "vendrel/host/Flats.h"
#include "vendrel/host/GapClosing.h"

#include "AreaMap.h"
#include "DistinctColours.h"
#include "SpeckMerge.h"

#include <algorithm>
#include <numeric>
#include <thread>

namespace vendrel {

FlattingStages::FlattingStages(const FlattingOptions& options, const FillWindow& window)
    : options_(options), window_(window)
{
    if (options_.threads <= 0) {
        options_.threads = int32_t(std::max(1u, std::thread::hardware_concurrency()));
    }
    options_.threads = std::min(options_.threads, 2);
}

void FlattingStages::beforeFilter(HostImage& image)
{
    readBeforeFilter(image);
    writeBeforeFilter(image);
}

void FlattingStages::readBeforeFilter(const HostImage& image)
{
    filled_ = windowMask(image, window_, options_.threads);
    if (options_.closeGaps > 0) {
        closings_ = findClosings(image, window_, filled_, options_.closeGaps);
    }
    throwIfCancelled();
}

void FlattingStages::writeBeforeFilter(HostImage& image)
{
    paintClosings(image, window_, closings_);
}

void FlattingStages::afterFilter(HostImage& image)
{
    notes_.clear();
    if (options_.mergeSpecks > 0 || options_.distinct) {
        const stages::AreaMap areas = stages::mapAreas(filled_, image.width, image.height);
        std::vector<uint32_t> owner(areas.areas.size());
        std::iota(owner.begin(), owner.end(), 0u);
        if (options_.mergeSpecks > 0) {
            owner = stages::mergeSpecks(image, areas, options_.mergeSpecks, options_.threads);
        }
        if (options_.distinct) {
            std::string note = stages::distinguishNeighbours(image, areas, owner, filled_, colours_, options_.threads);
            if (!note.empty()) {
                notes_.push_back(std::move(note));
            }
        }
    }
    if (options_.flats) {
        spreadFlats(image, filled_, options_.threads);
    } else if (!closings_.empty()) {
        settleClosings(image, filled_, closings_);
    }
    throwIfCancelled();
}

} // namespace vendrel

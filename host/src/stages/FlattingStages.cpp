#include "vendrel/host/FlattingStages.h"

#include "vendrel/host/Cancellation.h"
#include "vendrel/host/Flats.h"
#include "vendrel/host/GapClosing.h"

#include <algorithm>
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
    filled_ = windowMask(image, window_, options_.threads);
    if (options_.closeGaps > 0) {
        closings_ = closeGaps(image, window_, filled_, options_.closeGaps, options_.threads);
    }
    throwIfCancelled();
}

void FlattingStages::afterFilter(HostImage& image) const
{
    if (options_.flats) {
        spreadFlats(image, filled_, options_.threads);
    } else if (!closings_.empty()) {
        settleClosings(image, filled_, closings_);
    }
    throwIfCancelled();
}

} // namespace vendrel

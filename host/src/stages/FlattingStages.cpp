#include "vendrel/host/FlattingStages.h"

#include "vendrel/host/Flats.h"
#include "vendrel/host/GapClosing.h"

namespace vendrel {

FlattingStages::FlattingStages(const FlattingOptions& options, const FillWindow& window)
    : options_(options), window_(window)
{
}

void FlattingStages::beforeFilter(HostImage& image)
{
    filled_ = windowMask(image, window_);
    if (options_.closeGaps > 0) {
        closings_ = closeGaps(image, window_, filled_, options_.closeGaps);
    }
}

void FlattingStages::afterFilter(HostImage& image) const
{
    if (options_.flats) {
        spreadFlats(image, filled_);
    } else if (!closings_.empty()) {
        settleClosings(image, filled_, closings_);
    }
}

} // namespace vendrel

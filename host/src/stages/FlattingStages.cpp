#include "vendrel/host/FlattingStages.h"

#include "vendrel/host/Flats.h"

namespace vendrel {

FlattingStages::FlattingStages(const FlattingOptions& options, const FillWindow& window)
    : options_(options), window_(window)
{
}

void FlattingStages::beforeFilter(HostImage& image)
{
    filled_ = windowMask(image, window_);
}

void FlattingStages::afterFilter(HostImage& image) const
{
    if (options_.flats) {
        spreadFlats(image, filled_);
    }
}

} // namespace vendrel

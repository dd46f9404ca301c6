#include "vendrel/host/GapClosing.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "DiscOffsets.h"
#include "LineComponents.h"
#include "Skeleton.h"
#include "vendrel/host/Cancellation.h"

namespace vendrel {

namespace {

using namespace stages;

// How far from an end point the line's edge is looked for: lines up to twice this wide are handled.
constexpr int32_t maxHalfWidth = 24;
// A target straight ahead within this angle of the branch's direction (cosine of 60 degrees).
constexpr float aheadCosine = 0.5f;

// The pixels of the 8-connected straight stroke from (x0, y0) to (x1, y1), both ends included.
template <typename Visit> bool traceStroke(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit visit)
{
    const int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int32_t error = dx + dy;
    for (;;) {
        if (!visit(x0, y0)) {
            return false;
        }
        if (x0 == x1 && y0 == y1) {
            return true;
        }
        const int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy, x0 += sx;
        }
        if (twice <= dx) {
            error += dx, y0 += sy;
        }
    }
}

class GapCloser {
public:
    GapCloser(const HostImage& image, std::span<const uint8_t> inWindow, int32_t maxGap)
        : inWindow_(inWindow), width_(image.width), height_(image.height), maxGap_(maxGap),
          state_(size_t(width_) * size_t(height_)), offsets_(discOffsets(maxHalfWidth + maxGap + 2)),
          discRadius_(maxHalfWidth + maxGap + 2), discSide_(2 * discRadius_ + 1),
          rank_(size_t(discSide_) * size_t(discSide_), -1)
    {
        for (size_t i = 0; i < offsets_.size(); ++i) {
            rank_[rankIndex(offsets_[i].dx, offsets_[i].dy)] = int32_t(i);
        }
        // lineBit where the mask is 0, eight pixels at a time.
        constexpr uint64_t low7 = 0x7f7f7f7f7f7f7f7full, high = 0x8080808080808080ull;
        static_assert(lineBit == 1);
        size_t i = 0;
        for (; i + 8 <= state_.size(); i += 8) {
            uint64_t word;
            std::memcpy(&word, inWindow.data() + i, sizeof word);
            const uint64_t zero = ~(((word & low7) + low7) | word) & high; // 0x80 in each byte that is zero
            const uint64_t lines = zero >> 7;
            std::memcpy(state_.data() + i, &lines, sizeof lines);
        }
        for (; i < state_.size(); ++i) {
            state_[i] = inWindow[i] ? 0 : lineBit;
        }
    }

    // The line pieces are labelled once the thinning is done and has given back its depths (a byte a pixel):
    // labelled alongside it on a second thread they saved little time and raised the run's peak of memory by that.
    std::vector<uint32_t> run()
    {
        thinLines(state_, width_, height_);
        const LineComponents components(inWindow_, width_, height_);
        size_t done = 0;
        for (const EndPoint& end : findEndPoints(state_, width_, height_)) {
            if ((++done & 63) == 0) {
                throwIfCancelled();
            }
            close(end, components);
        }
        return std::move(closings_);
    }

private:
    size_t index(int32_t x, int32_t y) const { return size_t(y) * size_t(width_) + size_t(x); }
    size_t rankIndex(int32_t dx, int32_t dy) const
    {
        return size_t(dy + discRadius_) * size_t(discSide_) + size_t(dx + discRadius_);
    }
    bool inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    bool line(int32_t x, int32_t y) const { return state_[index(x, y)] & lineBit; }

    int32_t componentOf(const LineComponents& components, int32_t x, int32_t y) const
    {
        const auto stroke = strokeComponent_.find(uint32_t(index(x, y)));
        return stroke != strokeComponent_.end() ? stroke->second : components.at(x, y);
    }

    // Distance from the end point to the nearest pixel inside the window, capped.
    int32_t halfWidth(const EndPoint& end) const
    {
        for (const Offset& o : offsets_) {
            const int32_t x = end.x + o.dx, y = end.y + o.dy;
            if (o.squared > maxHalfWidth * maxHalfWidth) {
                break;
            }
            if (inside(x, y) && !line(x, y)) {
                return int32_t(std::ceil(std::sqrt(float(o.squared))));
            }
        }
        return maxHalfWidth;
    }

    // Steps along the line from the end point to each line pixel of the square of the given radius around it, by
    // a breadth-first walk over 8-neighbours; -1 where not reached. The walk is started here and taken further by
    // walkUpTo only as far as the pixels looked at need. The square is cleared by undoing the previous walk's
    // cells rather than refilling it.
    void startWalk(const EndPoint& end, int32_t radius)
    {
        for (const auto& [x, y] : queue_) {
            steps_[size_t(y - walkY_ + side_ / 2) * size_t(side_) + size_t(x - walkX_ + side_ / 2)] = -1;
        }
        side_ = 2 * radius + 1, walkX_ = end.x, walkY_ = end.y;
        if (steps_.size() < size_t(side_) * size_t(side_)) {
            steps_.assign(size_t(side_) * size_t(side_), -1);
        }
        queue_.clear();
        head_ = 0;
        visit(end, radius, end.x, end.y, 0);
    }

    // Takes the walk on until every pixel at most limit steps along the line (limit up to the radius) has its
    // count: the walk goes in order of steps, so it stops at the first pixel that many steps away.
    void walkUpTo(const EndPoint& end, int32_t radius, int32_t limit)
    {
        for (; head_ < queue_.size(); ++head_) {
            const auto [x, y] = queue_[head_];
            const int32_t count = stepsTo(end, radius, x, y);
            if (count >= limit) {
                return;
            }
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    visit(end, radius, x + dx, y + dy, count + 1);
                }
            }
        }
    }

    void visit(const EndPoint& end, int32_t radius, int32_t x, int32_t y, int32_t count)
    {
        const int32_t lx = x - end.x + radius, ly = y - end.y + radius;
        if (lx < 0 || ly < 0 || lx >= side_ || ly >= side_ || !inside(x, y) || !line(x, y)) {
            return;
        }
        int32_t& cell = steps_[size_t(ly) * size_t(side_) + size_t(lx)];
        if (cell < 0) {
            cell = count;
            queue_.push_back({x, y});
        }
    }

    int32_t stepsTo(const EndPoint& end, int32_t radius, int32_t x, int32_t y) const
    {
        const int32_t lx = x - end.x + radius, ly = y - end.y + radius;
        if (lx < 0 || ly < 0 || lx >= side_ || ly >= side_) {
            return -1;
        }
        return steps_[size_t(ly) * size_t(side_) + size_t(lx)];
    }

    // Whether the stroke to (x, y) leaves the end point's own line, crosses 1 to maxGap window pixels and meets
    // no line before (x, y).
    bool crossesOneGap(const EndPoint& end, int32_t x, int32_t y) const
    {
        int32_t paper = 0;
        return traceStroke(end.x, end.y, x, y, [&](int32_t px, int32_t py) {
            if (px == x && py == y) {
                return paper > 0;
            }
            if (!line(px, py)) {
                return ++paper <= maxGap_;
            }
            return paper == 0;
        });
    }

    // The targets worth trying from an end point: the pixels of its own line (its piece of line and the strokes
    // drawn from it) within reach and ahead, by their places in the offsets' order. Only the line's own pixels
    // near the end point are looked at, not every pixel within reach, so a wide reach costs little where lines
    // are small; the order, and so every choice, is that of a walk over all the offsets.
    void candidates(const EndPoint& end, int32_t own, int32_t reach, const LineComponents& components)
    {
        candidates_.clear();
        auto consider = [&](int32_t x, int32_t y) {
            const int32_t dx = x - end.x, dy = y - end.y, squared = dx * dx + dy * dy;
            if (squared == 0 || squared > reach * reach ||
                float(dx) * end.dx + float(dy) * end.dy < aheadCosine * std::sqrt(float(squared))) {
                return;
            }
            candidates_.push_back(rank_[rankIndex(dx, dy)]);
        };
        const int32_t left = end.x - reach, right = end.x + reach;
        components.forEachSpan(own, end.y - reach, end.y + reach, left, right, [&](const LineComponents::Span& span) {
            for (int32_t x = std::max(span.left, left); x <= std::min(span.right, right); ++x) {
                consider(x, span.y);
            }
        });
        if (const auto strokes = strokesOf_.find(own); strokes != strokesOf_.end()) {
            for (const uint32_t i : strokes->second) {
                consider(int32_t(i % uint32_t(width_)), int32_t(i / uint32_t(width_)));
            }
        }
        std::sort(candidates_.begin(), candidates_.end());
    }

    void close(const EndPoint& end, const LineComponents& components)
    {
        const int32_t own = componentOf(components, end.x, end.y);
        const int32_t reach = halfWidth(end) + maxGap_ + 1;
        const int32_t alongLimit = 2 * reach + 2;
        startWalk(end, alongLimit);
        candidates(end, own, reach, components);
        for (const int32_t rank : candidates_) {
            const Offset& o = offsets_[size_t(rank)];
            const int32_t x = end.x + o.dx, y = end.y + o.dy;
            if (!crossesOneGap(end, x, y)) {
                continue;
            }
            // Last, as it needs the walk along the line: a pixel of the same stretch of line is no target, since
            // closing it off would cut no region.
            const float limit = 2 * std::sqrt(float(o.squared)) + 2;
            walkUpTo(end, alongLimit, std::min(alongLimit, int32_t(limit)));
            const int32_t along = stepsTo(end, alongLimit, x, y);
            if (along >= 0 && float(along) <= limit) {
                continue;
            }
            draw(end, x, y, own);
            return;
        }
    }

    void draw(const EndPoint& end, int32_t x, int32_t y, int32_t component)
    {
        traceStroke(end.x, end.y, x, y, [&](int32_t px, int32_t py) {
            const size_t i = index(px, py);
            if (!(state_[i] & lineBit)) {
                state_[i] |= lineBit;
                closings_.push_back(uint32_t(i));
                strokeComponent_[uint32_t(i)] = component;
                strokesOf_[component].push_back(uint32_t(i));
            }
            return true;
        });
    }

    std::span<const uint8_t> inWindow_;
    int32_t width_, height_, maxGap_;
    PixelPlane<uint8_t> state_;
    std::vector<Offset> offsets_;
    std::vector<uint32_t> closings_;
    std::unordered_map<uint32_t, int32_t> strokeComponent_;
    std::unordered_map<int32_t, std::vector<uint32_t>> strokesOf_; // each line's stroke pixels, in drawing order
    int32_t discRadius_, discSide_;
    std::vector<int32_t> rank_;                // per offset within the disc: its place in offsets_
    std::vector<int32_t> candidates_;          // places in offsets_ of the targets an end point tries, in order
    int32_t side_ = 0, walkX_ = 0, walkY_ = 0; // the square of the last walk along the line
    size_t head_ = 0;                          // the walk's next pixel to go on from
    std::vector<int32_t> steps_;
    std::vector<std::pair<int32_t, int32_t>> queue_;
};

} // namespace

std::vector<uint32_t> findClosings(const HostImage& image, const FillWindow& window, std::span<uint8_t> inWindow,
                                   int32_t maxGap)
{
    if (maxGap <= 0 || image.width <= 0 || image.height <= 0) {
        return {};
    }
    std::array<uint8_t, 4> colour{};
    if (!colourOutsideWindow(window, colour)) {
        return {}; // every pixel is in the window: there are no lines
    }
    std::vector<uint32_t> closings = GapCloser(image, inWindow, maxGap).run();
    for (uint32_t i : closings) {
        inWindow[i] = 0;
    }
    return closings;
}

void paintClosings(HostImage& image, const FillWindow& window, const std::vector<uint32_t>& closings)
{
    std::array<uint8_t, 4> colour{};
    if (closings.empty() || !colourOutsideWindow(window, colour)) {
        return;
    }
    const size_t colours = size_t(std::min(image.colorPlanes, 4));
    const uint32_t width = uint32_t(image.width);
    for (const uint32_t i : closings) {
        std::memcpy(image.pixel(int32_t(i % width), int32_t(i / width)), colour.data(), colours);
    }
}

std::vector<uint32_t> closeGaps(HostImage& image, const FillWindow& window, std::span<uint8_t> inWindow, int32_t maxGap)
{
    std::vector<uint32_t> closings = findClosings(image, window, inWindow, maxGap);
    paintClosings(image, window, closings);
    return closings;
}

} // namespace vendrel

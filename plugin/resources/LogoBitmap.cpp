// The logo: three overlapping discs on a rounded tile, every region flat-filled with a colour of its own and
// separated from its neighbours by dark lines, as the filter fills the areas of an image.
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "Resources.h"

namespace {

constexpr int32_t kLogoSize = 48;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kBitsPerPixel = 24;
constexpr double kLineHalfWidth = 0.85;

struct Rgb {
    uint8_t red, green, blue;
};

struct Disc {
    double x, y, radius;
};

constexpr Disc kDiscs[] = {{18.0, 19.0, 11.5}, {30.0, 19.0, 11.5}, {24.0, 29.5, 11.5}};

// The colour of each region, indexed by which discs cover it (bit 0: first disc, ...).
constexpr std::array<Rgb, 8> kRegionColors = {{
    {246, 242, 232}, // the tile
    {228, 87, 70},   // first disc alone
    {58, 134, 196},  // second
    {128, 84, 168},  // first and second
    {245, 196, 64},  // third
    {238, 140, 56},  // first and third
    {64, 170, 110},  // second and third
    {252, 252, 250}, // all three
}};
constexpr Rgb kLineColor = {34, 34, 40};
constexpr Rgb kOutside = {255, 255, 255};

// Signed distance from a point to the edge of the tile, a square inset by one pixel with corners of radius 8:
// negative inside.
double TileEdgeDistance(double x, double y)
{
    constexpr double kLow = 1.0, kHigh = kLogoSize - 1.0, kCorner = 8.0;
    const double nearestX = std::clamp(x, kLow + kCorner, kHigh - kCorner);
    const double nearestY = std::clamp(y, kLow + kCorner, kHigh - kCorner);
    return std::hypot(x - nearestX, y - nearestY) - kCorner;
}

Rgb LogoPixel(int32_t column, int32_t row)
{
    const double x = column + 0.5, y = row + 0.5;
    const double tile = TileEdgeDistance(x, y);
    if (tile > kLineHalfWidth)
        return kOutside;
    if (tile > -kLineHalfWidth)
        return kLineColor;
    unsigned covered = 0;
    for (unsigned i = 0; i < std::size(kDiscs); ++i) {
        const double edge = std::hypot(x - kDiscs[i].x, y - kDiscs[i].y) - kDiscs[i].radius;
        if (std::fabs(edge) < kLineHalfWidth)
            return kLineColor;
        if (edge < 0)
            covered |= 1u << i;
    }
    return kRegionColors[covered];
}

void InfoHeader(ResourceWriter& bitmap, uint32_t imageBytes)
{
    bitmap.U32(kInfoHeaderSize);
    bitmap.I32(kLogoSize); // width
    bitmap.I32(kLogoSize); // height, positive: rows bottom-up
    bitmap.U16(1);         // planes
    bitmap.U16(kBitsPerPixel);
    bitmap.U32(0); // no compression
    bitmap.U32(imageBytes);
    bitmap.I32(2835); // 72 pixels per inch, in pixels per metre
    bitmap.I32(2835);
    bitmap.U32(0); // no colour table
    bitmap.U32(0);
}

} // namespace

ResourceBytes BuildLogoBitmap()
{
    const uint32_t rowBytes = (kLogoSize * 3 + 3) / 4 * 4;
    ResourceWriter bitmap;
    InfoHeader(bitmap, rowBytes * kLogoSize);
    for (int32_t row = kLogoSize - 1; row >= 0; --row) {
        const size_t rowStart = bitmap.Size();
        for (int32_t column = 0; column < kLogoSize; ++column) {
            const Rgb pixel = LogoPixel(column, row);
            bitmap.U8(pixel.blue);
            bitmap.U8(pixel.green);
            bitmap.U8(pixel.red);
        }
        bitmap.Zeros(rowBytes - (bitmap.Size() - rowStart));
    }
    return bitmap.Result();
}

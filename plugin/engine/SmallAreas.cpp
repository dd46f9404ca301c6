// Small areas: the size rule, the seeds of the areas to join, and the join pass that gives each of them the
// colour of the nearest normal area.
#include "CPixelDistance.h"
#include "CVendrel.h"

bool IsSmallArea(const CVendrel& engine, bool measureArea, uint32 limit)
{
    if (measureArea)
        return engine.areaPixels <= limit;
    const uint32 widthSpan = uint32(engine.areaMaxX - engine.areaMinX);
    const uint32 heightSpan = uint32(engine.areaMaxY - engine.areaMinY);
    return widthSpan < limit && heightSpan < limit;
}

void CVendrel::AddJoinSeed(int32 x, int32 y)
{
    joinSeeds.push_back(JoinSeed{uint16(x), uint16(y)});
}

void CVendrel::JoinSmallAreas(const CVendrelParams& params)
{
    if (!filterRecord)
        return;
    const int32 lastColumn = uint16(filterRecord->outRect.right - 1);
    const int32 lastRow = uint16(filterRecord->outRect.bottom - 1);
    SetColorWindow(params.flagColor, 0);
    const int32 step = PlaneStep();
    CPixelDistance distance;
    for (const JoinSeed& seed : joinSeeds) {
        const int32 x = seed.x;
        const int32 y = seed.y;
        distance.minDy = -y;
        distance.minDx = -x;
        distance.maxDy = lastRow - y;
        distance.maxDx = lastColumn - x;
        int32 dx = 0;
        int32 dy = 0;
        for (bool more = distance.First(dx, dy); more; more = distance.Next(dx, dy)) {
            const uint8* candidate = PixelAddress(x + dx, y + dy);
            if (!candidate || !IsNormalAreaPixel(candidate))
                continue;
            for (int i = 0; i < channels && i < 4; ++i)
                paintColor[i] = candidate[i * step];
            if (!IsAcceptableColor(false))
                continue;
            FillFrom(x, y);
            break;
        }
    }
}

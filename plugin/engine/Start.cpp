// The start selector: the whole filter run over the image, in place, in one call.
#include <cstring>
#include <string>

#include "CPSPalette.h"
#include "CVendrel.h"
#include "HostSuites.h"
#include "PixelTests.h"
#include "RunScan.h"
#include "SwatchFolder.h"
#include "WalkChoice.h"

namespace {

const char kNothingFoundMessage[] =
    "The color to fill was not found in the image!\nCheck the color in the Vendreled Color swatch.";
const char kNoConversionMessage[] =
    "This host cannot convert colors into the image's mode.\nVendrel can fill RGB and grayscale images here.";

template <typename Ops> int32 FirstInWindow(const uint8* p, int32 x, int32 width, intptr_t columnStep, const Ops& ops)
{
    for (; x < width; ++x, p += columnStep)
        if (ops.InWindow(p))
            return x;
    return width;
}

// The first column from x on whose pixel is in the window and not yet flooded, or width; row is the address
// of the row's first pixel.
template <typename Ops>
int32 FirstUnflooded(const uint8* row, int32 x, int32 y, int32 width, intptr_t columnStep, const Ops& ops,
                     const ClaimedMarks& marks)
{
    for (;; ++x) {
        x = FirstInWindow(row + intptr_t(x) * columnStep, x, width, columnStep, ops);
        // A pixel already flooded with a colour inside the window is not a new area.
        if (x >= width || !marks.IsActive() || !marks.Covers(x, y) || !marks.IsMarked(x, y))
            return x;
    }
}

} // namespace

int16 CVendrel::Start()
{
    if (!filterRecord)
        return filterBadParameters;
    CVendrelParams params;
    if (ReadDescriptor(params) && !ReadParameters(params))
        return filterBadParameters;
    SetChannelCount();
    // Without the fill colour in the image's mode there is no window to fill: never one of stale bytes.
    if (!SetColorWindow(params.fillColor, uint16(params.tolerance))) {
        Alert(kNoConversionMessage);
        return filterBadParameters;
    }
    LoadPalette(params);
    if (!filterRecord->advanceState)
        return filterBadParameters;

    RequestWholeImage();
    int16 result = filterRecord->advanceState();
    bool foundArea = false;
    if (result == noErr) {
        if (!WalkImage(params, foundArea))
            result = userCanceledErr;
        if (params.joinAreas && !JoinSmallAreas(params))
            result = userCanceledErr;
    }
    filterRecord->outRect = Rect{0, 0, 0, 0};
    if (!foundArea)
        Alert(kNothingFoundMessage);
    WriteDescriptor(params);
    WriteParameters(params);
    return result;
}

void CVendrel::LoadPalette(const CVendrelParams& params)
{
    if (params.randomColors)
        return;
    try {
        const std::string hostPath = HostFolderPath();
        // Without the host's folder there is no swatch folder to look in: the run uses random colours.
        if (hostPath.empty())
            return;
        const std::string paletteFile(params.paletteFile, strnlen(params.paletteFile, kPaletteFileSize));
        // A name that would lead out of the swatch folder names no palette: random colours.
        if (!IsPaletteNameInFolder(paletteFile))
            return;
        const std::string path = AppendPath(SwatchFolderOf(hostPath), paletteFile);
        CPSPalette* loaded = new CPSPalette(path.c_str());
        delete palette;
        palette = loaded;
    } catch (...) {
        // A path or memory problem: go on with what is held, which gives random colours.
    }
}

void CVendrel::RequestWholeImage()
{
    filterRecord->outRect.top = 0;
    filterRecord->outRect.left = 0;
    filterRecord->outRect.bottom = filterRecord->imageSize.v;
    filterRecord->outRect.right = filterRecord->imageSize.h;
    filterRecord->outLoPlane = 0;
    filterRecord->outHiPlane = int16(PlanesCount() - 1);
}

bool CVendrel::WalkImage(const CVendrelParams& params, bool& foundArea)
{
    const LabelOutcome outcome = UseLabelledWalk() ? PaintAreasByLabels(params, foundArea) : LabelOutcome::NotUsed;
    if (outcome != LabelOutcome::NotUsed)
        return outcome == LabelOutcome::Done;
    for (uint16 y = 0; y < filterRecord->outRect.bottom; ++y) {
        for (uint16 x = 0; x < filterRecord->outRect.right; ++x) {
            const int32 width = filterRecord->outRect.right;
            const int32 seedX = NextSeedInRow(x, y, width);
            if (seedX >= width)
                break;
            x = uint16(seedX);
            FloodNewArea(x, y, params);
            foundArea = true;
        }
        if (filterRecord->progressProc)
            filterRecord->progressProc(int32(y) + 1, filterRecord->outRect.bottom);
        if (filterRecord->abortProc && filterRecord->abortProc())
            return false;
    }
    return true;
}

int32 CVendrel::NextSeedInRow(int32 x, int32 y, int32 width) const
{
    const uint8* row = PixelAddress(0, y);
    if (!row)
        return width;
    const intptr_t columnStep = ColumnStep();
    const int32 planeStep = PlaneStep();
    if (planeStep == 1 && columnStep == channels && !claimedMarks.IsActive()) {
        // Pixels of consecutive channel bytes: looked at many at a time.
        const RunWindow window = RunWindow::Of(windowLow, windowHigh);
        switch (channels) {
        case 1:
            return RunScanner<1>(window).FirstIn(row, x, width);
        case 3:
            return RunScanner<3>(window).FirstIn(row, x, width);
        case 4:
            return RunScanner<4>(window).FirstIn(row, x, width);
        default:
            break;
        }
    }
    switch (planeStep == 1 ? channels : 0) {
    case 1:
        return FirstUnflooded(row, x, y, width, columnStep,
                              PixelOps<1, true>(windowLow, windowHigh, paintColor, channels, planeStep), claimedMarks);
    case 3:
        return FirstUnflooded(row, x, y, width, columnStep,
                              PixelOps<3, true>(windowLow, windowHigh, paintColor, channels, planeStep), claimedMarks);
    case 4:
        return FirstUnflooded(row, x, y, width, columnStep,
                              PixelOps<4, true>(windowLow, windowHigh, paintColor, channels, planeStep), claimedMarks);
    default:
        return FirstUnflooded(row, x, y, width, columnStep,
                              RuntimePixelOps(windowLow, windowHigh, paintColor, channels, planeStep), claimedMarks);
    }
}

void CVendrel::FloodNewArea(uint16 x, uint16 y, const CVendrelParams& params)
{
    ChooseAreaColor();
    areaPixels = 0;
    areaMinX = areaMaxX = x;
    areaMinY = areaMaxY = y;
    if (!params.flagAreas && !params.joinAreas)
        return FillFrom(x, y);
    areaRuns.Expect(AreaRunLimit());
    FillFrom(x, y);
    const std::vector<AreaRun>* runs = areaRuns.Take();
    const bool flag = params.flagAreas && IsSmallArea(*this, params.measureArea, uint32(params.flagSize));
    const bool join = params.joinAreas && IsSmallArea(*this, params.measureArea, uint32(params.joinSize));
    if (join)
        AddJoinSeed(x, y);
    if (flag || join)
        PaintInFlagColor(x, y, params, runs);
}

void CVendrel::PaintInFlagColor(uint16 x, uint16 y, const CVendrelParams& params, const std::vector<AreaRun>* runs)
{
    // The window matches exactly the colour the area has just received.
    std::memcpy(windowLow, paintColor, sizeof windowLow);
    std::memcpy(windowHigh, paintColor, sizeof windowHigh);
    ConvertRGB(params.flagColor, paintColor);
    if (IsAcceptableColor(false)) {
        if (runs)
            RepaintArea(*runs);
        else
            FillFrom(x, y);
    }
    SetColorWindow(params.fillColor, uint16(params.tolerance));
}

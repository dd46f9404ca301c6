// The filter object of this plug-in: the selector operations and the state of the multi-fill engine.
#pragma once

#include <cstdint>
#include <vector>

#include "AreaRuns.h"
#include "CPSFilter.h"
#include "ClaimedMarks.h"
#include "ConversionCache.h"
#include "JoinSeedList.h"
#include "VendrelParams.h"

class CPSPalette;
class RingWalkOrder;
template <int Channels> class RowRuns;
class LabelSummary;
class BoundaryColors;
struct LabelTreatment;
class UsableBlocks;
struct SeedRoom;
struct SwatchColor;

class CVendrel : public CPSFilter {
public:
    CVendrel();
    ~CVendrel() override;

    // Selector operations.
    int16 About() override;
    int16 Parameters() override;
    int16 Prepare() override;
    int16 Start() override;

    // Settings in the host's parameters handle and scripting descriptor, and the preferences file.
    bool ReadParameters(CVendrelParams& params);
    void WriteParameters(const CVendrelParams& params);
    bool ReadDescriptor(CVendrelParams& params);
    void WriteDescriptor(const CVendrelParams& params);
    void ReadPrefs(CVendrelParams& params);
    void WritePrefs(const CVendrelParams& params);

    // Addressing of the host's image buffer.
    int16 PlanesCount() const;
    int32 ColumnStep() const;
    int32 PlaneStep() const;
    void SetChannelCount();
    uint8* PixelAddress(int32 x, int32 y) const;

    // The colour window and the pixel tests.
    // False, with the window untouched, when the colour cannot be had in the image's mode.
    bool SetColorWindow(const uint16 color[3], uint32 tolerance);
    bool IsInWindow(const uint8* p) const;
    bool IsNormalAreaPixel(const uint8* p) const;
    bool IsAcceptableColor(bool allowDark) const;
    void PaintPixel(uint8* p) const;

    // Flooding one area from its seed with paintColor.
    void FillFrom(int32 x, int32 y);
    static bool ClaimPixel(int32 x, int32 y);

    // Area colours, small areas and the join pass.
    void ChooseAreaColor();
    void AddJoinSeed(int32 x, int32 y);
    // False when the user aborted during the pass, which then ends at once. Seeds before seedsJoinedEarly
    // were dealt with while the rows were painted.
    bool JoinSmallAreas(const CVendrelParams& params);
    // Looking for the colour of a joined area that holds the flag colour while the rows are painted, with only
    // the rows up to lastPaintedRow final and the areas waiting to be joined still unpainted (in the window):
    // found (into color), no colour (the walk stops first), later (the walk needs a row not painted yet) or
    // far (beyond the offsets looked at: left to the join pass). While farWalksLeft allows, a seed with
    // nothing near walks on to a radius of 32 pixels.
    enum class EarlyJoinLook { Found, NoColor, Later, Far };
    EarlyJoinLook EarlyJoinColor(const JoinSeed& seed, int32 lastPaintedRow, const uint8 flag[4], RingWalkOrder& order,
                                 size_t& farWalksLeft, uint8 color[4]) const;
    // The colour a small area takes from a neighbour of its seed, when one holds a usable colour: the join
    // then needs no row below. False otherwise.
    bool NeighbourJoinColor(const JoinSeed& seed, const uint8 flag[4], uint8 color[4]) const;

    // Colour conversion and the colour picker, through the host's colour services.
    int16 ImageColorSpace() const;
    bool ConvertRGB(const uint16 color[3], uint8 out[4]);
    bool ConvertSwatchColor(const SwatchColor& swatch, uint8 out[4]);
    bool PickColor(uint8 color[4], bool inRGB);
    // A conversion request to the host's colour services, answered from the cache once the host has
    // confirmed its answer.
    OSErr AskColorServices(ColorServicesInfo& info);
    bool HostPickerWorks();

    // Engine state; overwritten for every area of a run.
    JoinSeedList joinSeeds;
    JoinSeedList::Cursor seedsJoinedEarly;
    uint32 areaPixels = 0;
    int32 areaMinX = 0;
    int32 areaMinY = 0;
    int32 areaMaxX = 0;
    int32 areaMaxY = 0;
    uint8 channels = 3;
    uint8 windowLow[4] = {0, 0, 0, 0};
    uint8 windowHigh[4] = {0, 0, 0, 0};
    uint8 paintColor[4] = {0, 0, 0, 0};
    CPSPalette* palette = nullptr;

    // Pixels already flooded with a colour that still lies in the window; empty unless such a flood ran.
    ClaimedMarks claimedMarks;
    ConversionCache conversions;
    // The runs of the area just flooded, while small areas may have to be repainted.
    AreaRuns areaRuns;

private:
    // One step of the walk: a new area seeded at (x, y) is coloured, flooded, measured and treated when small.
    void FloodNewArea(uint16 x, uint16 y, const CVendrelParams& params);
    // runs: the area's runs as its flood recorded them, or null.
    void PaintInFlagColor(uint16 x, uint16 y, const CVendrelParams& params, const std::vector<AreaRun>* runs);
    // Paints the recorded runs with paintColor, then floods on from every pixel beside them that still holds
    // the area's former colour (the window): the same pixels as a flood from the seed, without the flood.
    void RepaintArea(const std::vector<AreaRun>& runs);
    template <int Channels> void RepaintRuns(const std::vector<AreaRun>& runs);
    // The most runs an area may have for its flood to record them: memory stays a small share of the image.
    size_t AreaRunLimit() const;
    // The row walk of Start; false when the user aborted.
    bool WalkImage(const CVendrelParams& params, bool& foundArea);
    // The walk by labelling: the areas are labelled in one pass over the rows and painted in a second.
    // NotUsed when the image's layout, its count of areas or its colours rule it out; nothing has changed
    // then.
    enum class LabelOutcome { Done, Aborted, NotUsed };
    LabelOutcome PaintAreasByLabels(const CVendrelParams& params, bool& foundArea);
    template <int Channels> LabelOutcome PaintAreasByLabels(const CVendrelParams& params, bool& foundArea);
    template <int Channels>
    bool LabelRuns(RowRuns<Channels>& rows, LabelSummary& summary, const CVendrelParams& params,
                   BoundaryColors* boundary, size_t& mostSets) const;
    template <int Channels>
    bool CheckColorsAhead(const BoundaryColors& boundary, const CVendrelParams& params, LabelTreatment& treatment);
    template <int Channels>
    bool PaintLabeledRuns(RowRuns<Channels>& rows, LabelSummary& summary, LabelTreatment* treatment, size_t mostSets,
                          const CVendrelParams& params, bool& foundArea);
    template <int Channels, typename PaintFlag>
    void JoinWhilePainting(LabelTreatment& treatment, int32 y, RingWalkOrder& order, const PaintFlag& paintFlag);
    void LoadPalette(const CVendrelParams& params);
    // True when paintColor lies in the window: claimed pixels would stay claimable.
    bool PaintColorInWindow() const;
    template <int Channels, bool UnitPlaneStep> void FillFromFast(int32 x, int32 y);
    template <int Channels, bool Record> void FillRuns(int32 x, int32 y);
    // The first column from x on in row y whose pixel is in the window and not yet flooded, or width.
    int32 NextSeedInRow(int32 x, int32 y, int32 width) const;
    void RequestWholeImage();
    // The join pass: the blocks that hold a pixel to take a colour from, and the first such pixel in the
    // ring walk's order around a seed (null when the walk stops first), up to lastKey or beyond walkedKey.
    template <typename Test>
    void MarkUsableBlocks(UsableBlocks& blocks, int32 width, int32 height, const Test& test) const;
    template <typename Test>
    const uint8* NearJoinColor(int32 x, int32 y, const SeedRoom& room, RingWalkOrder& order, const Test& test,
                               bool& stopped, uint32 lastKey, int32 paintedBelow = INT32_MAX,
                               bool* later = nullptr) const;
    template <typename Test>
    const uint8* FindJoinColor(int32 x, int32 y, const SeedRoom& room, const UsableBlocks& blocks, RingWalkOrder& order,
                               const Test& test, uint32 walkedKey) const;

    // Set while a flood paints with a colour inside the window: ClaimPixel then claims each pixel once only.
    bool markingFlood = false;
};

// The one filter object of the module, through which the pixel claim function reaches the engine.
extern CVendrel* gVendrelInstance;

// True when an area with the given measurements is small by size limit: by pixel count when measureArea is
// set, otherwise when both its width and its height are at most the limit.
bool IsSmallArea(const CVendrel& engine, bool measureArea, uint32 limit);

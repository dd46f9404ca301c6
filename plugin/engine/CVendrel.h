// The filter object of this plug-in: the selector operations and the state of the multi-fill engine.
#pragma once

#include <vector>

#include "CPSFilter.h"
#include "VendrelParams.h"

class CPSPalette;
struct SwatchColor;

struct JoinSeed {
    uint16 x;
    uint16 y;
};

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
    void SetColorWindow(const uint16 color[3], uint32 tolerance);
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
    void JoinSmallAreas(const CVendrelParams& params);

    // Colour conversion and the colour picker, through the host's colour services.
    int16 ImageColorSpace() const;
    bool ConvertRGB(const uint16 color[3], uint8 out[4]);
    bool ConvertSwatchColor(const SwatchColor& swatch, uint8 out[4]);
    bool PickColor(uint8 color[4], bool inRGB);

    // Engine state; overwritten for every area of a run.
    std::vector<JoinSeed> joinSeeds;
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
};

// The one filter object of the module, through which the pixel claim function reaches the engine.
extern CVendrel* gVendrelInstance;

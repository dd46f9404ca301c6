// The settings record of one filter run: defaults, copy, validation and the host's parameters handle.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "PIFilter.h"

inline constexpr int32 kVendrelSignature = PIFourCC("Vdrl");
inline constexpr uint16 kVendrelParamsVersion = 3;
inline constexpr size_t kPaletteFileSize = 256;

// The record's layout is a stored format (the host keeps it in its parameters handle), so the offsets are fixed.
struct _SVendrelParams {
    int32 signature;
    uint16 version;
    uint8 byteSwapped;
    uint8 padding0;
    uint16 fillColor[3];
    char paletteFile[kPaletteFileSize];
    uint16 tolerance;
    uint8 reservedFlag;
    bool randomColors;
    bool measureArea;
    bool flagAreas;
    uint16 flagColor[3];
    uint8 padding1[2];
    int32 flagSize;
    bool joinAreas;
    uint8 padding2[3];
    int32 joinSize;
};

static_assert(sizeof(bool) == 1);
static_assert(sizeof(_SVendrelParams) == 296);
static_assert(offsetof(_SVendrelParams, signature) == 0);
static_assert(offsetof(_SVendrelParams, version) == 4);
static_assert(offsetof(_SVendrelParams, byteSwapped) == 6);
static_assert(offsetof(_SVendrelParams, fillColor) == 8);
static_assert(offsetof(_SVendrelParams, paletteFile) == 14);
static_assert(offsetof(_SVendrelParams, tolerance) == 270);
static_assert(offsetof(_SVendrelParams, reservedFlag) == 272);
static_assert(offsetof(_SVendrelParams, randomColors) == 273);
static_assert(offsetof(_SVendrelParams, measureArea) == 274);
static_assert(offsetof(_SVendrelParams, flagAreas) == 275);
static_assert(offsetof(_SVendrelParams, flagColor) == 276);
static_assert(offsetof(_SVendrelParams, flagSize) == 284);
static_assert(offsetof(_SVendrelParams, joinAreas) == 288);
static_assert(offsetof(_SVendrelParams, joinSize) == 292);

class CVendrelParams : public _SVendrelParams {
public:
    CVendrelParams();
    virtual ~CVendrelParams() = default;

    void SetDefaults();
    void SetPaletteFile(const char* text);
    bool IsValid() const;

    // Copies the record that the handle's master pointer addresses; false (and the defaults) when that record
    // is not a valid one or the handle is too small to hold it.
    bool LoadFromHandle(Handle handle, const HandleProcs* procs);

    // The preferences file's two text lines.
    void WriteText(std::ostream& out) const;
    void ReadText(std::istream& in);
    // Reads a whole preferences file's text. A text cut short anywhere (no line end after the palette line, or
    // an item missing) is taken as no file at all: false, and the record is unchanged.
    bool ReadWholeText(const std::string& text);
};

// Copies every field but byteSwapped and the padding.
void CopyParams(const _SVendrelParams& source, _SVendrelParams& destination);

// The settings record: defaults, the palette name, validation, copying and loading from a handle.
#include "VendrelParams.h"

#include <cstring>

#include "PluginHandles.h"

namespace {

// A bool field as the byte it holds: records from handles and files may carry any non-zero byte for true,
// and such a byte must not be read as a bool.
bool FlagByte(const bool& field)
{
    uint8 byte = 0;
    std::memcpy(&byte, &field, 1);
    return byte != 0;
}

// Stores text up to its NUL, zero-filling the rest of the field; a name that fills the whole field still ends
// in a NUL, so that nobody reads past it.
void StorePaletteName(const char* text, char (&field)[kPaletteFileSize])
{
    const size_t length = strnlen(text, kPaletteFileSize);
    std::memcpy(field, text, length);
    std::memset(field + length, 0, kPaletteFileSize - length);
    field[kPaletteFileSize - 1] = '\0';
}

void CopyColor(const uint16 (&source)[3], uint16 (&destination)[3])
{
    for (int i = 0; i < 3; ++i)
        destination[i] = source[i];
}

} // namespace

CVendrelParams::CVendrelParams() : _SVendrelParams{}
{
    SetDefaults();
}

void CVendrelParams::SetDefaults()
{
    signature = kVendrelSignature;
    version = kVendrelParamsVersion;
    byteSwapped = 0;
    fillColor[0] = fillColor[1] = fillColor[2] = 65535;
    paletteFile[0] = '\0';
    tolerance = 0;
    reservedFlag = 0;
    randomColors = false;
    measureArea = false;
    flagAreas = false;
    flagColor[0] = 65535;
    flagColor[1] = 0;
    flagColor[2] = 65535;
    flagSize = 20;
    joinAreas = false;
    joinSize = 10;
}

void CVendrelParams::SetPaletteFile(const char* text)
{
    StorePaletteName(text ? text : "", paletteFile);
}

bool CVendrelParams::IsValid() const
{
    return version == kVendrelParamsVersion && signature == kVendrelSignature;
}

bool CVendrelParams::LoadFromHandle(Handle handle, const HandleProcs* procs)
{
    const bool present = handle && *handle;
    const bool sizeKnown = HostHandleProcsUsable(procs);
    if (!present || (sizeKnown && procs->getSizeProc(handle) < int32(sizeof(_SVendrelParams)))) {
        SetDefaults();
        return false;
    }
    // Copied out first: the handle's block carries no alignment promise.
    _SVendrelParams stored;
    std::memcpy(&stored, *handle, sizeof stored);
    CopyParams(stored, *this);
    if (!IsValid()) {
        SetDefaults();
        return false;
    }
    return true;
}

void CopyParams(const _SVendrelParams& source, _SVendrelParams& destination)
{
    if (&source == &destination)
        return;
    destination.signature = source.signature;
    destination.version = source.version;
    destination.tolerance = source.tolerance;
    destination.reservedFlag = source.reservedFlag;
    destination.randomColors = FlagByte(source.randomColors);
    destination.flagAreas = FlagByte(source.flagAreas);
    destination.joinAreas = FlagByte(source.joinAreas);
    destination.measureArea = FlagByte(source.measureArea);
    destination.flagSize = source.flagSize;
    destination.joinSize = source.joinSize;
    StorePaletteName(source.paletteFile, destination.paletteFile);
    CopyColor(source.fillColor, destination.fillColor);
    CopyColor(source.flagColor, destination.flagColor);
}

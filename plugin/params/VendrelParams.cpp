// The settings record: defaults, the palette name, validation, copying and loading from a handle.
#include "VendrelParams.h"

#include <cstring>
#include <variant>

#include "PluginHandles.h"
#include "SettingsTable.h"

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

template <typename Components> void CopyColor(const Components& source, uint16 (&destination)[3])
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
    for (const SettingDefinition& setting : kSettings)
        std::visit(FieldVisitor{[this](const ColorField& color) { CopyColor(color.initial, this->*color.field); },
                                // Only the first character: the rest of the name field keeps what it held.
                                [this](const TextField& text) { (this->*text.field)[0] = '\0'; },
                                [this](const auto& other) { this->*other.field = other.initial; }},
                   setting.field);
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
    // A size procedure that answers 0 for a live handle cannot tell its size (some hosts' does so for every
    // handle); the record's version and signature then decide.
    const int32 size = present && HostHandleProcsUsable(procs) ? procs->getSizeProc(handle) : 0;
    if (!present || (size != 0 && size < int32(sizeof(_SVendrelParams)))) {
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
    for (const SettingDefinition& setting : kSettings)
        std::visit(
            FieldVisitor{[&](const ColorField& color) { CopyColor(source.*color.field, destination.*color.field); },
                         [&](const TextField& text) { StorePaletteName(source.*text.field, destination.*text.field); },
                         [&](const FlagField& flag) { destination.*flag.field = FlagByte(source.*flag.field); },
                         [&](const auto& other) { destination.*other.field = source.*other.field; }},
            setting.field);
}

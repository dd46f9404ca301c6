#include "DialogFrame.h"

#include "PIResources.h"

namespace owndm {

int32 DialogUnitsToPixelsX(int32 units)
{
    return int32(int64(units) * 6 / 4);
}

int32 DialogUnitsToPixelsY(int32 units)
{
    return int32(int64(units) * 13 / 8);
}

int32 PixelsToDialogUnitsX(int32 pixels)
{
    return int32(int64(pixels) * 4 / 6);
}

int32 PixelsToDialogUnitsY(int32 pixels)
{
    return int32(int64(pixels) * 8 / 13);
}

namespace {

// Little-endian fields read one after the other; a read past the end marks the reader as failed.
class FieldReader {
public:
    FieldReader(const uint8* bytes, size_t size) : fBytes(bytes), fSize(size) {}

    uint16 U16()
    {
        if (fFailed || fSize - fAt < 2) {
            fFailed = true;
            return 0;
        }
        const uint16 value = uint16(fBytes[fAt] | fBytes[fAt + 1] << 8);
        fAt += 2;
        return value;
    }

    int16 I16() { return int16(U16()); }
    uint32 U32() { return U16() | uint32(U16()) << 16; }

    std::string LengthPrefixedText()
    {
        const uint16 length = U16();
        if (fFailed || fSize - fAt < length) {
            fFailed = true;
            return std::string();
        }
        std::string text(reinterpret_cast<const char*>(fBytes + fAt), length);
        fAt += length;
        return text;
    }

    bool Failed() const { return fFailed; }

private:
    const uint8* fBytes;
    size_t fSize;
    size_t fAt = 0;
    bool fFailed = false;
};

ADMRect PixelRect(int32 x, int32 y, int32 width, int32 height)
{
    return {DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(x + width),
            DialogUnitsToPixelsY(y + height)};
}

// One push button; nothing for another kind of item or a negative size.
std::optional<FrameButton> ReadButton(FieldReader& reader)
{
    FrameButton button;
    button.id = reader.I16();
    const uint16 kind = reader.U16();
    const int16 x = reader.I16();
    const int16 y = reader.I16();
    const int16 width = reader.I16();
    const int16 height = reader.I16();
    const uint16 flags = reader.U16();
    button.text = reader.LengthPrefixedText();
    if (reader.Failed() || kind != kPIDialogItemPushButton || width < 0 || height < 0)
        return std::nullopt;
    button.bounds = PixelRect(x, y, width, height);
    button.isDefault = (flags & kPIDialogItemDefault) != 0;
    return button;
}

} // namespace

std::optional<DialogFrame> ParseDialogFrame(const uint8* bytes, size_t size)
{
    if (!bytes)
        return std::nullopt;
    FieldReader reader(bytes, size);
    if (reader.U16() != 1)
        return std::nullopt;
    reader.I16(); // x
    reader.I16(); // y
    const int16 width = reader.I16();
    const int16 height = reader.I16();
    reader.U32(); // style
    DialogFrame frame;
    frame.caption = reader.LengthPrefixedText();
    frame.fontName = reader.LengthPrefixedText();
    frame.pointSize = reader.U16();
    const uint16 count = reader.U16();
    if (reader.Failed() || width <= 0 || height <= 0)
        return std::nullopt;
    frame.bounds = {0, 0, DialogUnitsToPixelsX(width), DialogUnitsToPixelsY(height)};
    for (uint16 i = 0; i < count; ++i) {
        std::optional<FrameButton> button = ReadButton(reader);
        if (!button)
            return std::nullopt;
        frame.buttons.push_back(*button);
    }
    return frame;
}

DialogFrame DefaultDialogFrame()
{
    DialogFrame frame;
    frame.fontName = "MS Sans Serif";
    frame.bounds = {0, 0, 300, 200};
    frame.buttons.push_back({1, {220, 168, 280, 188}, true, "OK"});
    frame.buttons.push_back({2, {150, 168, 210, 188}, false, "Cancel"});
    return frame;
}

} // namespace owndm

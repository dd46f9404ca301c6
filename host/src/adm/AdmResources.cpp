#include "AdmResources.h"

#include <cstdlib>

#include "ByteReader.h"
#include "PIResources.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::adm {

int32_t dialogUnitsToPixelsX(int32_t units)
{
    return int32_t(int64_t(units) * 6 / 4);
}

int32_t dialogUnitsToPixelsY(int32_t units)
{
    return int32_t(int64_t(units) * 13 / 8);
}

namespace {

std::string lengthPrefixedText(ByteReader& reader, const char* field)
{
    const uint16_t length = reader.u16(field);
    const std::vector<uint8_t> bytes = reader.bytes(length, field);
    return std::string(bytes.begin(), bytes.end());
}

AdmRect pixelRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return {dialogUnitsToPixelsX(x), dialogUnitsToPixelsY(y), dialogUnitsToPixelsX(x + width),
            dialogUnitsToPixelsY(y + height)};
}

DialogButton readButton(ByteReader& reader)
{
    DialogButton button;
    button.id = reader.i16("item id");
    const uint16_t kind = reader.u16("item kind");
    const int16_t x = reader.i16("item x");
    const int16_t y = reader.i16("item y");
    const int16_t width = reader.i16("item width");
    const int16_t height = reader.i16("item height");
    const uint16_t flags = reader.u16("item flags");
    button.text = lengthPrefixedText(reader, "item text");
    if (kind != kPIDialogItemPushButton)
        reader.fail("item kind " + std::to_string(kind) + " is not a push button");
    if (width < 0 || height < 0)
        reader.fail("item of negative size");
    button.bounds = pixelRect(x, y, width, height);
    button.isDefault = (flags & kPIDialogItemDefault) != 0;
    return button;
}

} // namespace

std::optional<DialogLayout> parseDialogResource(const std::vector<uint8_t>& bytes)
{
    try {
        ByteReader reader(bytes.data(), bytes.size(), "DLOG");
        if (reader.u16("version") != 1)
            return std::nullopt;
        reader.i16("x");
        reader.i16("y");
        const int16_t width = reader.i16("width");
        const int16_t height = reader.i16("height");
        reader.u32("style");
        if (width <= 0 || height <= 0)
            return std::nullopt;
        DialogLayout layout;
        layout.caption = lengthPrefixedText(reader, "caption");
        layout.fontName = lengthPrefixedText(reader, "font name");
        layout.pointSize = reader.u16("point size");
        layout.frame = {0, 0, dialogUnitsToPixelsX(width), dialogUnitsToPixelsY(height)};
        const uint16_t count = reader.u16("item count");
        for (uint16_t i = 0; i < count; ++i)
            layout.buttons.push_back(readButton(reader));
        return layout;
    } catch (const HostError&) {
        return std::nullopt;
    }
}

DialogLayout defaultDialogLayout()
{
    DialogLayout layout;
    layout.fontName = "MS Sans Serif";
    layout.frame = {0, 0, 300, 200};
    layout.buttons.push_back({1, {220, 168, 280, 188}, true, "OK"});
    layout.buttons.push_back({2, {150, 168, 210, 188}, false, "Cancel"});
    return layout;
}

DialogLayout dialogLayoutFor(const PluginModule* module, int32_t id)
{
    const std::vector<uint8_t>* bytes = module ? module->resource("DLOG", id) : nullptr;
    if (bytes)
        if (std::optional<DialogLayout> layout = parseDialogResource(*bytes))
            return *layout;
    return defaultDialogLayout();
}

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kLargestPictureSide = 4096;

size_t fileHeaderLength(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 14 && bytes[0] == 'B' && bytes[1] == 'M' ? 14 : 0;
}

} // namespace

std::optional<Picture> decodeBitmapResource(const std::vector<uint8_t>& bytes)
{
    try {
        const size_t start = fileHeaderLength(bytes);
        ByteReader reader(bytes.data() + start, bytes.size() - start, "BMP ");
        const uint32_t headerSize = reader.u32("header size");
        const int32_t width = reader.i32("width");
        const int32_t rawHeight = reader.i32("height");
        reader.u16("planes");
        const uint16_t bitCount = reader.u16("bit count");
        const uint32_t compression = reader.u32("compression");
        const int32_t height = rawHeight == INT32_MIN ? 0 : std::abs(rawHeight);
        if (headerSize < kInfoHeaderSize || bitCount != 24 || compression != 0 || width <= 0 || height == 0 ||
            width > kLargestPictureSide || height > kLargestPictureSide)
            return std::nullopt;
        reader.skip(headerSize - 20, "header"); // the fields above take 20 bytes
        const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
        Picture picture{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 3)};
        for (int32_t row = 0; row < height; ++row) {
            const std::vector<uint8_t> stored = reader.bytes(rowBytes, "pixel row");
            const int32_t y = rawHeight > 0 ? height - 1 - row : row;
            uint8_t* out = &picture.rgb[size_t(y) * size_t(width) * 3];
            for (int32_t x = 0; x < width; ++x) {
                out[x * 3] = stored[size_t(x) * 3 + 2];
                out[x * 3 + 1] = stored[size_t(x) * 3 + 1];
                out[x * 3 + 2] = stored[size_t(x) * 3];
            }
        }
        return picture;
    } catch (const HostError&) {
        return std::nullopt;
    }
}

std::optional<Picture> pictureFor(const PluginModule* module, int32_t id)
{
    const std::vector<uint8_t>* bytes = module ? module->resource("BMP ", id) : nullptr;
    return bytes ? decodeBitmapResource(*bytes) : std::nullopt;
}

} // namespace vendrel::adm

// The module resources the dialog manager builds dialogs from: dialog frames in dialog units and pictures
// stored as device-independent bitmaps.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../../host/src/adm/AdmResources.h" // the dialog manager's resource readers
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using namespace adm;

class Bytes {
public:
    Bytes& u16(uint16_t value)
    {
        data.push_back(uint8_t(value));
        data.push_back(uint8_t(value >> 8));
        return *this;
    }
    Bytes& u32(uint32_t value) { return u16(uint16_t(value)).u16(uint16_t(value >> 16)); }
    Bytes& text(const std::string& value)
    {
        u16(uint16_t(value.size()));
        data.insert(data.end(), value.begin(), value.end());
        return *this;
    }
    Bytes& raw(std::initializer_list<uint8_t> values)
    {
        data.insert(data.end(), values);
        return *this;
    }
    std::vector<uint8_t> data;
};

Bytes button(int16_t id, int16_t x, int16_t y, int16_t w, int16_t h, uint16_t flags, const std::string& text)
{
    Bytes bytes;
    bytes.u16(uint16_t(id))
        .u16(1)
        .u16(uint16_t(x))
        .u16(uint16_t(y))
        .u16(uint16_t(w))
        .u16(uint16_t(h))
        .u16(flags)
        .text(text);
    return bytes;
}

// The main dialog's frame: 237 x 181 dialog units, OK at 190,160 (37 x 14), Cancel at 145,160 (38 x 14).
std::vector<uint8_t> mainDialogResource(uint16_t version = 1, uint16_t secondKind = 1)
{
    Bytes bytes;
    bytes.u16(version).u16(0).u16(0).u16(237).u16(181).u32(1).text("Vendrel").text("MS Sans Serif").u16(8).u16(2);
    const Bytes ok = button(1, 190, 160, 37, 14, 1, "OK");
    Bytes cancel = button(2, 145, 160, 38, 14, 0, "Cancel");
    cancel.data[2] = uint8_t(secondKind);
    bytes.data.insert(bytes.data.end(), ok.data.begin(), ok.data.end());
    bytes.data.insert(bytes.data.end(), cancel.data.begin(), cancel.data.end());
    return bytes.data;
}

TEST(AdmDialogResource, DialogUnitsBecomePixelsOfTheDialogFont)
{
    const std::optional<DialogLayout> layout = parseDialogResource(mainDialogResource());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->caption, "Vendrel");
    EXPECT_EQ(layout->fontName, "MS Sans Serif");
    EXPECT_EQ(layout->pointSize, 8);
    // 237 * 1.5 = 355.5 and 181 * 1.625 = 294.125, cut to whole pixels.
    EXPECT_EQ(layout->frame, (AdmRect{0, 0, 355, 294}));
    ASSERT_EQ(layout->buttons.size(), 2u);
    EXPECT_EQ(layout->buttons[0].id, 1);
    EXPECT_TRUE(layout->buttons[0].isDefault);
    EXPECT_EQ(layout->buttons[0].text, "OK");
    EXPECT_EQ(layout->buttons[0].bounds, (AdmRect{285, 260, 340, 282}));
    EXPECT_EQ(layout->buttons[1].id, 2);
    EXPECT_FALSE(layout->buttons[1].isDefault);
    EXPECT_EQ(layout->buttons[1].bounds, (AdmRect{217, 260, 274, 282}));
}

TEST(AdmDialogResource, MalformedResourcesAreRefused)
{
    std::vector<uint8_t> cut = mainDialogResource();
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(parseDialogResource(cut));
    EXPECT_FALSE(parseDialogResource({}));
    EXPECT_FALSE(parseDialogResource(mainDialogResource(2)));
    EXPECT_FALSE(parseDialogResource(mainDialogResource(1, 7))); // an item kind that is not a push button
}

TEST(AdmDialogResource, WithoutModuleTheDefaultFrameIsUsed)
{
    const DialogLayout layout = dialogLayoutFor(nullptr, 16001);
    EXPECT_EQ(layout.frame, (AdmRect{0, 0, 300, 200}));
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].id, 1);
    EXPECT_TRUE(layout.buttons[0].isDefault);
    EXPECT_EQ(layout.buttons[1].id, 2);
}

TEST(AdmDialogResource, TheBuiltModulesDialogHasItsFrameAndButtons)
{
    // The test program is built after the module, which must load and carry its dialog.
    std::unique_ptr<PluginModule> module;
    try {
        module = PluginModule::load(VENDREL_MODULE_PATH);
    } catch (const HostError& error) {
        FAIL() << "the built module does not load: " << error.what();
    }
    ASSERT_NE(module->resource("DLOG", 16001), nullptr) << "the module carries no dialog 16001";
    const DialogLayout layout = dialogLayoutFor(module.get(), 16001);
    EXPECT_EQ(layout.caption, "Vendrel");
    EXPECT_EQ(layout.frame, (AdmRect{0, 0, 355, 294}));
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].bounds, (AdmRect{285, 260, 340, 282}));
    EXPECT_EQ(layout.buttons[1].bounds, (AdmRect{217, 260, 274, 282}));
}

std::vector<uint8_t> bitmap(int32_t height, uint16_t bitCount, std::initializer_list<uint8_t> rows)
{
    Bytes bytes;
    bytes.u32(40).u32(2).u32(uint32_t(height)).u16(1).u16(bitCount).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    bytes.raw(rows);
    return bytes.data;
}

// Two rows of two pixels, each row 6 bytes of blue, green, red plus 2 bytes of padding.
constexpr std::initializer_list<uint8_t> kBlueGreenThenRedWhite = {
    255, 0, 0,   0,   255, 0,   0, 0, // stored first
    0,   0, 255, 255, 255, 255, 0, 0, // stored second
};

TEST(AdmBitmap, BottomUpRowsBecomeTopDownRgb)
{
    const std::optional<Picture> picture = decodeBitmapResource(bitmap(2, 24, kBlueGreenThenRedWhite));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 2);
    const std::vector<uint8_t> expected = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
    EXPECT_EQ(picture->rgb, expected);
}

TEST(AdmBitmap, NegativeHeightMeansTopDownRows)
{
    const std::optional<Picture> picture = decodeBitmapResource(bitmap(-2, 24, kBlueGreenThenRedWhite));
    ASSERT_TRUE(picture);
    const std::vector<uint8_t> expected = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    EXPECT_EQ(picture->rgb, expected);
}

TEST(AdmBitmap, OtherFormatsAndShortDataAreRefused)
{
    EXPECT_FALSE(decodeBitmapResource(bitmap(2, 8, kBlueGreenThenRedWhite)));
    std::vector<uint8_t> cut = bitmap(2, 24, kBlueGreenThenRedWhite);
    cut.pop_back();
    EXPECT_FALSE(decodeBitmapResource(cut));
    EXPECT_FALSE(decodeBitmapResource({}));
}

} // namespace
} // namespace vendrel::test

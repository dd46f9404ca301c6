// The dialog renderer: a dialog as it stands, drawn into a raster and a PNG the size of the dialog, with
// custom items painted by their own draw callbacks and item states visible.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <vips/vips8>

#include "adm_suites_fixture.h"
#include "vendrel/host/DialogRenderer.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using Renderer = AdmSuitesTest;

ADMItemRef gBox = nullptr;
ADMItemRef gField = nullptr;

// A framed colour square: black outline, white outline inside it, the rest filled with 0xFF00/0x12FF/0x0080.
void drawSwatch(ADMItemRef item, ADMDrawerRef drawer)
{
    auto* test = AdmSuitesTest::current;
    ADMRect rect{};
    test->items->GetLocalRect(item, &rect);
    test->drawers->SetADMColor(drawer, kADMBlackColor);
    test->drawers->FrameRect(drawer, &rect);
    test->drawers->SetADMColor(drawer, kADMWhiteColor);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    test->drawers->FrameRect(drawer, &rect);
    const ADMRGBColor color{0xFF00, 0x12FF, 0x0080};
    test->drawers->SetRGBColor(drawer, &color);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    test->drawers->FillRect(drawer, &rect);
}

ASErr initMainLikeDialog(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    const ADMRect frame{0, 0, 340, 300};
    test->dialogs->SetLocalRect(dialog, &frame);
    const ADMItemRef swatch = test->createItem(dialog, kADMUserType, {140, 20, 168, 48});
    test->items->SetDrawProc(swatch, drawSwatch);
    const ADMItemRef label = test->createItem(dialog, kADMTextStaticType, {20, 27, 130, 43});
    test->items->SetText(label, "Vendreled Color:");
    gField = test->createItem(dialog, kADMTextEditType, {247, 24, 320, 44});
    test->items->SetIntValue(gField, 0);
    gBox = test->createItem(dialog, kADMTextCheckBoxType, {20, 115, 135, 135});
    test->items->SetText(gBox, "Join Areas <=");
    test->createItem(dialog, kADMFrameType, {20, 96, 320, 97});
    const ADMItemRef popup = test->createItem(dialog, kADMPopupListType, {140, 56, 320, 76});
    ADMEntryRef entry = test->lists->InsertEntry(test->items->GetList(popup), 0);
    test->entries->SetText(entry, "Random Colors");
    test->entries->Select(entry, true);
    return 0;
}

std::vector<uint8_t> pixel(const RgbRaster& raster, int32_t x, int32_t y)
{
    const uint8_t* p = raster.at(x, y);
    return {p[0], p[1], p[2]};
}

// The darkest channel value inside a rectangle: text and marks show as dark pixels on a light face.
int darkest(const RgbRaster& raster, AdmRect rect)
{
    int least = 255;
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
            for (uint8_t channel : pixel(raster, x, y))
                least = std::min<int>(least, channel);
    return least;
}

bool sameRegion(const RgbRaster& a, const RgbRaster& b, AdmRect rect)
{
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x)
            if (pixel(a, x, y) != pixel(b, x, y))
                return false;
    return true;
}

TEST_F(Renderer, CustomItemsPaintThroughTheirOwnDrawCallbacks)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        const RgbRaster raster = renderDialog(dialog);
        EXPECT_EQ(raster.width, 340);
        EXPECT_EQ(raster.height, 300);
        EXPECT_EQ(pixel(raster, 140, 20), (std::vector<uint8_t>{0, 0, 0}));
        EXPECT_EQ(pixel(raster, 167, 47), (std::vector<uint8_t>{0, 0, 0}));
        EXPECT_EQ(pixel(raster, 141, 21), (std::vector<uint8_t>{255, 255, 255}));
        EXPECT_EQ(pixel(raster, 142, 22), (std::vector<uint8_t>{0xFF, 0x12, 0x00}));
        EXPECT_EQ(pixel(raster, 165, 45), (std::vector<uint8_t>{0xFF, 0x12, 0x00}));
        EXPECT_NE(pixel(raster, 168, 48), (std::vector<uint8_t>{0, 0, 0})); // nothing outside the item
        return 1;
    });
    runModal(initMainLikeDialog);
}

TEST_F(Renderer, TextsAndMarksAreDrawnAndChangeWithTheItemsState)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        const RgbRaster unchecked = renderDialog(dialog);
        EXPECT_LT(darkest(unchecked, {20, 27, 130, 43}), 100) << "the label's text is drawn";
        items->SetBooleanValue(gBox, true);
        const RgbRaster checked = renderDialog(dialog);
        EXPECT_FALSE(sameRegion(unchecked, checked, {20, 115, 35, 135})) << "the check mark shows";
        EXPECT_TRUE(sameRegion(unchecked, checked, {140, 20, 320, 76}));
        items->Enable(gField, false);
        const RgbRaster disabled = renderDialog(dialog);
        EXPECT_FALSE(sameRegion(checked, disabled, {247, 24, 320, 44})) << "a disabled field is greyed";
        return 1;
    });
    runModal(initMainLikeDialog);
}

TEST_F(Renderer, WritesAPngOfTheDialogsSize)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("adm_renderer_" + std::to_string(getpid()) + ".png");
    RgbRaster drawn;
    frontEnd.onModal([&](AdmDialog& dialog) {
        drawn = renderDialog(dialog);
        renderDialogToPng(dialog, path.string());
        dialog.pressCancel();
        return dialog.endingId();
    });
    EXPECT_EQ(runModal(initMainLikeDialog), 2);

    ASSERT_TRUE(std::filesystem::exists(path));
    vips::VImage image = vips::VImage::new_from_file(path.string().c_str());
    EXPECT_EQ(image.width(), 340);
    EXPECT_EQ(image.height(), 300);
    EXPECT_EQ(image.bands(), 3);
    const std::vector<double> swatch = image.getpoint(150, 30);
    EXPECT_EQ(swatch, (std::vector<double>{255, 18, 0}));
    const std::vector<double> label = image.getpoint(10, 10);
    const std::vector<uint8_t> expected = pixel(drawn, 10, 10);
    EXPECT_EQ(label, (std::vector<double>{double(expected[0]), double(expected[1]), double(expected[2])}));
    std::filesystem::remove(path);
}

TEST_F(Renderer, UnwritablePathIsAClearError)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        EXPECT_THROW(renderDialogToPng(dialog, "/nonexistent-folder/dialog.png"), HostError);
        return 1;
    });
    EXPECT_EQ(runModal(initMainLikeDialog), 1);
}

} // namespace
} // namespace vendrel::test

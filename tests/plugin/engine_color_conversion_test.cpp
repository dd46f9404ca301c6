// What the engine asks of the host's colour services, and what it takes from the answers.
#include "SwatchColor.h"
#include "engine_test_fixture.h"
#include "vendrel/host/ColorServices.h"

namespace vendrel::test {
namespace {

using ColorConversion = EngineTest;

std::vector<int16> Components(const ColorServicesInfo& info)
{
    return {info.colorComponents[0], info.colorComponents[1], info.colorComponents[2], info.colorComponents[3]};
}

TEST_F(ColorConversion, ImageModesMapToHostSpaces)
{
    const struct {
        int16 mode;
        int16 space;
    } cases[] = {{plugInModeRGBColor, 0},  {plugInModeIndexedColor, 0}, {plugInModeDuotone, 0},
                 {plugInModeGrayScale, 4}, {plugInModeCMYKColor, 2},    {plugInModeHSBColor, 1},
                 {plugInModeLabColor, 3},  {plugInModeMultichannel, 0}};
    for (const auto& c : cases) {
        UseImage(1, 1, 3, c.mode);
        engine.conversions = ConversionCache{};
        EXPECT_EQ(engine.ImageColorSpace(), c.space) << "mode " << c.mode;
        uint8 out[4] = {};
        const uint16 white[3] = {65535, 65535, 65535};
        engine.ConvertRGB(white, out);
        ASSERT_FALSE(Requests().empty());
        EXPECT_EQ(Requests().back().resultSpace, c.space);
    }
}

// The same request is sent to the host until it has given the same answer twice; after that the answer is
// reused. A host whose answers change is asked every time.
TEST_F(ColorConversion, AnswerGivenTwiceIsReusedAndAChangingAnswerIsNot)
{
    UseImage(1, 1, 3);
    const uint16 red[3] = {65535, 0, 0};
    int16 next = 10;
    Answer() = [&next](ColorServicesInfo& info) {
        info.colorComponents[0] = next;
        return OSErr(noErr);
    };
    uint8 out[4] = {};
    for (int i = 0; i < 4; ++i) {
        next = int16(10 + i);
        engine.ConvertRGB(red, out);
        EXPECT_EQ(out[0], 10 + i);
    }
    EXPECT_EQ(Requests().size(), 4u);

    Requests().clear();
    next = 77;
    for (int i = 0; i < 5; ++i) {
        engine.ConvertRGB(red, out);
        EXPECT_EQ(out[0], 77);
    }
    EXPECT_EQ(Requests().size(), 2u);

    // A failure confirmed twice is reused too: the bytes stay as they were.
    const uint16 blue[3] = {0, 0, 65535};
    Answer() = [](ColorServicesInfo&) { return OSErr(-1); };
    out[0] = 5;
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(engine.ConvertRGB(blue, out));
    EXPECT_EQ(out[0], 5);
    EXPECT_EQ(Requests().size(), 4u);
}

TEST_F(ColorConversion, SettingsColoursAreSentAsTheirHighBytes)
{
    UseImage(1, 1, 3);
    uint8 out[4] = {9, 9, 9, 9};
    const uint16 white[3] = {65535, 65535, 65535};
    EXPECT_TRUE(engine.ConvertRGB(white, out));
    const ColorServicesInfo& request = Requests().back();
    EXPECT_EQ(request.infoSize, 36);
    EXPECT_EQ(request.selector, 1);
    EXPECT_EQ(request.sourceSpace, 0);
    EXPECT_EQ(request.resultSpace, 0);
    EXPECT_EQ(request.selectorParameter.pickerPrompt, nullptr);
    EXPECT_EQ(Components(request), (std::vector<int16>{255, 255, 255, 0}));
    EXPECT_EQ(std::vector<uint8>(out, out + 4), (std::vector<uint8>{255, 255, 255, 0}));

    const uint16 reddish[3] = {32768, 255, 0};
    engine.ConvertRGB(reddish, out);
    EXPECT_EQ(Components(Requests().back()), (std::vector<int16>{128, 0, 0, 0}));
}

TEST_F(ColorConversion, AnswerIsTakenAsLowBytesAndARefusalChangesNothing)
{
    UseImage(1, 1, 4, plugInModeCMYKColor);
    Answer() = [](ColorServicesInfo& info) {
        const int16 answer[4] = {0x1FF, 256, -1, 200};
        std::memcpy(info.colorComponents, answer, sizeof answer);
        return OSErr(noErr);
    };
    uint8 out[4] = {};
    const uint16 color[3] = {1, 2, 3};
    EXPECT_TRUE(engine.ConvertRGB(color, out));
    EXPECT_EQ(std::vector<uint8>(out, out + 4), (std::vector<uint8>{255, 0, 255, 200}));

    Answer() = [](ColorServicesInfo& info) {
        info.colorComponents[0] = 77;
        return OSErr(-1);
    };
    uint8 kept[4] = {1, 2, 3, 4};
    EXPECT_FALSE(engine.ConvertRGB(color, kept));
    EXPECT_EQ(std::vector<uint8>(kept, kept + 4), (std::vector<uint8>{1, 2, 3, 4}));
}

struct SwatchCase {
    uint16 id;
    uint16 c[4];
    int16 space;
    std::vector<int16> sent;
};

TEST_F(ColorConversion, SwatchColoursAreScaledIntoTheHostRanges)
{
    const SwatchCase cases[] = {
        {0, {65535, 32768, 255, 999}, 0, {255, 128, 0, 0}},
        {1, {65535, 65535, 32768, 7}, 1, {360, 255, 128, 0}},
        {1, {32768, 0, 0, 0}, 1, {180, 0, 0, 0}},
        {2, {65535, 0, 32768, 256}, 2, {255, 0, 128, 1}},
        {7, {10000, uint16(-5000), 12700, 0}, 3, {256, 78, 255, 0}},
        {7, {0, uint16(-12800), uint16(-1), 0}, 3, {0, 0, 128, 0}},
        {7, {5000, 99, uint16(-199), 0}, 3, {128, 128, 127, 0}},
        {8, {5000, 1, 2, 3}, 4, {128, 0, 0, 0}},
        {8, {10000, 0, 0, 0}, 4, {256, 0, 0, 0}},
    };
    UseImage(1, 1, 3, plugInModeLabColor);
    for (const SwatchCase& c : cases) {
        SwatchColor swatch{c.id, {c.c[0], c.c[1], c.c[2], c.c[3]}};
        uint8 out[4] = {};
        Requests().clear();
        EXPECT_TRUE(engine.ConvertSwatchColor(swatch, out));
        ASSERT_EQ(Requests().size(), 1u);
        EXPECT_EQ(Requests()[0].selector, 1);
        EXPECT_EQ(Requests()[0].sourceSpace, c.space) << "id " << c.id;
        EXPECT_EQ(Requests()[0].resultSpace, 3);
        EXPECT_EQ(Components(Requests()[0]), c.sent) << "id " << c.id;
    }
}

// A host whose colour services cannot convert (or that has none): RGB and gray images get exactly the bytes our
// own host's conversion gives for the same request, for settings colours and every swatch model.
TEST_F(ColorConversion, WhenTheHostCannotConvertRgbAndGrayImagesGetTheHostsOwnConversions)
{
    const SwatchColor swatches[] = {
        {kSwatchRGB, {65535, 32768, 255, 0}},    {kSwatchHSB, {43690, 40000, 50000, 0}},
        {kSwatchCMYK, {0, 65535, 30000, 60000}}, {kSwatchLab, {5000, uint16(-3000), 4000, 0}},
        {kSwatchGray, {2500, 0, 0, 0}},
    };
    const uint16 fill[3] = {40000, 20000, 3000};
    for (const bool withCallback : {true, false}) {
        for (const int16 mode : {plugInModeRGBColor, plugInModeGrayScale}) {
            UseImage(1, 1, mode == plugInModeGrayScale ? 1 : 3, mode);
            engine.conversions = ConversionCache{};
            if (!withCallback)
                record.colorServices = nullptr;
            Answer() = [](ColorServicesInfo&) { return OSErr(errPlugInHostInsufficient); };
            const int16 space = engine.ImageColorSpace();
            const auto expect = [&](int16 source, HostColor sent, const uint8 out[4], const char* what) {
                ASSERT_EQ(vendrel::convertHostColor(source, space, sent), noErr);
                for (int i = 0; i < 4; ++i)
                    EXPECT_EQ(out[i], uint8(sent[size_t(i)] & 0xFF))
                        << what << " into space " << space << " channel " << i << " callback " << withCallback;
            };
            uint8 out[4] = {};
            ASSERT_TRUE(engine.ConvertRGB(fill, out));
            expect(plugIncolorServicesRGBSpace, {156, 78, 11, 0}, out, "fill colour");
            for (const SwatchColor& swatch : swatches) {
                Requests().clear();
                ASSERT_TRUE(engine.ConvertSwatchColor(swatch, out)) << swatch.colorSpace;
                if (withCallback) {
                    ASSERT_EQ(Requests().size(), 1u);
                    const ColorServicesInfo& asked = Requests()[0];
                    expect(asked.sourceSpace,
                           {asked.colorComponents[0], asked.colorComponents[1], asked.colorComponents[2],
                            asked.colorComponents[3]},
                           out, "swatch");
                }
            }
        }
    }

    // No own conversion into the other modes: the bytes stay as they were.
    UseImage(1, 1, 4, plugInModeCMYKColor);
    Answer() = [](ColorServicesInfo&) { return OSErr(errPlugInHostInsufficient); };
    uint8 kept[4] = {1, 2, 3, 4};
    EXPECT_FALSE(engine.ConvertRGB(fill, kept));
    EXPECT_EQ(std::vector<uint8>(kept, kept + 4), (std::vector<uint8>{1, 2, 3, 4}));
}

TEST_F(ColorConversion, SwatchOfAnUnknownModelIsNotSentAndChangesNothing)
{
    UseImage(1, 1, 3);
    for (uint16 id : {3, 4, 5, 6, 9, 65535}) {
        SwatchColor swatch{id, {1, 2, 3, 4}};
        uint8 out[4] = {5, 6, 7, 8};
        EXPECT_FALSE(engine.ConvertSwatchColor(swatch, out));
        EXPECT_EQ(std::vector<uint8>(out, out + 4), (std::vector<uint8>{5, 6, 7, 8}));
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ColorConversion, PickerAsksInRgbOrTheImageSpaceAndKeepsTheColourWhenCancelled)
{
    UseImage(1, 1, 4, plugInModeCMYKColor);
    Answer() = [](ColorServicesInfo& info) {
        info.colorComponents[0] = 10;
        info.colorComponents[1] = 20;
        info.colorComponents[2] = 30;
        info.colorComponents[3] = 0;
        return OSErr(noErr);
    };
    uint8 color[4] = {200, 201, 202, 203};
    EXPECT_TRUE(engine.PickColor(color, true));
    const ColorServicesInfo request = Requests().back();
    EXPECT_EQ(request.selector, 0);
    EXPECT_EQ(request.sourceSpace, 0);
    EXPECT_EQ(request.resultSpace, 0);
    EXPECT_EQ(request.selectorParameter.pickerPrompt, nullptr);
    EXPECT_EQ(Components(request), (std::vector<int16>{200, 201, 202, 203}));
    EXPECT_EQ(std::vector<uint8>(color, color + 4), (std::vector<uint8>{10, 20, 30, 0}));

    EXPECT_TRUE(engine.PickColor(color, false));
    EXPECT_EQ(Requests().back().resultSpace, 2);

    Answer() = [](ColorServicesInfo&) { return OSErr(userCanceledErr); };
    uint8 kept[4] = {1, 2, 3, 4};
    EXPECT_FALSE(engine.PickColor(kept, true));
    EXPECT_EQ(std::vector<uint8>(kept, kept + 4), (std::vector<uint8>{1, 2, 3, 4}));
}

} // namespace
} // namespace vendrel::test

// Flats must keep their colours exactly: a batch writes JPEG inputs as PNG unless asked for a format, and a run
// asked to write JPEG says that the areas' colours will not survive.
#include <set>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class LossyOutputsTest : public CommandTest {};

// The colours of an image's pixels.
std::set<std::array<uint8_t, 3>> coloursOf(const HostImage& image)
{
    std::set<std::array<uint8_t, 3>> colours;
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            colours.insert({p[0], p[1], p[2]});
        }
    }
    return colours;
}

TEST_F(LossyOutputsTest, ABatchWritesJpegInputsAsPngAndSaysSo)
{
    saveImage(drawLineArt(), file("page.jpg"));
    saveImage(drawLineArt(), file("other.png"));
    const std::vector<std::string> settings = {"--tolerance",     "60",        "--flats",    "--palette",
                                               "Flatting 24.aco", "--presets", presetsFolder};
    std::vector<std::string> batch = {"run", file("page.jpg"), file("other.png"), "--output-dir", file("out")};
    batch.insert(batch.end(), settings.begin(), settings.end());
    const CommandResult result = vendrel(batch);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("1 JPEG input written as PNG"), std::string::npos) << result.err;
    EXPECT_FALSE(fileExists(file("out/page.jpg")));
    ASSERT_TRUE(fileExists(file("out/page.png")));
    EXPECT_TRUE(fileExists(file("out/other.png")));

    // The PNG is the single run's result to the byte; JPEG would have scattered the areas' few colours.
    std::vector<std::string> single = {"run", file("page.jpg"), "-o", file("single.png")};
    single.insert(single.end(), settings.begin(), settings.end());
    ASSERT_EQ(vendrel(single).exitCode, 0);
    EXPECT_EQ(readBytes(file("out/page.png")), readBytes(file("single.png")));
    EXPECT_LE(coloursOf(loadImage(file("out/page.png"))).size(), 24u);

    std::vector<std::string> asked = {"run", file("page.jpg"), "--output-dir", file("asked"), "--format", "jpg"};
    asked.insert(asked.end(), settings.begin(), settings.end());
    const CommandResult askedResult = vendrel(asked);
    ASSERT_EQ(askedResult.exitCode, 0) << askedResult.err;
    EXPECT_TRUE(fileExists(file("asked/page.jpg")));
    EXPECT_EQ(askedResult.err.find("written as PNG"), std::string::npos) << askedResult.err;
}

TEST_F(LossyOutputsTest, ARunAskedForJpegWarnsThatTheColoursWillNotSurvive)
{
    saveImage(drawLineArt(), file("page.png"));
    for (const auto& [output, warns] : {std::pair{"out.jpg", true}, std::pair{"out.JPEG", true},
                                        std::pair{"out.png", false}, std::pair{"out.tif", false}}) {
        SCOPED_TRACE(output);
        const CommandResult result = vendrel({"run", file("page.png"), "-o", file(output), "--tolerance", "60"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err.find("warning") != std::string::npos && result.err.find("JPEG") != std::string::npos,
                  warns)
            << result.err;
    }
}

} // namespace
} // namespace vendrel::test

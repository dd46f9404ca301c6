// Grey scans through the built command: the flatting stages take a grayscale input as RGB unasked, saying so,
// and --close-gaps 0 means no gap closing.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class GreyScansTest : public CommandTest {
protected:
    CommandResult run(const std::string& output, std::vector<std::string> extra)
    {
        std::vector<std::string> arguments = {
            "run",       file("grey.png"),  "-o",        file(output), "--tolerance", "60",
            "--palette", "Flatting 24.aco", "--presets", presetsFolder};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return vendrel(arguments);
    }
};

// A stage on: the run gives the bytes of the same run with --convert, and a note says why; no stage: the image
// is refused as before, naming --convert.
TEST_F(GreyScansTest, FlattingStagesTakeAGreyScanAsRgb)
{
    saveImage(drawLineArt(plugInModeGrayScale), file("grey.png"));
    ASSERT_FALSE(loadImage(file("grey.png"), ImageLoadOptions{true}).pixels.empty());
    for (const std::vector<std::string>& stage :
         {std::vector<std::string>{"--flats"}, std::vector<std::string>{"--close-gaps", "4"},
          std::vector<std::string>{"--distinct"}}) {
        SCOPED_TRACE(stage.front());
        const CommandResult unasked = run("unasked.png", stage);
        ASSERT_EQ(unasked.exitCode, 0) << unasked.err;
        EXPECT_NE(unasked.err.find("turned into 8-bit RGB for the flatting stages"), std::string::npos) << unasked.err;
        std::vector<std::string> asked = stage;
        asked.push_back("--convert");
        ASSERT_EQ(run("asked.png", asked).exitCode, 0);
        EXPECT_EQ(readBytes(file("unasked.png")), readBytes(file("asked.png")));
    }
    const CommandResult plain = run("plain.png", {});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_NE(plain.err.find("--convert"), std::string::npos) << plain.err;
    EXPECT_FALSE(fileExists(file("plain.png")));
}

TEST_F(GreyScansTest, CloseGapsZeroMeansNone)
{
    saveImage(drawLineArt(), file("grey.png"));
    ASSERT_EQ(run("without.png", {}).exitCode, 0);
    const CommandResult zero = run("zero.png", {"--close-gaps", "0"});
    ASSERT_EQ(zero.exitCode, 0) << zero.err;
    EXPECT_EQ(readBytes(file("zero.png")), readBytes(file("without.png")));
}

} // namespace
} // namespace vendrel::test

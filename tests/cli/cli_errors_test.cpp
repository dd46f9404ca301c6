// The command's answers to wrong use: exit status 2 for the command line, 1 for files and modes.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class ErrorTest : public CommandTest {
protected:
    void SetUp() override { saveImage(drawLineArt(), file("art.png")); }

    // Runs a command that must fail with the status given, with one line on stderr naming what is at fault.
    void expectRefused(const std::vector<std::string>& arguments, int exitCode, const std::string& named)
    {
        CommandResult run = vendrel(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_NE(run.err.find(named), std::string::npos) << "stderr: " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_FALSE(fileExists(file("out.png"))) << "nothing may be written";
    }
};

TEST_F(ErrorTest, BadSettingValuesNameTheirOption)
{
    std::string in = file("art.png"), out = file("out.png");
    expectRefused({"run", in, "-o", out, "--tolerance", "ten"}, 2, "--tolerance");
    expectRefused({"run", in, "-o", out, "--tolerance", "99999999999"}, 2, "--tolerance");
    expectRefused({"run", in, "-o", out, "--fillcolor", "12345G"}, 2, "--fillcolor");
    expectRefused({"run", in, "-o", out, "--flagcolor", "#FFF"}, 2, "--flagcolor");
    expectRefused({"run", in, "-o", out, "--joinsize", ""}, 2, "--joinsize");
    expectRefused({"run", in, "-o", out, "--palette", "No Such Palette"}, 2, "--palette");
    expectRefused({"run", in, "-o", out, "--palette", file("missing/x.aco")}, 2, "--palette");
}

TEST_F(ErrorTest, UnknownAndMissingOptionsAreUsageErrors)
{
    std::string in = file("art.png"), out = file("out.png");
    expectRefused({"run", in, "-o", out, "--tolerence", "5"}, 2, "--tolerence");
    expectRefused({"run", in}, 2, "--output");
    expectRefused({"run", in, "-o", file("out.bmpx")}, 2, "out.bmpx");
    expectRefused({"run", in, "-o", out, "--action", file("none.json")}, 2, "--action");
    expectRefused({"nosuchcommand"}, 2, "nosuchcommand");
}

TEST_F(ErrorTest, GrayscaleIsRefusedWithTheSupportedModesUnlessConverted)
{
    HostImage gray = HostImage::blank(8, 8, plugInModeGrayScale);
    std::fill(gray.pixels.begin(), gray.pixels.end(), 255);
    saveImage(gray, file("gray.png"));
    CommandResult refused = vendrel({"run", file("gray.png"), "-o", file("out.png")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Grayscale"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("RGB, CMYK"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--convert"), std::string::npos) << refused.err;
    EXPECT_FALSE(fileExists(file("out.png")));

    CommandResult converted = vendrel({"run", file("gray.png"), "-o", file("out.png"), "--convert", "--randomcolors"});
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    HostImage output = loadImage(file("out.png"));
    EXPECT_EQ(output.mode, plugInModeRGBColor);
    EXPECT_NE(std::vector<uint8_t>(output.pixel(0, 0), output.pixel(0, 0) + 3), (std::vector<uint8_t>{255, 255, 255}))
        << "the white image was filled";
}

TEST_F(ErrorTest, MissingAndBrokenInputsAreFileFailures)
{
    expectRefused({"run", file("missing.png"), "-o", file("out.png")}, 1, "missing.png");
    writeBytes(file("broken.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13});
    expectRefused({"run", file("broken.png"), "-o", file("out.png")}, 1, "broken.png");
}

TEST_F(ErrorTest, AnOutputFolderThatDoesNotExistIsAFileFailure)
{
    CommandResult run = vendrel({"run", file("art.png"), "-o", file("no/such/out.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no/such/out.png"), std::string::npos) << run.err;
}

} // namespace
} // namespace vendrel::test

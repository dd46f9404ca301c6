// GIMP palettes (.gpl) on the command line, end to end through the built command: accepted wherever a swatch file
// is, giving the run the swatch file of the same colours gives, with messages that name the user's own file.
#include <filesystem>

#include "cli_fixture.h"
#include "swatch_file_bytes.h"

namespace vendrel::test {
namespace {

const char* const kGimpPalette = "GIMP Palette\n"
                                 "Name: Mine\n"
                                 "Columns: 3\n"
                                 "# three colours\n"
                                 "240 128 128\tRose\n"
                                 " 128 240 128  Mint\n"
                                 "128 128 240\n";

std::vector<uint8_t> textBytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

class GimpPaletteTest : public CommandTest {
protected:
    CommandResult run(const std::string& palette, const std::string& presets, const std::string& output)
    {
        return vendrel({"run", file("page.png"), "-o", file(output), "--tolerance", "60", "--palette", palette,
                        "--presets", presets});
    }
};

// However it is named, the .gpl gives the bytes the .aco of its colours gives.
TEST_F(GimpPaletteTest, AGimpPaletteGivesTheRunOfTheSwatchFileOfItsColours)
{
    saveImage(drawLineArt(), file("page.png"));
    const std::string presets = file("presets");
    std::filesystem::create_directories(presets + "/Color Swatches");
    std::filesystem::create_directories(file("elsewhere/Color Swatches"));
    writeBytes(presets + "/Color Swatches/Same.aco", swatchFileBytes({{0, {240 * 257, 128 * 257, 128 * 257, 0}, u""},
                                                                      {0, {128 * 257, 240 * 257, 128 * 257, 0}, u""},
                                                                      {0, {128 * 257, 128 * 257, 240 * 257, 0}, u""}},
                                                                     false));
    writeBytes(presets + "/Color Swatches/Mine.gpl", textBytes(kGimpPalette));
    writeBytes(file("Loose.gpl"), textBytes(kGimpPalette));
    writeBytes(file("elsewhere/Color Swatches/Kept.gpl"), textBytes(kGimpPalette));
    ASSERT_EQ(run("Same.aco", presets, "expected.png").exitCode, 0);
    const std::vector<uint8_t> expected = readBytes(file("expected.png"));
    ASSERT_FALSE(expected.empty());

    for (const std::string& palette :
         {std::string("Mine.gpl"), std::string("Mine"), file("Loose.gpl"), file("elsewhere/Color Swatches/Kept.gpl")}) {
        SCOPED_TRACE(palette);
        const CommandResult result = run(palette, presets, "out.png");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(readBytes(file("out.png")), expected);
    }
}

// An empty palette falls back to random colours with a note naming the user's file, never a copy of it; a line
// that is no colour is refused, naming the file and the line, and nothing is written.
TEST_F(GimpPaletteTest, MessagesNameTheUsersOwnFile)
{
    saveImage(drawLineArt(), file("page.png"));
    writeBytes(file("Empty.gpl"), textBytes("GIMP Palette\nName: Empty\n"));
    const CommandResult empty = run(file("Empty.gpl"), presetsFolder, "empty.png");
    ASSERT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_NE(empty.err.find("note: " + file("Empty.gpl") + ": no colours read"), std::string::npos) << empty.err;
    EXPECT_EQ(empty.err.find("vendrel-palette-"), std::string::npos) << empty.err;

    writeBytes(file("Broken.gpl"), textBytes("GIMP Palette\n255 0 0 Red\n255 zero 0 Broken\n"));
    const CommandResult broken = run(file("Broken.gpl"), presetsFolder, "broken.png");
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_NE(broken.err.find(file("Broken.gpl") + ": line 3"), std::string::npos) << broken.err;
    EXPECT_FALSE(fileExists(file("broken.png")));

    // The same holds for a swatch file copied for the run.
    writeBytes(file("empty.aco"), swatchFileBytes({}, false));
    const CommandResult copied = run(file("empty.aco"), presetsFolder, "copied.png");
    ASSERT_EQ(copied.exitCode, 0) << copied.err;
    EXPECT_NE(copied.err.find("note: " + file("empty.aco") + ": no colours read"), std::string::npos) << copied.err;
}

} // namespace
} // namespace vendrel::test

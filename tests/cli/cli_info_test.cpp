// The informational commands: info, about, palettes, dialog.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class InfoTest : public CommandTest {};

TEST_F(InfoTest, InfoListsTheModulesDeclarations)
{
    CommandResult run = vendrel({"info"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Orvik > Vendrel..."), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("RGB, CMYK"), std::string::npos) << run.out;
    for (const char* name : {"--flagcolor", "--fillcolor", "--palette", "--tolerance", "--randomcolors",
                             "--measurearea", "--flagareas", "--joinareas", "--flagsize", "--joinsize"}) {
        EXPECT_NE(run.out.find(name), std::string::npos) << name;
    }
}

TEST_F(InfoTest, AboutTextReachesTheTerminalInUtf8)
{
    CommandResult run = vendrel({"about"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Photoshop\xC2\xAE"), std::string::npos) << "the registered sign in UTF-8: " << run.out;
    EXPECT_EQ(run.out.find('\xA8'), std::string::npos) << "no Mac OS Roman byte left";
    EXPECT_EQ(run.out.rfind("Vendrel\nA multi flood filter", 0), 0u) << "the About text, said once: " << run.out;
}

TEST_F(InfoTest, PalettesListsTheBundledSwatchFilesWithTheirColours)
{
    CommandResult run = vendrel({"palettes", "--presets", presetsFolder});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Flatting 24.aco: 24 colours"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Pastels.aco: 12 colours"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("#F0A8A8"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Rose"), std::string::npos) << run.out;
}

TEST_F(InfoTest, PalettesOfAFolderWithoutSwatchesIsAFailure)
{
    CommandResult run = vendrel({"palettes", "--presets", work.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Color Swatches"), std::string::npos) << run.err;
}

TEST_F(InfoTest, DialogIsDrawnIntoAPngAndChangesNoSettings)
{
    CommandResult run =
        vendrel({"dialog", "--png", file("dialog.png"), "--tolerance", "33", "--presets", presetsFolder});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HostImage picture = loadImage(file("dialog.png"));
    EXPECT_GT(picture.width, 100);
    EXPECT_GT(picture.height, 100);
    EXPECT_TRUE(std::filesystem::is_empty(config.path())) << "a cancelled dialog writes no preferences";
}

TEST_F(InfoTest, AboutBoxIsDrawnAtItsOwnSize)
{
    CommandResult run = vendrel({"about", "--png", file("about.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HostImage picture = loadImage(file("about.png"));
    EXPECT_EQ(picture.width, 440);
    EXPECT_EQ(picture.height, 230);
}

} // namespace
} // namespace vendrel::test

// The command's image codecs, and libvips with them, are loaded from libvendrel-image-codecs.so only when a run
// reads or writes an image other than a plain PNG (8-bit RGB, which the command reads and writes itself); without
// the library such a run fails, naming it.
#include <filesystem>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCodecsLibrary = "libvendrel-image-codecs.so";

class ImageCodecsTest : public CommandTest {};

TEST_F(ImageCodecsTest, OnlyARunWithAnImageLoadsTheImageLibraries)
{
    // The dynamic loader names every library it loads when LD_DEBUG asks it to.
    const std::map<std::string, std::string> loads = {{"LD_DEBUG", "files"}};
    const std::vector<std::vector<std::string>> imageless = {
        {"--help"}, {"palettes", "--presets", presetsFolder}, {"info"}};
    for (const std::vector<std::string>& arguments : imageless) {
        SCOPED_TRACE(arguments.front());
        const CommandResult run = vendrel(arguments, loads);
        ASSERT_NE(run.err.find("file="), std::string::npos) << "LD_DEBUG said nothing";
        EXPECT_EQ(run.err.find("libvips"), std::string::npos) << run.err.substr(0, 4000);
        EXPECT_EQ(run.err.find(kCodecsLibrary), std::string::npos);
    }

    saveImage(drawLineArt(), file("art.png"));
    const CommandResult plain = vendrel({"run", file("art.png"), "-o", file("out.png"), "--flats"}, loads);
    ASSERT_EQ(plain.exitCode, 0) << plain.err.substr(0, 2000);
    EXPECT_EQ(plain.err.find("libvips"), std::string::npos) << "a plain PNG run started the image library";
    EXPECT_EQ(plain.err.find(kCodecsLibrary), std::string::npos);

    const CommandResult run = vendrel({"run", file("art.png"), "-o", file("out.tif")}, loads);
    ASSERT_EQ(run.exitCode, 0) << run.err.substr(0, 2000);
    EXPECT_NE(run.err.find(kCodecsLibrary), std::string::npos);
    EXPECT_NE(run.err.find("libvips.so"), std::string::npos);
}

TEST_F(ImageCodecsTest, ACommandWithoutTheLibraryFailsAnImageRunNamingItAndWritesNothing)
{
    saveImage(drawLineArt(), file("art.png"));
    const std::vector<std::string> settings = {"--tolerance",     "40",        "--palette",
                                               "Flatting 24.aco", "--presets", presetsFolder};
    std::vector<std::string> reference = {"run", file("art.png"), "-o", file("reference.tif")};
    reference.insert(reference.end(), settings.begin(), settings.end());
    const CommandResult built = vendrel(reference);
    ASSERT_EQ(built.exitCode, 0) << built.err;

    // A copy of the command in a folder of its own finds the filter module where it was built, but no image
    // library: neither beside it nor under the prefix above it.
    fs::create_directories(file("copy/bin"));
    const std::string copy = file("copy/bin/vendrel");
    fs::copy_file(VENDREL_CLI_PATH, copy);
    std::vector<std::string> arguments = {"run", file("art.png"), "-o", file("copy/out.tif")};
    arguments.insert(arguments.end(), settings.begin(), settings.end());
    const std::map<std::string, std::string> environment = {{"XDG_CONFIG_HOME", config.path()}};

    const CommandResult missing = runVendrel(arguments, environment, {}, copy);
    EXPECT_TRUE(missing.exitCode == 1 || missing.exitCode == 2) << missing.exitCode << " " << missing.err;
    EXPECT_NE(missing.err.find(std::string("the image library ") + kCodecsLibrary + " cannot be loaded ("),
              std::string::npos)
        << missing.err;
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos) << "dlerror's reason: " << missing.err;
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(file("copy"))) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"bin"}) << "a failed run leaves no file";

    // A plain PNG needs no image library.
    std::vector<std::string> plain = {"run", file("art.png"), "-o", file("copy/out.png")};
    plain.insert(plain.end(), settings.begin(), settings.end());
    const CommandResult withoutLibrary = runVendrel(plain, environment, {}, copy);
    ASSERT_EQ(withoutLibrary.exitCode, 0) << withoutLibrary.err;
    EXPECT_TRUE(loadImage(file("copy/out.png")).pixels == loadImage(file("reference.tif")).pixels);

    // Beside the command the library is found.
    fs::copy_file(VENDREL_IMAGE_CODECS_PATH, file(std::string("copy/bin/") + kCodecsLibrary));
    const CommandResult found = runVendrel(arguments, environment, {}, copy);
    ASSERT_EQ(found.exitCode, 0) << found.err;
    EXPECT_TRUE(loadImage(file("copy/out.tif")).pixels == loadImage(file("reference.tif")).pixels);
}

} // namespace
} // namespace vendrel::test

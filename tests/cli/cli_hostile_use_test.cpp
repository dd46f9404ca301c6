// The command under careless or hostile use: one test per kind of fault. Nothing a run was not asked to write
// is touched, nothing is half written, nothing hangs, and nothing is dropped without a word.
#include <sys/stat.h>

#include <csignal>
#include <vips/vips8>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

const std::vector<uint8_t> keep = {'k', 'e', 'e', 'p'};

class HostileUseTest : public CommandTest {
protected:
    void SetUp() override { saveImage(drawLineArt(), file("art.png")); }

    // A run that must be refused with the status given and a message naming what is at fault, leaving the work
    // folder as it was.
    void expectRefused(const std::vector<std::string>& arguments, int exitCode, const std::string& named)
    {
        std::vector<std::string> before = work.entries();
        CommandResult run = vendrel(arguments);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        EXPECT_NE(run.err.find(named), std::string::npos) << "stderr: " << run.err;
        EXPECT_EQ(work.entries(), before) << "a refused run changes no file: " << run.err;
    }
    std::vector<std::string> run(const std::string& output, std::vector<std::string> more = {})
    {
        std::vector<std::string> arguments = {"run", file("art.png"), "-o", file(output), "--tolerance", "10"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }
};

TEST_F(HostileUseTest, OnlyTheOutputAndTheRecordAreWrittenAndBothOrNeither)
{
    writeBytes(file("out.png"), keep);
    expectRefused(run("out.png", {"--record", file("art.png")}), 2, "--record");
    expectRefused(run("out.png", {"--record", work.path() + "/./out.png"}), 2, "--record");
    // The record's folder is missing: the output, though ready, is not put in place either.
    CommandResult failed = vendrel(run("out.png", {"--record", file("no/such/action.json")}));
    EXPECT_EQ(failed.exitCode, 1) << failed.err;
    EXPECT_EQ(readBytes(file("out.png")), keep);
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"art.png", "out.png"}));

    CommandResult done = vendrel(run("out.png", {"--record", file("action.json")}));
    ASSERT_EQ(done.exitCode, 0) << done.err;
    EXPECT_NE(readBytes(file("out.png")), keep);
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"action.json", "art.png", "out.png"})) << "no file besides";
}

TEST_F(HostileUseTest, OutputNamesAreTakenLiterallyAndOnlyKnownFormatsAreWritten)
{
    for (const char* name : {"flat.png[compression=9]", "flat.dz", "flat.csv", "flat.gif", "flat"}) {
        expectRefused(run(name), 2, name);
    }
    CommandResult literal = vendrel(run("flat[1].PNG"));
    ASSERT_EQ(literal.exitCode, 0) << literal.err;
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"art.png", "flat[1].PNG"}));
    EXPECT_EQ(loadImage(file("flat[1].PNG")).width, 60);
}

TEST_F(HostileUseTest, WhatTheOutputCannotHoldIsRefusedUnlessTheConversionIsAskedFor)
{
    saveImage(drawLineArt(plugInModeRGBColor, true), file("alpha.png"));
    expectRefused({"run", file("alpha.png"), "-o", file("out.jpg")}, 2, "--drop-alpha");
    ASSERT_EQ(vendrel({"run", file("alpha.png"), "-o", file("out.jpg"), "--drop-alpha"}).exitCode, 0);
    EXPECT_FALSE(loadImage(file("out.jpg")).hasAlpha);

    saveImage(drawLineArt(plugInModeCMYKColor), file("cmyk.tif"));
    expectRefused({"run", file("cmyk.tif"), "-o", file("cmyk.png")}, 2, "--to-rgb");
    ASSERT_EQ(vendrel({"run", file("cmyk.tif"), "-o", file("cmyk.png"), "--to-rgb"}).exitCode, 0);
    EXPECT_EQ(loadImage(file("cmyk.png")).mode, plugInModeRGBColor);

    // Two pages of the line art, one above the other.
    vips::VImage page = vips::VImage::new_from_file(file("art.png").c_str());
    vips::VImage pages = page.join(page, VIPS_DIRECTION_VERTICAL).copy();
    pages.set("page-height", page.height());
    pages.tiffsave(file("pages.tif").c_str());
    expectRefused({"run", file("pages.tif"), "-o", file("out.tif")}, 2, "--first-page");
    ASSERT_EQ(vendrel({"run", file("pages.tif"), "-o", file("out.tif"), "--first-page"}).exitCode, 0);
    EXPECT_EQ(loadImage(file("out.tif")).height, page.height());
}

TEST_F(HostileUseTest, OnlyRegularFilesAreReadAndNothingHangs)
{
    ASSERT_EQ(mkfifo(file("fifo").c_str(), 0600), 0);
    expectRefused({"run", file("fifo"), "-o", file("out.png")}, 1, "not a regular file");
    expectRefused({"run", "/dev/zero", "-o", file("out.png")}, 1, "not a regular file");
    expectRefused({"run", work.path(), "-o", file("out.png")}, 1, "not a regular file");
    expectRefused(run("out.png", {"--action", file("fifo")}), 2, "--action");

    // The swatch folder holds a FIFO and a folder that look like swatch files.
    TempFolder presets;
    std::filesystem::create_directories(presets.file("Color Swatches/folder.aco"));
    ASSERT_EQ(mkfifo(presets.file("Color Swatches/fifo.aco").c_str(), 0600), 0);
    CommandResult listed = vendrel({"palettes", "--presets", presets.path()});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("fifo.aco: unreadable"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("folder.aco: unreadable"), std::string::npos) << listed.out;
    writeBytes(file("fifo.json"), std::vector<uint8_t>{'{', '"', 'p', 'a', 'l', 'e', 't', 't', 'e', '"', ':',
                                                       '"', 'f', 'i', 'f', 'o', '.', 'a', 'c', 'o', '"', '}'});
    CommandResult played = vendrel(run("out.png", {"--action", file("fifo.json"), "--presets", presets.path()}));
    EXPECT_EQ(played.exitCode, 0) << played.err;
    EXPECT_NE(played.err.find("random colours"), std::string::npos) << played.err;

    // A preferences file that is a FIFO: the dialog opens with the defaults.
    ASSERT_EQ(mkfifo(config.file("Vendrel Prefs").c_str(), 0600), 0);
    EXPECT_EQ(vendrel(run("dialog.png", {"--dialog"})).exitCode, 0);
}

TEST_F(HostileUseTest, PreferencesAreReplacedWholeAndAFileCutShortReadsAsMissing)
{
    auto dialogRun = [&](const std::string& output, std::vector<std::string> options = {}) {
        std::vector<std::string> arguments = {"run",      file("art.png"), "-o",         file(output),
                                              "--dialog", "--presets",     presetsFolder};
        arguments.insert(arguments.end(), options.begin(), options.end());
        CommandResult result = vendrel(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return loadImage(file(output)).pixels;
    };
    std::vector<uint8_t> defaults = dialogRun("defaults.png");
    std::vector<uint8_t> confirmed = dialogRun("confirmed.png", {"--fillcolor", "000000", "--palette", "Pastels"});
    EXPECT_EQ(config.entries(), (std::vector<std::string>{"Vendrel Prefs"})) << "no temporary file is left";
    EXPECT_EQ(dialogRun("again.png"), confirmed) << "the whole file is read";

    // Cut right after the black fill colour, and before the palette line's line end: either reads as no file.
    std::vector<uint8_t> whole = readBytes(config.file("Vendrel Prefs"));
    std::string text(whole.begin(), whole.end());
    ASSERT_EQ(text.find(" 0 0 0 "), 12u) << text;
    for (size_t cut : {text.find(" 0 0 0 ") + 6, text.size() - 1}) {
        writeBytes(config.file("Vendrel Prefs"), std::vector<uint8_t>(whole.begin(), whole.begin() + long(cut)));
        EXPECT_EQ(dialogRun("cut.png"), defaults) << "cut at " << cut;
    }
}

TEST_F(HostileUseTest, ASignalLeavesEveryTargetAsItWasOrTheRunFinishes)
{
    writeBytes(file("out.png"), keep);
    const std::vector<std::string> before = {"art.png", "out.png"};
    // The files are written in full, then the signal comes before they are put in place.
    for (auto [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}, std::pair{SIGKILL, -1}}) {
        CommandResult killed = vendrel(run("out.png", {"--record", file("action.json")}),
                                       {{"VENDREL_TEST_SIGNAL_BEFORE_COMMIT", std::to_string(signal)}});
        EXPECT_EQ(killed.exitCode, status) << killed.err;
        EXPECT_EQ(readBytes(file("out.png")), keep) << "signal " << signal;
        EXPECT_EQ(work.entries(), before) << "signal " << signal << " left a file behind";
    }

    // A grid of 100 one-pixel areas to join above a white strip that gives them a colour. A pixel of the flag
    // colour beside the first keeps the joins from being made while the rows are painted: Ctrl-C at the first
    // abort check after the walk's last row comes in the join pass, which must hear it.
    HostImage grid = HostImage::blank(21, 23);
    for (int32_t y = 0; y < 23; ++y) {
        for (int32_t x = 0; x < 21; ++x) {
            std::fill_n(grid.pixel(x, y), 3, y > 20 || (x % 2 == 1 && y % 2 == 1) ? 255 : 0);
        }
    }
    const uint8_t magenta[] = {255, 0, 255};
    std::copy_n(magenta, 3, grid.pixel(1, 0));
    saveImage(grid, file("grid.png"));
    CommandResult joined = vendrel({"run", file("grid.png"), "-o", file("out.png"), "--joinareas", "--measurearea"},
                                   {{"VENDREL_TEST_INTERRUPT_AT_CHECK", "24"}});
    EXPECT_EQ(joined.exitCode, 130) << joined.err;
    EXPECT_EQ(readBytes(file("out.png")), keep);
}

TEST_F(HostileUseTest, ValuesOutsideTheirRangeNameTheirOptionOrKey)
{
    struct Case {
        std::vector<std::string> options;
        std::string named;
    };
    const Case cases[] = {
        {{"--tolerance", "65536"}, "--tolerance"},
        {{"--tolerance", "-1"}, "--tolerance"},
        {{"--flagsize", "-1"}, "--flagsize"},
        {{"--joinsize", "2147483648"}, "--joinsize"},
    };
    for (const Case& c : cases) {
        expectRefused(run("out.png", c.options), 2, c.named);
    }
    for (const char* action : {R"({"tolerance": 65536})", R"({"flagsize": -5})", R"({"joinsize": -1})"}) {
        std::string text = action;
        writeBytes(file("action.json"), std::vector<uint8_t>(text.begin(), text.end()));
        std::string key = text.substr(2, text.find('"', 2) - 2);
        expectRefused(run("out.png", {"--action", file("action.json")}), 2, "\"" + key + "\"");
    }
    CommandResult edges = vendrel({"run", file("art.png"), "-o", file("out.png"), "--tolerance", "65535", "--flagsize",
                                   "2147483647", "--flagareas"});
    EXPECT_EQ(edges.exitCode, 0) << edges.err;
}

TEST_F(HostileUseTest, PaletteNamesStayInTheSwatchFolderAndAnEmptyPaletteIsNoted)
{
    for (const char* name : {"../../../../etc/passwd", "..", "sub/../Pastels.aco", "a\\\\b.aco"}) {
        std::string text = std::string(R"({"palette": ")") + name + "\"}";
        writeBytes(file("action.json"), std::vector<uint8_t>(text.begin(), text.end()));
        expectRefused(run("out.png", {"--action", file("action.json")}), 2, "\"palette\"");
    }
    expectRefused(run("out.png", {"--palette", ".."}), 2, "--palette");
    expectRefused(run("out.png", {"--palette", "a\\b.aco"}), 2, "--palette");

    TempFolder presets;
    std::filesystem::create_directory(presets.file("Color Swatches"));
    writeBytes(presets.file("Color Swatches/empty.aco"), {});
    CommandResult noted = vendrel(run("out.png", {"--palette", "empty.aco", "--presets", presets.path()}));
    EXPECT_EQ(noted.exitCode, 0) << noted.err;
    EXPECT_NE(noted.err.find("empty.aco"), std::string::npos) << noted.err;
    EXPECT_NE(noted.err.find("random colours"), std::string::npos) << noted.err;
}

} // namespace
} // namespace vendrel::test

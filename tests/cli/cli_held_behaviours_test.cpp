// Behaviours of the command that nothing else holds: the permissions of written files, the paired commit of an
// image and its action, the join pass far from any usable colour, gap closing at its limit, and lone UTF-16
// surrogates in swatch names. Each test fails when its behaviour is broken.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "cli_fixture.h"
#include "swatch_file_bytes.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> keep = {'k', 'e', 'e', 'p'};

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The file mode creation mask of the processes started while it lives.
class Umask {
public:
    explicit Umask(mode_t mask) : former_(umask(mask)) {}
    ~Umask() { umask(former_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t former_;
};

class HeldBehaviours : public CommandTest {
protected:
    void SetUp() override { saveImage(drawLineArt(), file("art.png")); }
};

// A new file gets 0666 less the umask; a replaced file keeps its own mode. For every kind of file written.
TEST_F(HeldBehaviours, WrittenFilesGetTheUmasksModeAndReplacedFilesKeepTheirs)
{
    struct Writer {
        std::string what;
        std::string path; // the file written
        std::vector<std::string> arguments;
    };
    const std::string prefs = config.file("Vendrel Prefs");
    const Writer writers[] = {
        {"image", file("out.png"), {"run", file("art.png"), "-o", file("out.png")}},
        {"OpenRaster", file("out.ora"), {"run", file("art.png"), "-o", file("out.ora")}},
        {"action", file("action.json"), {"run", file("art.png"), "-o", file("x.png"), "--record", file("action.json")}},
        {"preferences", prefs, {"run", file("art.png"), "-o", file("x.png"), "--dialog"}},
        {"About picture", file("about.png"), {"about", "--png", file("about.png")}},
        {"dialog picture", file("dialog.png"), {"dialog", "--png", file("dialog.png")}},
    };
    for (const Writer& writer : writers) {
        for (mode_t mask : {mode_t(022), mode_t(077), mode_t(027)}) {
            SCOPED_TRACE(writer.what + " under umask 0" + std::to_string(mask >> 6) + std::to_string((mask >> 3) & 7) +
                         std::to_string(mask & 7));
            fs::remove(writer.path);
            CommandResult made;
            {
                Umask umask(mask);
                made = vendrel(writer.arguments);
            }
            ASSERT_EQ(made.exitCode, 0) << made.err;
            EXPECT_EQ(modeOf(writer.path), 0666 & ~mask);
        }
        SCOPED_TRACE(writer.what + " replaced");
        ASSERT_EQ(chmod(writer.path.c_str(), 0640), 0);
        const CommandResult replaced = vendrel(writer.arguments);
        ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
        EXPECT_EQ(modeOf(writer.path), mode_t(0640));
    }
}

// The image and its action are put in place together: when the action cannot be put in place (its folder vanished
// just before, or a file size limit stops it late) the run fails and the former image stays as it was.
TEST_F(HeldBehaviours, AnImageIsPutInPlaceOnlyWithItsWholeAction)
{
    writeBytes(file("out.png"), keep);
    fs::create_directory(file("records"));
    // The run stops itself once both files are written, before they are put in place; the folder goes meanwhile.
    std::unique_ptr<CommandProcess> run =
        start({"run", file("art.png"), "-o", file("out.png"), "--record", file("records/action.json")},
              {{"VENDREL_TEST_SIGNAL_BEFORE_COMMIT", std::to_string(SIGSTOP)}});
    ASSERT_TRUE(run->waitStopped());
    fs::remove(file("records"));
    run->signal(SIGCONT);
    const CommandResult vanished = run->wait();
    EXPECT_EQ(vanished.exitCode, 1) << vanished.err;
    EXPECT_NE(vanished.err.find("action.json"), std::string::npos) << vanished.err;
    EXPECT_EQ(readBytes(file("out.png")), keep);
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"art.png", "out.png"})) << "nothing left behind";

    // A one-pixel image's file is smaller than its action: a limit between the two stops the action alone.
    saveImage(HostImage::blank(1, 1), file("pixel.png")); // white: filled without a note
    fs::create_directory(file("records"));
    struct rlimit former {};
    getrlimit(RLIMIT_FSIZE, &former);
    struct rlimit limit = former;
    limit.rlim_cur = 150;
    setrlimit(RLIMIT_FSIZE, &limit);
    const CommandResult late =
        vendrel({"run", file("pixel.png"), "-o", file("out.png"), "--record", file("records/action.json")});
    setrlimit(RLIMIT_FSIZE, &former);
    EXPECT_EQ(late.exitCode, 1) << late.err;
    EXPECT_EQ(readBytes(file("out.png")), keep);
    EXPECT_TRUE(fs::is_empty(file("records")));
}

// A small area with no usable colour within 32 pixels takes the colour of the nearest usable pixel, here lying on
// the boundary of the join pass's 16 x 16 blocks or just inside it, with a rival a little farther.
TEST_F(HeldBehaviours, AnAreaFarFromAnyUsableColourJoinsTheNearestOne)
{
    struct Case {
        int32_t speckX, speckY;
        int32_t redX, redY;
        std::vector<std::pair<int32_t, int32_t>> green;
    };
    const Case cases[] = {
        {60, 60, 96, 60, {{96, 59}, {96, 61}}}, {60, 60, 60, 96, {{59, 96}, {61, 96}}},
        {67, 67, 31, 67, {{31, 66}, {31, 68}}}, {67, 67, 67, 31, {{66, 31}, {68, 31}}},
        {70, 50, 70, 95, {{69, 95}, {71, 95}}},
    };
    const uint8_t red[3] = {255, 0, 0}, green[3] = {0, 255, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE("speck at " + std::to_string(c.speckX) + "," + std::to_string(c.speckY));
        // Black, which no area colour can be, around one white pixel: the only area, and a small one.
        HostImage image = HostImage::blank(120, 120);
        std::fill(image.pixels.begin(), image.pixels.end(), 0);
        std::fill_n(image.pixel(c.speckX, c.speckY), 3, 255);
        std::copy_n(red, 3, image.pixel(c.redX, c.redY));
        for (const auto& [x, y] : c.green) {
            std::copy_n(green, 3, image.pixel(x, y));
        }
        // The nearest coloured pixel, worked out here from the distances alone.
        int64_t nearest = INT64_MAX;
        const uint8_t* expected = nullptr;
        for (int32_t y = 0; y < image.height; ++y) {
            for (int32_t x = 0; x < image.width; ++x) {
                const uint8_t* p = image.pixel(x, y);
                const bool coloured = (p[0] | p[1] | p[2]) != 0 && !(p[0] == 255 && p[1] == 255 && p[2] == 255);
                const int64_t squared = int64_t(x - c.speckX) * (x - c.speckX) + int64_t(y - c.speckY) * (y - c.speckY);
                if (coloured && squared < nearest) {
                    nearest = squared, expected = p;
                }
            }
        }
        ASSERT_GT(nearest, 32 * 32) << "the case must lie beyond the near search";
        const std::vector<uint8_t> want(expected, expected + 3);
        saveImage(image, file("speck.png"));
        const CommandResult run =
            vendrel({"run", file("speck.png"), "-o", file("joined.png"), "--joinareas", "--joinsize", "10"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const HostImage joined = loadImage(file("joined.png"));
        const uint8_t* speck = joined.pixel(c.speckX, c.speckY);
        EXPECT_EQ(std::vector<uint8_t>(speck, speck + 3), want);
    }
}

// A square outline three pixels thick whose top side has a gap of the given width, on white, large enough for
// the widest gap tried.
HostImage squareWithGap(int32_t gap)
{
    const int32_t side = 3 * gap + 40, size = side + 20;
    HostImage image = HostImage::blank(size, size);
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    const int32_t first = 10, last = 10 + side - 1, middle = (first + last) / 2;
    auto ink = [&](int32_t x, int32_t y) { std::fill_n(image.pixel(x, y), 3, 0); };
    for (int32_t i = first; i <= last; ++i) {
        for (int32_t t = 0; t < 3; ++t) {
            if (i < middle - gap / 2 || i >= middle - gap / 2 + gap) {
                ink(i, first + t);
            }
            ink(i, last - t), ink(first + t, i), ink(last - t, i);
        }
    }
    return image;
}

// --close-gaps N closes a gap of exactly N pixels and leaves one of N + 1 open.
TEST_F(HeldBehaviours, GapClosingClosesAGapOfExactlyItsWidth)
{
    for (int32_t n : {1, 2, 5, 9, 16, 30}) {
        for (int32_t gap : {n, n + 1}) {
            SCOPED_TRACE("gap " + std::to_string(gap) + " with --close-gaps " + std::to_string(n));
            const HostImage input = squareWithGap(gap);
            saveImage(input, file("square.png"));
            const CommandResult run = vendrel({"run", file("square.png"), "-o", file("closed.png"), "--close-gaps",
                                               std::to_string(n), "--randomcolors"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const HostImage output = loadImage(file("closed.png"));
            const int32_t centre = input.width / 2;
            const uint8_t *inside = output.pixel(centre, centre), *outside = output.pixel(0, 0);
            EXPECT_EQ(!std::equal(inside, inside + 3, outside), gap == n);
        }
    }
}

// A lone UTF-16 surrogate in a swatch name reads as U+FFFD and keeps the characters around it; a pair gives one
// four-byte character.
TEST_F(HeldBehaviours, LoneSurrogatesInSwatchNamesReadAsReplacementCharacters)
{
    struct Case {
        std::u16string units;
        std::string utf8;
    };
    const std::string replacement = "\xEF\xBF\xBD"; // U+FFFD
    const Case cases[] = {
        {u"a\xD800z", "a" + replacement + "z"},                     // a high surrogate before an ordinary unit
        {u"tail\xD83D", "tail" + replacement},                      // a high surrogate as the last unit
        {u"\xDC00low", replacement + "low"},                        // a low surrogate alone
        {u"x\xDE00\xD83Dy", "x" + replacement + replacement + "y"}, // low then high: neither is a pair
        {u"pair\xD83D\xDE00!", "pair\xF0\x9F\x98\x80!"},            // U+1F600 as a valid pair
    };
    TempFolder presets;
    fs::create_directory(presets.file("Color Swatches"));
    std::vector<SwatchRecord> records;
    for (const Case& c : cases) {
        records.push_back({0, {0x1000, 0x2000, 0x3000, 0}, c.units});
    }
    writeBytes(presets.file("Color Swatches/names.aco"), swatchFileBytes(records, true));
    const CommandResult listed = vendrel({"palettes", "--presets", presets.path()});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    for (const Case& c : cases) {
        EXPECT_NE(listed.out.find(" " + c.utf8 + "\n"), std::string::npos) << c.utf8 << " in\n" << listed.out;
    }
}

} // namespace
} // namespace vendrel::test

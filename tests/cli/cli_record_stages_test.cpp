// Recorded actions keep the flatting stages, end to end through the built command: a run replayed from the
// action it recorded writes the same bytes, for each stage.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

// A page on which every stage changes something: a tall area beside 30 stacked boxes (the palette in turn gives
// two neighbours one colour), a thick line with a one-pixel pocket in it and grey anti-aliasing beside it, and a
// square whose outline has a 4-pixel gap. Transparent: the paper is black and fully transparent, the ink opaque.
HostImage stagePage(bool transparent)
{
    HostImage image = HostImage::blank(120, 181, plugInModeRGBColor, transparent);
    auto paint = [&](int32_t x, int32_t y, uint8_t level) {
        uint8_t* p = image.pixel(x, y);
        p[0] = p[1] = p[2] = transparent ? 0 : level;
        if (transparent) {
            p[3] = uint8_t(255 - level);
        }
    };
    if (transparent) {
        for (int32_t y = 0; y < image.height; ++y) {
            for (int32_t x = 0; x < image.width; ++x) {
                paint(x, y, 255);
            }
        }
    }
    for (int32_t y = 0; y < image.height; ++y) {
        paint(20, y, 0);
        for (int32_t x = 60; x <= 62; ++x) {
            paint(x, y, 0);
        }
        paint(63, y, 128);
        if (y % 6 == 0) {
            for (int32_t x = 21; x < 60; ++x) {
                paint(x, y, 0);
            }
        }
    }
    paint(61, 50, 255);
    for (int32_t i = 70; i <= 110; ++i) {
        for (int32_t t = 0; t < 2; ++t) {
            if (i < 88 || i > 91) {
                paint(i, 20 + t, 0);
            }
            paint(i, 59 + t, 0), paint(70 + t, i - 50, 0), paint(109 + t, i - 50, 0);
        }
    }
    return image;
}

struct StageCase {
    std::vector<std::string> stages;
    bool transparent;
};

TEST(RecordStages, AReplayedActionWritesTheBytesOfTheRecordedRunForEachStage)
{
    const StageCase cases[] = {
        {{"--close-gaps", "6"}, false},
        {{"--merge-specks", "5"}, false},
        {{"--flats"}, false},
        {{"--distinct"}, false},
        {{"--paper", "transparent"}, true},
        {{"--fillcolor", "auto", "--tolerance", "auto", "--close-gaps", "6", "--merge-specks", "5", "--distinct",
          "--flats"},
         false},
    };
    TempFolder work, config;
    const std::map<std::string, std::string> environment = {{"XDG_CONFIG_HOME", config.path()}};
    for (const StageCase& c : cases) {
        std::string name;
        for (const std::string& word : c.stages) {
            name += word + " ";
        }
        SCOPED_TRACE(name);
        saveImage(stagePage(c.transparent), work.file("page.png"));
        const std::vector<std::string> common = {"run",       work.file("page.png"), "--palette", "Flatting 24.aco",
                                                 "--presets", presetsFolder};
        auto run = [&](const std::string& output, std::vector<std::string> extra) {
            std::vector<std::string> arguments = common;
            arguments.insert(arguments.end(), {"-o", work.file(output)});
            arguments.insert(arguments.end(), extra.begin(), extra.end());
            const CommandResult result = runVendrel(arguments, environment);
            EXPECT_EQ(result.exitCode, 0) << result.err;
            return readBytes(work.file(output));
        };
        std::vector<std::string> recording = c.stages;
        recording.insert(recording.end(), {"--record", work.file("action.json")});
        const std::vector<uint8_t> recorded = run("recorded.png", recording);
        ASSERT_FALSE(recorded.empty());
        EXPECT_NE(run("plain.png", {}), recorded) << "the stage made no difference to this page";
        EXPECT_EQ(run("replayed.png", {"--action", work.file("action.json")}), recorded);
    }
}

} // namespace
} // namespace vendrel::test

// The tolerance's scale as the help states it and as runs of the built command show it: 8-bit levels per
// channel, every colour matching above 254, and the accepted range kept.
#include <set>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class ToleranceScaleTest : public CommandTest {};

// The help says what a tolerance counts and where every colour matches, and keeps the range it accepts.
TEST_F(ToleranceScaleTest, TheHelpStatesTheScale)
{
    const CommandResult help = vendrel({"run", "--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    const size_t line = help.out.find("--tolerance");
    ASSERT_NE(line, std::string::npos);
    const std::string text = help.out.substr(line, help.out.find('\n', line) - line);
    EXPECT_NE(text.find("8-bit levels"), std::string::npos) << text;
    EXPECT_NE(text.find("above 254 every colour matches"), std::string::npos) << text;
    EXPECT_NE(text.find("range 0..65535"), std::string::npos) << text;
}

// A page of black lines on white with a mid-grey square: from 255 on, whatever the fill colour, the whole page is
// one area of one colour; at 254 with a white or black fill the lines' opposite stays as it was.
TEST_F(ToleranceScaleTest, AboveTwoHundredFiftyFourEveryColourMatches)
{
    HostImage page = drawLineArt();
    for (int32_t y = 25; y < 35; ++y) {
        for (int32_t x = 40; x < 50; ++x) {
            uint8_t* p = page.pixel(x, y);
            p[0] = p[1] = p[2] = 128;
        }
    }
    saveImage(page, file("page.png"));
    for (const std::string fill : {"FFFFFF", "000000", "808080"}) {
        for (const std::string tolerance : {"254", "255", "65535"}) {
            SCOPED_TRACE("--fillcolor " + fill + " --tolerance " + tolerance);
            const CommandResult result = vendrel(
                {"run", file("page.png"), "-o", file("out.png"), "--fillcolor", fill, "--tolerance", tolerance});
            ASSERT_EQ(result.exitCode, 0) << result.err;
            const HostImage out = loadImage(file("out.png"));
            std::set<std::array<uint8_t, 3>> colours;
            for (int32_t y = 0; y < out.height; ++y) {
                for (int32_t x = 0; x < out.width; ++x) {
                    const uint8_t* p = out.pixel(x, y);
                    colours.insert({p[0], p[1], p[2]});
                }
            }
            const bool everything = tolerance != "254" || fill == "808080";
            EXPECT_EQ(colours.size() == 1, everything) << colours.size() << " colours";
        }
    }
}

} // namespace
} // namespace vendrel::test

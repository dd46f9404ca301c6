// The paper found in the image, end to end through the built command: --fillcolor auto and --tolerance auto on
// generated scans (a paper tint, noise, lines with anti-aliased edges, hatching) and on transparent line art.
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_fixture.h"
#include "generated_scan.h"

namespace vendrel::test {
namespace {

using Colour = std::array<int, 3>;

struct PaperCase {
    const char* name;
    Scan scan;
    std::vector<std::string> extra;
    Colour paper; // the colour the paper was drawn in
};

class PaperTest : public CommandTest {};

// The chosen fill colour is the paper's tint within two levels, the chosen tolerance takes in every paper pixel
// and no ink pixel (worked out here from what the page was drawn as), both are said on stderr and recorded, and
// the run finds its areas.
TEST_F(PaperTest, AutoFindsThePapersColourAndAToleranceBetweenPaperAndInk)
{
    const PaperCase cases[] = {
        {"a warm grey scan", generatedScan({232, 228, 218}, 10), {}, {232, 228, 218}},
        {"a bluish scan with little noise", generatedScan({214, 222, 236}, 4), {}, {214, 222, 236}},
        {"transparent line art", generatedScan({0, 0, 0}, 0, true), {"--paper", "transparent"}, {255, 255, 255}},
    };
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.name);
        saveImage(c.scan.image, file("scan.png"));
        std::vector<std::string> arguments = {"run",  file("scan.png"), "-o",   file("flat.png"), "--fillcolor",
                                              "auto", "--tolerance",    "auto", "--record",       file("chosen.json")};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        const CommandResult result = vendrel(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;

        std::ifstream actionFile(file("chosen.json"));
        const nlohmann::json action = nlohmann::json::parse(actionFile);
        const Colour chosen = {action["fillcolor"]["red"].get<int>() / 257,
                               action["fillcolor"]["green"].get<int>() / 257,
                               action["fillcolor"]["blue"].get<int>() / 257};
        const int tolerance = action["tolerance"].get<int>();
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", chosen[0], chosen[1], chosen[2]);
        EXPECT_NE(result.err.find(std::string("--fillcolor auto: ") + hex), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("--tolerance auto: " + std::to_string(tolerance)), std::string::npos) << result.err;
        for (size_t ch = 0; ch < 3; ++ch) {
            EXPECT_NEAR(chosen[ch], c.paper[ch], 2) << "channel " << ch;
        }
        HostImage seen = c.scan.image;
        if (seen.hasAlpha) {
            seen = loadImage(file("flat.png")); // no paper pixel keeps its colour; the ink does
        }
        size_t paperOut = 0, inkIn = 0;
        for (int32_t y = 0; y < c.scan.image.height; ++y) {
            for (int32_t x = 0; x < c.scan.image.width; ++x) {
                const uint8_t* p = c.scan.image.pixel(x, y);
                const Colour colour =
                    c.scan.image.hasAlpha && p[3] == 0 ? c.paper : Colour{int(p[0]), int(p[1]), int(p[2])};
                bool inWindow = true;
                for (size_t ch = 0; ch < 3; ++ch) {
                    inWindow = inWindow && std::abs(colour[ch] - chosen[ch]) <= tolerance;
                }
                const bool paper = c.scan.paper[size_t(y) * size_t(c.scan.image.width) + size_t(x)];
                paperOut += paper && !inWindow;
                inkIn += !paper && inWindow;
            }
        }
        EXPECT_EQ(paperOut, 0u) << "paper pixels outside the window of tolerance " << tolerance;
        EXPECT_EQ(inkIn, 0u) << "ink pixels inside the window of tolerance " << tolerance;
    }
}

} // namespace
} // namespace vendrel::test

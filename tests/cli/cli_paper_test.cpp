// The paper found in the image, end to end through the built command: --fillcolor auto and --tolerance auto on
// generated scans (a paper tint, noise, lines with anti-aliased edges, hatching) and on transparent line art.
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

using Colour = std::array<int, 3>;

// A page as a scanner gives it, with what each pixel was drawn as: paper (true) or ink.
struct Scan {
    HostImage image;
    std::vector<bool> paper;
};

// Boxes with 3-pixel outlines of dark ink, a lighter anti-aliased pixel either side of each outline, diagonal
// hatching in grey inside one box, on paper of the given tint; every channel of every pixel is moved by up to
// noise levels, from a fixed sequence.
Scan generatedScan(const Colour& tint, int noise, bool transparent = false)
{
    const int32_t width = 160, height = 120;
    Scan scan{HostImage::blank(width, height, plugInModeRGBColor, transparent),
              std::vector<bool>(size_t(width) * size_t(height), true)};
    std::vector<int> drawn(size_t(width) * size_t(height), -1); // the level drawn, -1: paper
    auto box = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        for (int32_t y = top - 1; y <= bottom + 1; ++y) {
            for (int32_t x = left - 1; x <= right + 1; ++x) {
                const bool outline = x >= left && x <= right && y >= top && y <= bottom &&
                                     (x < left + 3 || x > right - 3 || y < top + 3 || y > bottom - 3);
                const bool edge = !outline && (x < left + 4 || x > right - 4 || y < top + 4 || y > bottom - 4);
                int& level = drawn[size_t(y) * size_t(width) + size_t(x)];
                level = outline ? 30 : edge ? std::max(level, 130) : level;
            }
        }
    };
    box(10, 10, 70, 60);
    box(80, 10, 150, 60);
    box(10, 70, 150, 110);
    for (int32_t y = 14; y < 57; ++y) {
        for (int32_t x = 84; x < 147; ++x) {
            if ((x + y) % 5 == 0) {
                drawn[size_t(y) * size_t(width) + size_t(x)] = 110;
            }
        }
    }
    uint32_t state = 12345;
    auto jitter = [&] {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % uint32_t(2 * noise + 1)) - noise;
    };
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            uint8_t* p = scan.image.pixel(x, y);
            scan.paper[i] = drawn[i] < 0;
            for (int c = 0; c < 3; ++c) {
                const int base = drawn[i] < 0 ? (transparent ? 0 : tint[size_t(c)]) : drawn[i];
                p[c] = uint8_t(std::clamp(base + (transparent ? 0 : jitter()), 0, 255));
            }
            if (transparent) {
                p[3] = drawn[i] < 0 ? 0 : 255;
            }
        }
    }
    return scan;
}

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

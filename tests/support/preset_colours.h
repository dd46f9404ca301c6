// The colours of the bundled presets, read from their readable lists rather than by any reader of ours.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vendrel::test {

// The colours of a preset as its readable list gives them (one "RRGGBB name" a line), not as any reader of ours.
inline std::vector<std::array<uint8_t, 3>> presetColours(const std::string& name)
{
    std::ifstream list(std::string(VENDREL_SOURCE_DIR) + "/presets/colors/" + name + ".txt");
    std::vector<std::array<uint8_t, 3>> colours;
    for (std::string line; std::getline(list, line);) {
        if (line.size() < 6 || line[0] == '#') {
            continue;
        }
        const unsigned long value = std::stoul(line.substr(0, 6), nullptr, 16);
        colours.push_back({uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
    }
    return colours;
}

} // namespace vendrel::test

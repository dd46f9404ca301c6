// The host's own reader of colour swatch files (.aco), for listing the palettes the filter can use.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel {

struct Swatch {
    uint16_t colorSpace = 0;              // 0 RGB, 1 HSB, 2 CMYK, 7 Lab, 8 grayscale
    std::array<uint16_t, 4> components{}; // as stored in the file
    std::string name;                     // UTF-8, from the file's second section; empty when it has none
};

// The colours of the file's first section in file order (the ones a filter run hands out), with the names
// of the second section when it lists the same colours. A file that does not start with a first section gives
// no colours; a section cut short gives the colours read whole. Throws HostError when the file cannot be read.
std::vector<Swatch> readSwatchFile(const std::string& path);

// A readable form of the colour: "#FFAA00" for RGB, "HSB 30° 50% 100%", "CMYK 0% 35% 100% 0%", "Lab 75 10 -20",
// "Gray 40%", or the raw numbers for a colour space the filter cannot use.
std::string describeSwatch(const Swatch& swatch);

// The names of the swatch files in a folder, as the filter's dialog offers them (an extension of exactly ".aco"),
// sorted. Empty when the folder does not exist.
std::vector<std::string> listSwatchFiles(const std::string& folder);

} // namespace vendrel

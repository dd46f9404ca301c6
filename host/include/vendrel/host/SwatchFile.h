// The host's own reader of colour swatch files (.aco), for listing the palettes the filter can use.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vendrel/colour/ColorConversion.h"

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

// A version-1 swatch file of RGB colours (at most 65535), each 8-bit channel v stored as v * 257: how palettes of
// other kinds (GIMP's) reach the filter.
std::vector<uint8_t> rgbSwatchFileBytes(const std::vector<std::array<uint8_t, 3>>& colours);

// A readable form of the colour: "#FFAA00" for RGB, "HSB 30° 50% 100%", "CMYK 0% 35% 100% 0%", "Lab 75 10 -20",
// "Gray 40%", or the raw numbers for a colour space the filter cannot use.
std::string describeSwatch(const Swatch& swatch);

// The colour as colour services take it: its colour-services space (RGB 0, HSB 1, CMYK 2, Lab 3, gray 4) and its
// components in the host's ranges (the file's 16-bit channels as 8-bit values, hue in degrees, lightness and
// gray from hundredths of a percent to 0..255, Lab a and b offset by 128); nothing for another colour space.
std::optional<std::pair<int16_t, HostColor>> hostColorOf(const Swatch& swatch);

// The largest swatch file read or handed to a run: both sections at their largest (65535 colours, each named
// with up to a few hundred characters).
constexpr uint64_t maxSwatchFileBytes = uint64_t(64) << 20;
// The part of a swatch file a filter run reads: the first section at its largest, two words then 65535
// records of ten bytes.
constexpr uint64_t swatchColourSectionBytes = 4 + 65535 * 10;

// The names of the swatch files in a folder, as the filter's dialog offers them (an extension of exactly ".aco"),
// sorted. Empty when the folder does not exist.
std::vector<std::string> listSwatchFiles(const std::string& folder);

} // namespace vendrel

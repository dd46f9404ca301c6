// GIMP palettes (.gpl): a text file of RGB colours, which the filter takes once written as a swatch file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel {

// Whether the file name names a GIMP palette (it ends in ".gpl", in any case).
bool isGimpPaletteName(const std::string& path);

// The colours of a GIMP palette in file order: after the "GIMP Palette" line, every line that is not empty, a
// comment (#) or a header ("Name:", "Columns:") holds a colour as three numbers from 0 to 255, then an optional
// name. Throws HostError naming the file (and the line) when it cannot be read or is not a GIMP palette.
std::vector<std::array<uint8_t, 3>> readGimpPalette(const std::string& path);

} // namespace vendrel

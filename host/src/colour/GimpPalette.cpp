#include "vendrel/host/GimpPalette.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

#include "vendrel/host/PluginModule.h"
#include "vendrel/host/RegularFile.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

// A GIMP palette is a few lines a colour: what a swatch file's largest first section holds is ample.
constexpr uint64_t maxGimpPaletteBytes = uint64_t(16) << 20;
constexpr size_t maxColours = 65535;

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool startsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

bool isGimpPaletteName(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".gpl";
}

std::vector<std::array<uint8_t, 3>> readGimpPalette(const std::string& path)
{
    const std::vector<uint8_t> bytes = readRegularFile(path, maxGimpPaletteBytes);
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    if (!std::getline(lines, line) || trimmed(line) != "GIMP Palette") {
        throw HostError(path + ": not a GIMP palette (its first line is not \"GIMP Palette\")");
    }
    std::vector<std::array<uint8_t, 3>> colours;
    for (size_t number = 2; std::getline(lines, line); ++number) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#' || startsWith(text, "Name:") || startsWith(text, "Columns:")) {
            continue;
        }
        std::istringstream fields(text);
        int channels[3] = {-1, -1, -1};
        fields >> channels[0] >> channels[1] >> channels[2];
        if (fields.fail() ||
            std::any_of(std::begin(channels), std::end(channels), [](int c) { return c < 0 || c > 255; })) {
            throw HostError(path + ": line " + std::to_string(number) +
                            ": a colour is three numbers from 0 to 255, then an optional name");
        }
        if (colours.size() == maxColours) {
            throw HostError(path + ": more than " + std::to_string(maxColours) + " colours");
        }
        colours.push_back({uint8_t(channels[0]), uint8_t(channels[1]), uint8_t(channels[2])});
    }
    return colours;
}

} // namespace vendrel

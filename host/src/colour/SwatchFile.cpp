// Colour swatch files: a big-endian version-1 section of colours, optionally followed by a version-2 section
// that repeats them with UTF-16 names.
#include "vendrel/host/SwatchFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Utf8.h"
#include "vendrel/host/RegularFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

class BigEndianReader {
public:
    explicit BigEndianReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool read16(uint16_t& value)
    {
        if (remaining() < 2) {
            return false;
        }
        value = uint16_t(bytes_[offset_] << 8 | bytes_[offset_ + 1]);
        offset_ += 2;
        return true;
    }
    bool read32(uint32_t& value)
    {
        uint16_t high = 0;
        uint16_t low = 0;
        if (remaining() < 4 || !read16(high) || !read16(low)) {
            return false;
        }
        value = uint32_t(high) << 16 | low;
        return true;
    }
    size_t remaining() const { return bytes_.size() - offset_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t offset_ = 0;
};

bool readColor(BigEndianReader& reader, Swatch& swatch)
{
    if (reader.remaining() < 10) {
        return false;
    }
    reader.read16(swatch.colorSpace);
    for (uint16_t& component : swatch.components) {
        reader.read16(component);
    }
    return true;
}

std::string utf16ToUtf8(const std::vector<uint16_t>& units)
{
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            unit = 0xFFFD;
        }
        appendUtf8(out, unit);
    }
    return out;
}

// A name: a 32-bit count of UTF-16 units, then the units; the last one is usually a terminating zero.
bool readName(BigEndianReader& reader, std::string& name)
{
    uint32_t length = 0;
    if (!reader.read32(length) || reader.remaining() / 2 < length) {
        return false;
    }
    std::vector<uint16_t> units(length);
    for (uint16_t& unit : units) {
        reader.read16(unit);
    }
    while (!units.empty() && units.back() == 0) {
        units.pop_back();
    }
    name = utf16ToUtf8(units);
    return true;
}

void readNames(BigEndianReader& reader, std::vector<Swatch>& colors)
{
    uint16_t version = 0;
    uint16_t count = 0;
    if (!reader.read16(version) || version != 2 || !reader.read16(count) || count != colors.size()) {
        return;
    }
    std::vector<std::string> names;
    for (uint16_t i = 0; i < count; ++i) {
        Swatch repeated;
        std::string name;
        if (!readColor(reader, repeated) || !readName(reader, name)) {
            return;
        }
        names.push_back(std::move(name));
    }
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i].name = std::move(names[i]);
    }
}

std::vector<uint8_t> fileBytes(const std::string& path)
{
    return readRegularFile(path, maxSwatchFileBytes);
}

std::string format(const char* pattern, double a, double b, double c, double d = 0)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c, d);
    return buffer;
}

double percent(uint16_t value)
{
    return std::round(value / 655.35);
}

} // namespace

std::vector<Swatch> readSwatchFile(const std::string& path)
{
    std::vector<uint8_t> bytes = fileBytes(path);
    BigEndianReader reader(bytes);
    std::vector<Swatch> colors;
    uint16_t version = 0;
    uint16_t count = 0;
    if (!reader.read16(version) || version != 1 || !reader.read16(count)) {
        return colors;
    }
    for (uint16_t i = 0; i < count; ++i) {
        Swatch swatch;
        if (!readColor(reader, swatch)) {
            return colors;
        }
        colors.push_back(swatch);
    }
    readNames(reader, colors);
    return colors;
}

std::optional<std::pair<int16_t, HostColor>> hostColorOf(const Swatch& swatch)
{
    const auto& c = swatch.components;
    switch (swatch.colorSpace) {
    case 0:
        return std::pair{int16_t(plugIncolorServicesRGBSpace),
                         HostColor{int16_t(c[0] >> 8), int16_t(c[1] >> 8), int16_t(c[2] >> 8), 0}};
    case 1:
        return std::pair{int16_t(plugIncolorServicesHSBSpace),
                         HostColor{int16_t(c[0] / 182), int16_t(c[1] >> 8), int16_t(c[2] >> 8), 0}};
    case 2:
        return std::pair{int16_t(plugIncolorServicesCMYKSpace),
                         HostColor{int16_t(c[0] >> 8), int16_t(c[1] >> 8), int16_t(c[2] >> 8), int16_t(c[3] >> 8)}};
    case 7:
        return std::pair{
            int16_t(plugIncolorServicesLabSpace),
            HostColor{int16_t(c[0] / 39), int16_t(int16_t(c[1]) / 100 + 128), int16_t(int16_t(c[2]) / 100 + 128), 0}};
    case 8:
        return std::pair{int16_t(plugIncolorServicesGraySpace), HostColor{int16_t(c[0] / 39), 0, 0, 0}};
    default:
        return std::nullopt;
    }
}

std::string describeSwatch(const Swatch& swatch)
{
    const auto& c = swatch.components;
    switch (swatch.colorSpace) {
    case 0: {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c[0] >> 8, c[1] >> 8, c[2] >> 8);
        return buffer;
    }
    case 1:
        return format("HSB %.0f° %.0f%% %.0f%%", std::round(c[0] * 360.0 / 65536.0), percent(c[1]), percent(c[2]));
    case 2: // 65535 is no ink
        return format("CMYK %.0f%% %.0f%% %.0f%% %.0f%%", percent(uint16_t(65535 - c[0])),
                      percent(uint16_t(65535 - c[1])), percent(uint16_t(65535 - c[2])),
                      percent(uint16_t(65535 - c[3])));
    case 7:
        return format("Lab %.0f %.0f %.0f", c[0] / 100.0, int16_t(c[1]) / 100.0, int16_t(c[2]) / 100.0);
    case 8:
        return format("Gray %.0f%%", c[0] / 100.0, 0, 0);
    default:
        return "colour space " + std::to_string(swatch.colorSpace) + " (" + std::to_string(c[0]) + " " +
               std::to_string(c[1]) + " " + std::to_string(c[2]) + " " + std::to_string(c[3]) + ")";
    }
}

std::vector<std::string> listSwatchFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        // The dialog's rule: the text from the last '.' on must be ".aco", case and all.
        size_t dot = name.rfind('.');
        if (dot != std::string::npos && name.substr(dot) == ".aco") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vendrel

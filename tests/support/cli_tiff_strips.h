// Reads and writes the raw sample bytes of uncompressed, single-image TIFF files, without any image library, so
// that tests can check what a decoder made of a file and hand it files that no code of ours wrote.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace vendrel::test {

struct RawTiff {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t photometric = 0; // 2 RGB, 5 separated (CMYK)
    uint32_t samplesPerPixel = 0;
    uint32_t compression = 0;     // 1 none
    std::vector<uint8_t> samples; // the strips in order, interleaved
};

inline RawTiff readRawTiff(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 8 || (b[0] != 'I' && b[0] != 'M')) {
        throw std::runtime_error(path + ": not a TIFF file");
    }
    bool little = b[0] == 'I';
    auto u16 = [&](size_t at) -> uint32_t {
        return little ? uint32_t(b.at(at) | b.at(at + 1) << 8) : uint32_t(b.at(at) << 8 | b.at(at + 1));
    };
    auto u32 = [&](size_t at) -> uint32_t {
        return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
    };
    // Values of a tag: SHORT (3) or LONG (4), inline when they fit in four bytes.
    std::map<uint32_t, std::vector<uint32_t>> tags;
    size_t ifd = u32(4);
    uint32_t count = u16(ifd);
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = ifd + 2 + 12 * i;
        uint32_t tag = u16(entry), type = u16(entry + 2), n = u32(entry + 4);
        size_t size = type == 3 ? 2 : 4;
        if (type != 3 && type != 4) {
            continue;
        }
        size_t at = n * size <= 4 ? entry + 8 : u32(entry + 8);
        for (uint32_t k = 0; k < n; ++k) {
            tags[tag].push_back(type == 3 ? u16(at + k * size) : u32(at + k * size));
        }
    }
    RawTiff tiff;
    tiff.width = tags.at(256).at(0);
    tiff.height = tags.at(257).at(0);
    tiff.compression = tags.count(259) ? tags[259].at(0) : 1;
    tiff.photometric = tags.at(262).at(0);
    tiff.samplesPerPixel = tags.count(277) ? tags[277].at(0) : 1;
    const std::vector<uint32_t>& offsets = tags.at(273);
    const std::vector<uint32_t>& counts = tags.at(279);
    for (size_t s = 0; s < offsets.size(); ++s) {
        tiff.samples.insert(tiff.samples.end(), b.begin() + offsets[s], b.begin() + offsets[s] + counts.at(s));
    }
    return tiff;
}

// An uncompressed, interleaved TIFF of 8-bit samples: big-endian ("MM") or little-endian, rowsPerStrip rows to a
// strip. Separated images (photometric 5) say that their inks are cyan, magenta, yellow and black.
inline std::vector<uint8_t> rawTiffBytes(const RawTiff& image, bool bigEndian, uint32_t rowsPerStrip)
{
    const uint32_t rowBytes = image.width * image.samplesPerPixel;
    const uint32_t strips = (image.height + rowsPerStrip - 1) / rowsPerStrip;
    struct Entry {
        uint16_t tag, type; // 3 SHORT, 4 LONG
        std::vector<uint32_t> values;
    };
    std::vector<uint32_t> offsets, counts;
    for (uint32_t s = 0; s < strips; ++s) {
        counts.push_back(std::min(rowsPerStrip, image.height - s * rowsPerStrip) * rowBytes);
    }
    std::vector<Entry> entries = {{256, 4, {image.width}},
                                  {257, 4, {image.height}},
                                  {258, 3, std::vector<uint32_t>(image.samplesPerPixel, 8)},
                                  {259, 3, {1}},
                                  {262, 3, {image.photometric}},
                                  {273, 4, std::vector<uint32_t>(strips)},
                                  {277, 3, {image.samplesPerPixel}},
                                  {278, 4, {rowsPerStrip}},
                                  {279, 4, counts},
                                  {284, 3, {1}}};
    if (image.photometric == 5) {
        entries.push_back({332, 3, {1}});
    }

    std::vector<uint8_t> b;
    auto put = [&](size_t at, uint32_t value, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            b[at + i] = uint8_t(value >> 8 * (bigEndian ? size - 1 - i : i));
        }
    };
    // Header, directory, then the values too long for their entries, then the strips.
    const size_t directory = 8, outside = directory + 2 + 12 * entries.size() + 4;
    size_t end = outside;
    for (const Entry& entry : entries) {
        size_t size = entry.values.size() * (entry.type == 3 ? 2 : 4);
        end += size > 4 ? size : 0;
    }
    b.assign(end, 0);
    b[0] = b[1] = bigEndian ? 'M' : 'I';
    put(2, 42, 2);
    put(4, uint32_t(directory), 4);
    put(directory, uint32_t(entries.size()), 2);
    uint32_t stripAt = uint32_t(end);
    for (uint32_t s = 0; s < strips; ++s) {
        entries[5].values[s] = stripAt;
        stripAt += counts[s];
    }
    size_t next = outside;
    for (size_t e = 0; e < entries.size(); ++e) {
        const Entry& entry = entries[e];
        const size_t at = directory + 2 + 12 * e, size = entry.type == 3 ? 2 : 4;
        put(at, entry.tag, 2);
        put(at + 2, entry.type, 2);
        put(at + 4, uint32_t(entry.values.size()), 4);
        size_t valuesAt = at + 8;
        if (entry.values.size() * size > 4) {
            put(at + 8, uint32_t(next), 4);
            valuesAt = next;
            next += entry.values.size() * size;
        }
        for (size_t v = 0; v < entry.values.size(); ++v) {
            put(valuesAt + v * size, entry.values[v], size);
        }
    }
    b.insert(b.end(), image.samples.begin(), image.samples.end());
    return b;
}

} // namespace vendrel::test

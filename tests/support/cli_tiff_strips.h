// Reads the raw sample bytes of an uncompressed, single-image TIFF file, without any image library, so that
// tests can check what a decoder made of them.
#pragma once

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

} // namespace vendrel::test

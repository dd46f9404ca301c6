#include "CmykTiff_win.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

enum FieldType : uint16_t { typeShort = 3, typeLong = 4, typeRational = 5, typeUndefined = 7 };

struct Field {
    uint16_t tag;
    FieldType type;
    uint32_t count;
    uint32_t value; // the value itself when it fits in four bytes, else the offset of the values
};

class LittleEndian {
public:
    void u16(uint16_t v) { bytes.append({char(v & 0xff), char(v >> 8)}); }
    void u32(uint32_t v)
    {
        u16(uint16_t(v & 0xffff));
        u16(uint16_t(v >> 16));
    }
    std::string bytes;
};

uint32_t rationalNumerator(double pixelsPerMm)
{
    const double perCentimetre = pixelsPerMm > 0 ? pixelsPerMm * 10 : 72.0 / 2.54;
    return uint32_t(std::lround(perCentimetre * 1000));
}

} // namespace

std::string cmykTiffBytes(const HostImage& image)
{
    const uint32_t planes = uint32_t(image.planes), rows = uint32_t(image.height);
    const uint64_t rowBytes = image.rowBytes();
    // Layout: header, pixels (one strip per row), then the values that do not fit their fields, then the IFD.
    const uint64_t pixelsEnd = 8 + rowBytes * rows;
    const uint64_t total = pixelsEnd + 2 * planes + 16 + 8 * uint64_t(rows) + image.iccProfile.size() + 256;
    if (total > UINT32_MAX) {
        throw HostError("the image is too large for a TIFF file");
    }
    LittleEndian out;
    out.bytes.reserve(size_t(total));
    out.bytes.append("II*\0", 4);
    out.u32(0); // the IFD's offset, filled in at the end
    for (uint32_t y = 0; y < rows; ++y) {
        const uint8_t* row = image.pixel(0, int32_t(y));
        for (uint64_t i = 0; i < rowBytes; ++i) {
            // The host says 255 for no ink, TIFF's separated colour 0; alpha stays as it is.
            out.bytes.push_back(char(i % planes < 4 ? 255 - row[i] : row[i]));
        }
    }
    const uint32_t bitsAt = uint32_t(out.bytes.size());
    for (uint32_t p = 0; p < planes; ++p) {
        out.u16(8);
    }
    const uint32_t resolutionAt = uint32_t(out.bytes.size());
    out.u32(rationalNumerator(image.xResolution));
    out.u32(1000);
    out.u32(rationalNumerator(image.yResolution));
    out.u32(1000);
    const uint32_t offsetsAt = uint32_t(out.bytes.size());
    for (uint32_t y = 0; y < rows; ++y) {
        out.u32(uint32_t(8 + rowBytes * y));
    }
    const uint32_t countsAt = uint32_t(out.bytes.size());
    for (uint32_t y = 0; y < rows; ++y) {
        out.u32(uint32_t(rowBytes));
    }
    const uint32_t profileAt = uint32_t(out.bytes.size());
    out.bytes.append(reinterpret_cast<const char*>(image.iccProfile.data()), image.iccProfile.size());
    if (out.bytes.size() % 2) {
        out.bytes.push_back(0);
    }

    std::vector<Field> fields = {
        {256, typeLong, 1, uint32_t(image.width)},
        {257, typeLong, 1, rows},
        {258, typeShort, planes, bitsAt},
        {259, typeShort, 1, 1}, // no compression
        {262, typeShort, 1, 5}, // separated colour: inks
        {273, typeLong, rows, rows == 1 ? 8 : offsetsAt},
        {277, typeShort, 1, planes},
        {278, typeLong, 1, 1}, // one row per strip
        {279, typeLong, rows, rows == 1 ? uint32_t(rowBytes) : countsAt},
        {282, typeRational, 1, resolutionAt},
        {283, typeRational, 1, resolutionAt + 8},
        {284, typeShort, 1, 1}, // interleaved
        {296, typeShort, 1, 3}, // resolution per centimetre
        {332, typeShort, 1, 1}, // the inks are CMYK
    };
    if (planes > 4) {
        fields.push_back({338, typeShort, 1, 2}); // unassociated alpha
    }
    if (!image.iccProfile.empty()) {
        fields.push_back({34675, typeUndefined, uint32_t(image.iccProfile.size()), profileAt});
    }
    const uint32_t ifdAt = uint32_t(out.bytes.size());
    out.u16(uint16_t(fields.size()));
    for (const Field& field : fields) {
        out.u16(field.tag);
        out.u16(field.type);
        out.u32(field.count);
        if (field.type == typeShort && field.count == 1) {
            out.u16(uint16_t(field.value)); // a short sits in the field's first two bytes
            out.u16(0);
        } else {
            out.u32(field.value);
        }
    }
    out.u32(0); // no further IFD
    for (int i = 0; i < 4; ++i) {
        out.bytes[4 + size_t(i)] = char((ifdAt >> (8 * i)) & 0xff);
    }
    return std::move(out.bytes);
}

} // namespace vendrel

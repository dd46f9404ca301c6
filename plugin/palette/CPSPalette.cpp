#include "CPSPalette.h"

#include <sstream>
#include <string>

#include "FileAccess.h"

namespace {

constexpr uint16 kSwatchFileVersion = 1;
// The version-1 section at its largest: two words, then 65535 records of ten bytes. Nothing after it is read.
constexpr size_t kMaxSwatchSectionBytes = 4 + 65535 * 10;

// A big-endian 16-bit word; false when the stream ends before both bytes.
bool ReadWord(std::istream& in, uint16& word)
{
    unsigned char bytes[2];
    if (!in.read(reinterpret_cast<char*>(bytes), 2))
        return false;
    word = uint16((bytes[0] << 8) | bytes[1]);
    return true;
}

} // namespace

CPSPalette::CPSPalette(const char* path)
{
    try {
        Load(path);
    } catch (...) {
        // Memory ran out or the stream failed: keep the colours appended so far.
    }
}

void CPSPalette::Load(const char* path)
{
    if (!path)
        return;
    std::string bytes;
    if (!ReadRegularFile(path, kMaxSwatchSectionBytes, bytes))
        return;
    std::istringstream file(bytes, std::ios::in | std::ios::binary);
    uint16 version = 0;
    uint16 count = 0;
    if (!ReadWord(file, version) || version != kSwatchFileVersion || !ReadWord(file, count))
        return;
    for (uint32 i = 0; i < count; ++i) {
        SwatchColor color{};
        if (!(file >> color))
            break;
        colors.push_back(color);
    }
}

void CPSPalette::NextColor(SwatchColor& out)
{
    if (colors.empty())
        return;
    if (cursor >= colors.size())
        cursor = 0;
    out = colors[cursor++];
}

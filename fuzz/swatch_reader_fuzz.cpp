// Feeds arbitrary bytes to the swatch file reader as a file, and to the record extraction as a stream.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>

#include "CPSPalette.h"
#include "SwatchColor.h"

namespace {

const std::string& ScratchPath()
{
    static const std::string path = "/tmp/swatch_reader_fuzz_" + std::to_string(getpid()) + ".aco";
    return path;
}

void WriteScratch(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file)
        std::abort();
    if (size && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WriteScratch(data, size);
    CPSPalette palette(ScratchPath().c_str());
    // Never more colours than whole records after the 4-byte header, and none unless the version is 1.
    const size_t mostRecords = size >= 4 ? (size - 4) / 10 : 0;
    const bool versionOne = size >= 2 && data[0] == 0 && data[1] == 1;
    if (palette.Count() > mostRecords || (!versionOne && !palette.IsEmpty()))
        std::abort();
    if (palette.IsEmpty()) {
        SwatchColor untouched{9, {9, 9, 9, 9}};
        palette.NextColor(untouched);
        if (untouched.colorSpace != 9 || untouched.components[3] != 9)
            std::abort();
    }
    // The cycle hands out the file's records in order and starts again after the last.
    for (size_t i = 0; !palette.IsEmpty() && i < 2 * palette.Count() + 1; ++i) {
        SwatchColor color{};
        palette.NextColor(color);
        const size_t record = 4 + 10 * (i % palette.Count());
        if (color.colorSpace != uint16_t((data[record] << 8) | data[record + 1]))
            std::abort();
    }

    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    SwatchColor color{};
    size_t records = 0;
    while (stream >> color)
        ++records;
    if (records != size / 10)
        std::abort();
    return 0;
}

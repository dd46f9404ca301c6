// Reads arbitrary bytes as a preferences file. The reader must never crash, and the record it leaves is always
// a valid one with a NUL-terminated palette name. A whole file written out reads back whole; no text cut short
// from it is taken.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "VendrelParams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    CVendrelParams params;
    params.ReadText(in);
    if (!params.IsValid() || std::memchr(params.paletteFile, '\0', sizeof params.paletteFile) == nullptr)
        __builtin_trap();

    // What was read writes out and reads back to the same record.
    std::ostringstream out;
    params.WriteText(out);
    std::istringstream again(out.str());
    CVendrelParams reread;
    reread.ReadText(again);
    if (std::strcmp(reread.paletteFile, params.paletteFile) != 0 || reread.tolerance != params.tolerance ||
        reread.flagSize != params.flagSize || reread.joinSize != params.joinSize)
        __builtin_trap();

    // The whole-file reader takes what the writer wrote, and refuses every text cut short of it.
    const std::string written = out.str();
    CVendrelParams whole;
    if (!whole.ReadWholeText(written) || std::strcmp(whole.paletteFile, params.paletteFile) != 0)
        __builtin_trap();
    const size_t cut = size == 0 ? 0 : data[0] % written.size();
    CVendrelParams partial;
    partial.flagSize = 12345;
    if (partial.ReadWholeText(written.substr(0, cut)) || partial.flagSize != 12345)
        __builtin_trap();
    CVendrelParams anything;
    if (anything.ReadWholeText(std::string(reinterpret_cast<const char*>(data), size)) && !anything.IsValid())
        __builtin_trap();
    return 0;
}

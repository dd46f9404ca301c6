// Reads arbitrary bytes as a preferences file. The reader must never crash, and the record it leaves is always
// a valid one with a NUL-terminated palette name.
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
    return 0;
}

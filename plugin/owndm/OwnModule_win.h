// The module's own file: its handle, and the resources it carries (the dialog frame, the logo).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace owndm {

// The module this code is linked into (not the host's program).
HMODULE OwnModuleHandle();

// The bytes of the module's resource of the type named (L"DLOG") and number id; nothing when it has none.
std::optional<std::vector<uint8_t>> OwnResourceBytes(const wchar_t* type, int id);

} // namespace owndm

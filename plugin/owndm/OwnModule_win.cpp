#include "OwnModule_win.h"

namespace owndm {

HMODULE OwnModuleHandle()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnModuleHandle), &module))
        return nullptr;
    return module;
}

std::optional<std::vector<uint8_t>> OwnResourceBytes(const wchar_t* type, int id)
{
    const HMODULE module = OwnModuleHandle();
    const HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(id), type) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return std::nullopt;
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found));
}

} // namespace owndm

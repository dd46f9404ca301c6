// Reads a Windows module's resources through the system's resource functions, with the module mapped as data
// (its code never runs). The standard bitmap type carries the logo; it is named "BMP " as on every platform.
#include <windows.h>

#include "WindowsErrors.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

const char kBitmapTypeName[] = "BMP ";

struct Collection {
    ResourceMap resources;
    std::string failure;
};

std::string typeName(LPSTR type)
{
    if (IS_INTRESOURCE(type))
        return reinterpret_cast<ULONG_PTR>(type) == reinterpret_cast<ULONG_PTR>(RT_BITMAP) ? kBitmapTypeName
                                                                                           : std::string();
    return type;
}

BOOL CALLBACK collectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context)
{
    auto& collection = *reinterpret_cast<Collection*>(context);
    if (!IS_INTRESOURCE(name))
        return TRUE; // every resource of ours has a numeric id
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        collection.failure = "cannot read a resource: " + lastWindowsErrorText();
        return FALSE;
    }
    const auto* first = static_cast<const uint8_t*>(bytes);
    const int32_t id = int32_t(reinterpret_cast<ULONG_PTR>(name));
    collection.resources[{typeName(const_cast<LPSTR>(type)), id}].assign(first, first + SizeofResource(module, found));
    return TRUE;
}

BOOL CALLBACK collectType(HMODULE module, LPSTR type, LONG_PTR context)
{
    if (typeName(type).empty())
        return TRUE; // version information and the like
    EnumResourceNamesA(module, type, collectName, context);
    return reinterpret_cast<Collection*>(context)->failure.empty();
}

} // namespace

ResourceMap readModuleResources(const std::string& modulePath)
{
    HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        throw HostError(modulePath + ": cannot open the module: " + lastWindowsErrorText());
    Collection collection;
    EnumResourceTypesA(module, collectType, reinterpret_cast<LONG_PTR>(&collection));
    FreeLibrary(module);
    if (!collection.failure.empty())
        throw HostError(modulePath + ": " + collection.failure);
    if (collection.resources.empty())
        throw HostError(modulePath + ": the module has no resources");
    return collection.resources;
}

} // namespace vendrel

#include "pspihost_library.h"

#include <filesystem>
#include <stdexcept>

namespace vendrel::thirdparty {

const char* DescribePspiResult(int result)
{
    switch (result) {
    case 0:
        return "success";
    case kPspiAboutFailed:
        return "the About selector answered non-zero";
    case kPspiSelectorFailed:
        return "a selector answered non-zero (cancelled or failed)";
    case kPspiCrashed:
        return "the module crashed";
    case kPspiNotAFilter:
        return "the module is no filter";
    default:
        return "an engine error";
    }
}

PspiHostLibrary::PspiHostLibrary(const std::wstring& path)
{
    library_ = LoadLibraryW(path.c_str());
    if (!library_)
        throw std::runtime_error("LoadLibraryW failed for " + std::filesystem::path(path).string() + " (error " +
                                 std::to_string(GetLastError()) + ")");
    find(getVersion, "pspiGetVersion");
    find(setPath, "pspiSetPath");
    find(plugInLoad, "pspiPlugInLoad");
    find(setImage, "pspiSetImage");
    find(plugInAbout, "pspiPlugInAbout");
    find(plugInExecute, "pspiPlugInExecute");
}

template <typename Function> void PspiHostLibrary::find(Function& function, const char* name)
{
    const FARPROC address = GetProcAddress(library_, name);
    if (!address)
        throw std::runtime_error(std::string("the DLL exports no ") + name);
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

} // namespace vendrel::thirdparty

// The functions of a pspiHost DLL that the driver calls, declared here from the engine's published description:
// C calling convention, undecorated names, found with GetProcAddress.
#pragma once

#include <windows.h>

#include <string>

namespace vendrel::thirdparty {

// The pixel layouts pspiSetImage accepts.
enum class PspiImageType : int { Bgr = 0, Bgra = 1, Rgb = 2, Rgba = 3, Gray = 4, GrayAlpha = 5 };

// What the engine's calls answer besides 0 (success).
constexpr int kPspiAboutFailed = 4;    // the About selector answered non-zero
constexpr int kPspiSelectorFailed = 5; // a selector of the run answered non-zero (cancelled or failed)
constexpr int kPspiCrashed = 6;        // the module crashed during the run
constexpr int kPspiNotAFilter = 7;     // the module's resources describe no filter

// Names an engine result for the driver's messages.
const char* DescribePspiResult(int result);

class PspiHostLibrary {
public:
    // Loads the DLL and finds every function below; throws std::runtime_error naming what is missing.
    explicit PspiHostLibrary(const std::wstring& path);
    PspiHostLibrary(const PspiHostLibrary&) = delete;
    PspiHostLibrary& operator=(const PspiHostLibrary&) = delete;

    const char*(__cdecl* getVersion)() = nullptr;
    int(__cdecl* setPath)(const wchar_t* folder) = nullptr;
    int(__cdecl* plugInLoad)(const wchar_t* module) = nullptr;
    int(__cdecl* setImage)(int type, int width, int height, void* pixels, int rowBytes, void* alpha,
                           int alphaRowBytes) = nullptr;
    int(__cdecl* plugInAbout)(HWND owner) = nullptr;
    int(__cdecl* plugInExecute)(HWND owner) = nullptr;

private:
    template <typename Function> void find(Function& function, const char* name);

    // Never freed: the engine keeps the filter module loaded, and the driver ends soon after its last call.
    HMODULE library_ = nullptr;
};

} // namespace vendrel::thirdparty

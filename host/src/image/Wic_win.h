// The Windows Imaging Component as the image files use it: COM for the calling thread, the imaging factory,
// and a failed call turned into the host's one-line error.
#pragma once

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <string>

namespace vendrel {

using Microsoft::WRL::ComPtr;

// COM initialised on the calling thread for as long as the scope lives (when it was not already).
class ComScope {
public:
    ComScope(); // throws HostError when COM cannot be started
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool owned_ = false;
};

// Throws HostError when the imaging component is missing.
ComPtr<IWICImagingFactory> imagingFactory();

// A failure result in words ("the file is damaged or incomplete", "no codec reads this format", ...).
std::string wicErrorText(HRESULT result);

// Throws HostError("context: <the failure in words>") when result is a failure.
void checkWic(HRESULT result, const std::string& context);

} // namespace vendrel

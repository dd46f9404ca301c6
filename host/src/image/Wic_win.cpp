#include "Wic_win.h"

#include <cstdio>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

ComScope::ComScope()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A thread that already runs COM in the other threading model can use the factory as it is.
    if (FAILED(result) && result != RPC_E_CHANGED_MODE)
        throw HostError("the imaging component could not be started (COM: " + wicErrorText(result) + ")");
    owned_ = SUCCEEDED(result);
}

ComScope::~ComScope()
{
    if (owned_)
        CoUninitialize();
}

ComPtr<IWICImagingFactory> imagingFactory()
{
    ComPtr<IWICImagingFactory> factory;
    const HRESULT result =
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (FAILED(result))
        throw HostError("the Windows Imaging Component could not be started: " + wicErrorText(result));
    return factory;
}

std::string wicErrorText(HRESULT result)
{
    switch (result) {
    case WINCODEC_ERR_COMPONENTNOTFOUND:
        return "no codec of the system handles this format";
    case WINCODEC_ERR_BADHEADER:
    case WINCODEC_ERR_BADIMAGE:
    case WINCODEC_ERR_BADSTREAMDATA:
    case WINCODEC_ERR_STREAMREAD:
    case WINCODEC_ERR_FRAMEMISSING:
    case HRESULT_FROM_WIN32(ERROR_HANDLE_EOF):
        return "the file is damaged or incomplete";
    case WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT:
    case WINCODEC_ERR_UNSUPPORTEDOPERATION:
        return "the system's codec does not handle this kind of image";
    case E_OUTOFMEMORY:
        return "out of memory";
    default:
        break;
    }
    char text[48];
    std::snprintf(text, sizeof text, "system error 0x%08lx", static_cast<unsigned long>(result));
    return text;
}

void checkWic(HRESULT result, const std::string& context)
{
    if (FAILED(result))
        throw HostError(context + ": " + wicErrorText(result));
}

} // namespace vendrel

// Image files through the Windows Imaging Component: decoding into the host's 8-bit interleaved images and
// back. The images it answers, its refusals and its messages are those of the Linux reader, so that a run
// behaves alike on both systems.
#include "vendrel/host/ImageFile.h"

#include <algorithm>

#include "CmykTiff_win.h"
#include "CmykToRgb.h"
#include "ImageFileChecks.h"
#include "Wic_win.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

enum class Colours { rgb, cmyk, gray, indexed };

// What a decoded frame holds, in the terms the host refuses or converts it by.
struct PixelKind {
    Colours colours = Colours::rgb;
    int channels = 3;    // alpha included
    int depth = 8;       // bits per channel; 32 for floating point
    int paletteBits = 0; // indexed images: bits per index
    bool alpha = false;
};

struct KnownFormat {
    const GUID* format;
    PixelKind kind;
};

// The formats the system's decoders answer with, by what they hold.
const KnownFormat knownFormats[] = {
    {&GUID_WICPixelFormat24bppBGR, {Colours::rgb, 3, 8, 0, false}},
    {&GUID_WICPixelFormat24bppRGB, {Colours::rgb, 3, 8, 0, false}},
    {&GUID_WICPixelFormat32bppBGR, {Colours::rgb, 3, 8, 0, false}},
    {&GUID_WICPixelFormat32bppBGRA, {Colours::rgb, 4, 8, 0, true}},
    {&GUID_WICPixelFormat32bppRGBA, {Colours::rgb, 4, 8, 0, true}},
    {&GUID_WICPixelFormat32bppPBGRA, {Colours::rgb, 4, 8, 0, true}},
    {&GUID_WICPixelFormat48bppRGB, {Colours::rgb, 3, 16, 0, false}},
    {&GUID_WICPixelFormat48bppBGR, {Colours::rgb, 3, 16, 0, false}},
    {&GUID_WICPixelFormat64bppRGBA, {Colours::rgb, 4, 16, 0, true}},
    {&GUID_WICPixelFormat64bppBGRA, {Colours::rgb, 4, 16, 0, true}},
    {&GUID_WICPixelFormat32bppCMYK, {Colours::cmyk, 4, 8, 0, false}},
    {&GUID_WICPixelFormat40bppCMYKAlpha, {Colours::cmyk, 5, 8, 0, true}},
    {&GUID_WICPixelFormat64bppCMYK, {Colours::cmyk, 4, 16, 0, false}},
    {&GUID_WICPixelFormat80bppCMYKAlpha, {Colours::cmyk, 5, 16, 0, true}},
    {&GUID_WICPixelFormatBlackWhite, {Colours::gray, 1, 8, 0, false}},
    {&GUID_WICPixelFormat2bppGray, {Colours::gray, 1, 8, 0, false}},
    {&GUID_WICPixelFormat4bppGray, {Colours::gray, 1, 8, 0, false}},
    {&GUID_WICPixelFormat8bppGray, {Colours::gray, 1, 8, 0, false}},
    {&GUID_WICPixelFormat16bppGray, {Colours::gray, 1, 16, 0, false}},
    {&GUID_WICPixelFormat32bppGrayFloat, {Colours::gray, 1, 32, 0, false}},
    {&GUID_WICPixelFormat1bppIndexed, {Colours::indexed, 3, 8, 1, false}},
    {&GUID_WICPixelFormat2bppIndexed, {Colours::indexed, 3, 8, 2, false}},
    {&GUID_WICPixelFormat4bppIndexed, {Colours::indexed, 3, 8, 4, false}},
    {&GUID_WICPixelFormat8bppIndexed, {Colours::indexed, 3, 8, 8, false}},
};

// Formats read as they are, without a converter, and the byte order of their colours.
struct DirectFormat {
    const GUID* format;
    int bytesPerPixel;
    bool blueFirst;
};

const DirectFormat directFormats[] = {
    {&GUID_WICPixelFormat24bppBGR, 3, true},   {&GUID_WICPixelFormat24bppRGB, 3, false},
    {&GUID_WICPixelFormat32bppBGRA, 4, true},  {&GUID_WICPixelFormat32bppRGBA, 4, false},
    {&GUID_WICPixelFormat32bppCMYK, 4, false}, {&GUID_WICPixelFormat40bppCMYKAlpha, 5, false},
};

std::string depthText(int depth)
{
    return depth == 32 ? "floating-point" : std::to_string(depth) + "-bit";
}

// What the file holds, in the words of the error message that refuses it.
std::string describe(const PixelKind& kind)
{
    switch (kind.colours) {
    case Colours::indexed:
        return "Indexed (" + std::to_string(kind.paletteBits) + "-bit palette)";
    case Colours::gray:
        return "Grayscale " + depthText(kind.depth);
    case Colours::cmyk:
        return "CMYK " + depthText(kind.depth);
    default:
        return "RGB " + depthText(kind.depth) + " with " + std::to_string(kind.channels) + " channels";
    }
}

bool isPlain(const PixelKind& kind)
{
    return kind.depth == 8 && ((kind.colours == Colours::rgb && (kind.channels == 3 || kind.channels == 4)) ||
                               (kind.colours == Colours::cmyk && (kind.channels == 4 || kind.channels == 5)));
}

// The system's decoders give grayscale PNG with alpha as RGBA; the file's own header says what it holds.
void correctFromPngHeader(const std::vector<uint8_t>& bytes, PixelKind& kind)
{
    if (bytes.size() < 26) {
        return;
    }
    const int bitDepth = bytes[24], colourType = bytes[25];
    if (colourType == 0 || colourType == 4) {
        kind.colours = Colours::gray;
        kind.channels = colourType == 4 ? 2 : 1;
        kind.alpha = colourType == 4;
        kind.depth = bitDepth == 16 ? 16 : 8;
    } else if (colourType == 3) {
        kind.colours = Colours::indexed;
        kind.paletteBits = bitDepth;
    }
}

// A decoded file: its bytes stay alive as long as the stream that reads them.
struct Decoded {
    std::vector<uint8_t> bytes;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT pages = 1;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    PixelKind kind;
};

PixelKind kindOf(const Decoded& decoded)
{
    PixelKind kind;
    bool known = false;
    for (const KnownFormat& entry : knownFormats) {
        if (IsEqualGUID(*entry.format, decoded.format)) {
            kind = entry.kind;
            known = true;
        }
    }
    if (!known) {
        // Something the table does not name (fixed point, 128-bit float...): counted, never taken as plain.
        kind.depth = 16;
        ComPtr<IWICComponentInfo> info;
        ComPtr<IWICPixelFormatInfo> formatInfo;
        UINT channels = 0, bits = 0;
        if (SUCCEEDED(decoded.factory->CreateComponentInfo(decoded.format, &info)) && SUCCEEDED(info.As(&formatInfo)) &&
            SUCCEEDED(formatInfo->GetChannelCount(&channels)) && SUCCEEDED(formatInfo->GetBitsPerPixel(&bits)) &&
            channels > 0) {
            kind.channels = int(channels);
            kind.depth = std::max(16, int(bits / channels));
        }
    }
    GUID container{};
    if (SUCCEEDED(decoded.decoder->GetContainerFormat(&container)) && IsEqualGUID(container, GUID_ContainerFormatPng)) {
        correctFromPngHeader(decoded.bytes, kind);
    }
    if (kind.colours == Colours::indexed) {
        ComPtr<IWICPalette> palette;
        BOOL hasAlpha = FALSE;
        if (SUCCEEDED(decoded.factory->CreatePalette(&palette)) &&
            SUCCEEDED(decoded.frame->CopyPalette(palette.Get())) && SUCCEEDED(palette->HasAlpha(&hasAlpha))) {
            kind.alpha = hasAlpha != FALSE;
            kind.channels = kind.alpha ? 4 : 3;
        }
    }
    return kind;
}

// The file is read whole by the host (a regular file only, its name taken literally), then decoded from memory.
void decode(const std::string& path, Decoded& decoded)
{
    decoded.bytes = readRegularFile(path, maxImageFileBytes);
    if (decoded.bytes.size() >= MAXDWORD) {
        throw HostError(path + ": the file is larger than " + std::to_string(MAXDWORD - 1) + " bytes");
    }
    const std::string failure = path + ": cannot read the image";
    decoded.factory = imagingFactory();
    checkWic(decoded.factory->CreateStream(&decoded.stream), failure);
    checkWic(decoded.stream->InitializeFromMemory(decoded.bytes.data(), DWORD(decoded.bytes.size())), failure);
    const HRESULT found = decoded.factory->CreateDecoderFromStream(decoded.stream.Get(), nullptr,
                                                                   WICDecodeMetadataCacheOnDemand, &decoded.decoder);
    if (found == WINCODEC_ERR_COMPONENTNOTFOUND || found == WINCODEC_ERR_UNKNOWNIMAGEFORMAT) {
        throw HostError(path + ": not an image file in a format the host can read");
    }
    checkWic(found, failure);
    checkWic(decoded.decoder->GetFrameCount(&decoded.pages), failure);
    checkWic(decoded.decoder->GetFrame(0, &decoded.frame), failure);
    checkWic(decoded.frame->GetSize(&decoded.width, &decoded.height), failure);
    checkWic(decoded.frame->GetPixelFormat(&decoded.format), failure);
    decoded.kind = kindOf(decoded);
}

const DirectFormat* directFormatOf(const WICPixelFormatGUID& format)
{
    for (const DirectFormat& entry : directFormats) {
        if (IsEqualGUID(*entry.format, format)) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<uint8_t> copyPixels(IWICBitmapSource* source, UINT width, UINT height, size_t bytesPerPixel,
                                const std::string& path)
{
    const size_t stride = size_t(width) * bytesPerPixel;
    std::vector<uint8_t> pixels(stride * height);
    // Band by band: one call's buffer size is 32-bit.
    const UINT bandRows = UINT(std::max<size_t>(1, (size_t(1) << 28) / std::max<size_t>(1, stride)));
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = std::min(bandRows, height - top);
        const WICRect band{0, INT(top), INT(width), INT(rows)};
        checkWic(source->CopyPixels(&band, UINT(stride), UINT(stride * rows), pixels.data() + stride * top),
                 path + ": cannot read the image");
    }
    return pixels;
}

void swapRedAndBlue(std::vector<uint8_t>& pixels, size_t planes)
{
    for (size_t i = 0; i + 2 < pixels.size(); i += planes) {
        std::swap(pixels[i], pixels[i + 2]);
    }
}

// The host's CMYK bytes say 255 for no ink; the system's CMYK formats say 0.
void invertInks(std::vector<uint8_t>& pixels, size_t planes)
{
    for (size_t i = 0; i < pixels.size(); i += planes) {
        for (size_t p = 0; p < 4; ++p) {
            pixels[i + p] = uint8_t(255 - pixels[i + p]);
        }
    }
}

// Deep CMYK keeps its inks: the high byte of each 16-bit sample.
std::vector<uint8_t> shallowCmyk(const Decoded& decoded, const std::string& path)
{
    const size_t planes = size_t(decoded.kind.channels);
    std::vector<uint8_t> deep = copyPixels(decoded.frame.Get(), decoded.width, decoded.height, planes * 2, path);
    std::vector<uint8_t> pixels(deep.size() / 2);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = deep[i * 2 + 1];
    }
    return pixels;
}

// Everything else comes as 8-bit RGB, with alpha when the file has transparency, through the system's converter.
std::vector<uint8_t> convertedRgb(const Decoded& decoded, bool alpha, const std::string& path)
{
    ComPtr<IWICBitmapSource> converted;
    checkWic(WICConvertBitmapSource(alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR,
                                    decoded.frame.Get(), &converted),
             path + ": cannot read the image");
    const size_t planes = alpha ? 4 : 3;
    std::vector<uint8_t> pixels = copyPixels(converted.Get(), decoded.width, decoded.height, planes, path);
    swapRedAndBlue(pixels, planes);
    return pixels;
}

std::vector<uint8_t> iccProfileOf(const Decoded& decoded)
{
    UINT count = 0;
    if (FAILED(decoded.frame->GetColorContexts(0, nullptr, &count)) || count == 0) {
        return {};
    }
    std::vector<ComPtr<IWICColorContext>> contexts(count);
    std::vector<IWICColorContext*> raw;
    for (ComPtr<IWICColorContext>& context : contexts) {
        if (FAILED(decoded.factory->CreateColorContext(&context))) {
            return {};
        }
        raw.push_back(context.Get());
    }
    UINT got = 0;
    if (FAILED(decoded.frame->GetColorContexts(count, raw.data(), &got))) {
        return {};
    }
    for (UINT i = 0; i < got; ++i) {
        WICColorContextType type{};
        UINT size = 0;
        if (SUCCEEDED(raw[i]->GetType(&type)) && type == WICColorContextProfile &&
            SUCCEEDED(raw[i]->GetProfileBytes(0, nullptr, &size)) && size > 0) {
            std::vector<uint8_t> profile(size);
            if (SUCCEEDED(raw[i]->GetProfileBytes(size, profile.data(), &size))) {
                return profile;
            }
        }
    }
    return {};
}

HostImage hostImageFrom(const Decoded& decoded, const std::string& path)
{
    const PixelKind& kind = decoded.kind;
    HostImage image;
    image.width = int32_t(decoded.width);
    image.height = int32_t(decoded.height);
    const bool cmyk = kind.colours == Colours::cmyk;
    image.mode = cmyk ? int16_t(plugInModeCMYKColor) : int16_t(plugInModeRGBColor);
    image.colorPlanes = cmyk ? 4 : 3;
    if (const DirectFormat* direct = directFormatOf(decoded.format)) {
        image.planes = direct->bytesPerPixel;
        image.pixels = copyPixels(decoded.frame.Get(), decoded.width, decoded.height, size_t(image.planes), path);
        if (direct->blueFirst) {
            swapRedAndBlue(image.pixels, size_t(image.planes));
        }
    } else if (cmyk) {
        image.planes = kind.channels;
        image.pixels = shallowCmyk(decoded, path);
    } else {
        image.planes = kind.alpha ? 4 : 3;
        image.pixels = convertedRgb(decoded, kind.alpha, path);
    }
    if (cmyk) {
        invertInks(image.pixels, size_t(image.planes));
    }
    image.hasAlpha = image.planes > image.colorPlanes;
    // A grayscale profile no longer describes pixels made RGB.
    if (kind.colours != Colours::gray) {
        image.iccProfile = iccProfileOf(decoded);
    }
    double dpiX = 0, dpiY = 0;
    if (SUCCEEDED(decoded.frame->GetResolution(&dpiX, &dpiY))) {
        image.xResolution = dpiX / 25.4;
        image.yResolution = dpiY / 25.4;
    }
    return image;
}

} // namespace

HostImage loadImage(const std::string& path, const ImageLoadOptions& options)
{
    ComScope com;
    Decoded decoded;
    decode(path, decoded);
    if (decoded.pages > 1 && !options.firstPage) {
        throw InformationLossError(path + ": the file holds " + std::to_string(decoded.pages) +
                                   " pages or frames; the output would keep only the first");
    }
    checkImageSize(decoded.width, decoded.height, path);
    if (!isPlain(decoded.kind) && !options.convert) {
        throw UnsupportedImageError(path, describe(decoded.kind), decoded.kind.colours == Colours::gray);
    }
    if (options.checkSize) {
        options.checkSize(int32_t(decoded.width), int32_t(decoded.height), int32_t(decoded.kind.channels));
    }
    return hostImageFrom(decoded, path);
}

ImageDimensions readImageDimensions(const std::string& path)
{
    ComScope com;
    Decoded decoded;
    decode(path, decoded);
    return ImageDimensions{int32_t(decoded.width), int32_t(decoded.height), int32_t(decoded.kind.channels)};
}

struct SaveEncoder {
    const GUID* container;
};

namespace {

const SaveEncoder png{&GUID_ContainerFormatPng}, jpeg{&GUID_ContainerFormatJpeg}, tiff{&GUID_ContainerFormatTiff},
    bmp{&GUID_ContainerFormatBmp};

// The formats whose encoders every Windows system has.
const SaveFormat saveFormats[] = {
    {".png", &png, true, false}, {".jpg", &jpeg, false, true}, {".jpeg", &jpeg, false, true},
    {".tif", &tiff, true, true}, {".tiff", &tiff, true, true}, {".bmp", &bmp, false, false},
};

// The image as the format will hold it, after the conversions the options allow.
HostImage adaptedTo(HostImage image, const SaveFormat& format, const ImageSaveOptions& options)
{
    if (image.hasAlpha && !format.holdsAlpha && options.dropAlpha) {
        std::vector<uint8_t> opaque;
        opaque.reserve(image.pixels.size() / size_t(image.planes) * size_t(image.colorPlanes));
        for (size_t i = 0; i < image.pixels.size(); i += size_t(image.planes)) {
            opaque.insert(opaque.end(), image.pixels.begin() + ptrdiff_t(i),
                          image.pixels.begin() + ptrdiff_t(i) + image.colorPlanes);
        }
        image.pixels = std::move(opaque);
        image.planes = image.colorPlanes;
        image.hasAlpha = false;
    }
    if (image.mode == plugInModeCMYKColor && !format.holdsCmyk && options.toRgb) {
        image = cmykToRgb(image);
    }
    return image;
}

// The system's pixel format that holds the image's bytes, after the colour order and inks are made its own.
WICPixelFormatGUID pixelFormatFor(HostImage& image, const std::string& path)
{
    if (image.mode == plugInModeCMYKColor && image.colorPlanes == 4 && (image.planes == 4 || image.planes == 5)) {
        invertInks(image.pixels, size_t(image.planes));
        return image.planes == 5 ? GUID_WICPixelFormat40bppCMYKAlpha : GUID_WICPixelFormat32bppCMYK;
    }
    if (image.mode == plugInModeGrayScale && image.planes == 1) {
        return GUID_WICPixelFormat8bppGray;
    }
    if (image.mode == plugInModeRGBColor && (image.planes == 3 || image.planes == 4)) {
        swapRedAndBlue(image.pixels, size_t(image.planes));
        return image.planes == 4 ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    }
    throw HostError(path + ": cannot write a " + imageModeName(image.mode) + " image of " +
                    std::to_string(image.planes) + " planes");
}

void attachProfile(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame, const std::vector<uint8_t>& profile)
{
    ComPtr<IWICColorContext> context;
    if (profile.empty() || FAILED(factory->CreateColorContext(&context)) ||
        FAILED(context->InitializeFromMemory(profile.data(), UINT(profile.size())))) {
        return;
    }
    IWICColorContext* contexts[] = {context.Get()};
    // Encoders that keep no profile (BMP) refuse it; the pixels are written all the same.
    frame->SetColorContexts(1, contexts);
}

// False when the system's encoder does not take the image's pixel format.
bool encodeFrame(IWICImagingFactory* factory, IWICBitmapEncoder* encoder, HostImage& image, const std::string& path)
{
    const std::string failure = path + ": cannot write the image";
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> properties;
    checkWic(encoder->CreateNewFrame(&frame, &properties), failure);
    checkWic(frame->Initialize(properties.Get()), failure);
    checkWic(frame->SetSize(UINT(image.width), UINT(image.height)), failure);
    const double dotsPerMm = 72.0 / 25.4;
    checkWic(frame->SetResolution((image.xResolution > 0 ? image.xResolution : dotsPerMm) * 25.4,
                                  (image.yResolution > 0 ? image.yResolution : dotsPerMm) * 25.4),
             failure);
    const WICPixelFormatGUID wanted = pixelFormatFor(image, path);
    WICPixelFormatGUID accepted = wanted;
    checkWic(frame->SetPixelFormat(&accepted), failure);
    if (!IsEqualGUID(accepted, wanted)) {
        return false;
    }
    attachProfile(factory, frame.Get(), image.iccProfile);
    const UINT stride = UINT(image.rowBytes());
    checkWic(frame->WritePixels(UINT(image.height), stride, UINT(image.pixels.size()), image.pixels.data()), failure);
    checkWic(frame->Commit(), failure);
    return true;
}

std::string streamBytes(IStream* memory, const std::string& failure)
{
    STATSTG status{};
    HGLOBAL global = nullptr;
    checkWic(memory->Stat(&status, STATFLAG_NONAME), failure);
    checkWic(GetHGlobalFromStream(memory, &global), failure);
    const char* bytes = static_cast<const char*>(GlobalLock(global));
    if (bytes == nullptr) {
        throw HostError(failure + ": out of memory");
    }
    std::string result(bytes, size_t(status.cbSize.QuadPart));
    GlobalUnlock(global);
    return result;
}

// The encoded bytes of the image, in memory until the pending file takes them.
std::string encoded(const HostImage& image, const SaveFormat& format, const std::string& path)
{
    const std::string failure = path + ": cannot write the image";
    ComPtr<IWICImagingFactory> factory = imagingFactory();
    ComPtr<IStream> memory;
    checkWic(CreateStreamOnHGlobal(nullptr, TRUE, &memory), failure);
    ComPtr<IWICBitmapEncoder> encoder;
    checkWic(factory->CreateEncoder(*format.encoder->container, nullptr, &encoder), failure);
    checkWic(encoder->Initialize(memory.Get(), WICBitmapEncoderNoCache), failure);
    HostImage pixels = image;
    if (!encodeFrame(factory.Get(), encoder.Get(), pixels, path)) {
        if (image.mode == plugInModeCMYKColor && IsEqualGUID(*format.encoder->container, GUID_ContainerFormatTiff)) {
            try {
                return cmykTiffBytes(image);
            } catch (const HostError& e) {
                throw HostError(failure + ": " + e.what());
            }
        }
        throw HostError(failure + ": the system's " + formatName(format) + " encoder does not take " +
                        imageModeName(image.mode) + " images of " + std::to_string(image.planes) + " planes");
    }
    checkWic(encoder->Commit(), failure);
    return streamBytes(memory.Get(), failure);
}

} // namespace

const SaveFormats& systemSaveFormats()
{
    static const SaveFormats formats{saveFormats, ".png, .jpg, .tif or .bmp"};
    return formats;
}

void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options)
{
    const std::string& path = file.target();
    const SaveFormat& format = checkSaveable(image, path, options);
    ComScope com;
    file.write(encoded(adaptedTo(image, format, options), format, path));
}

void saveImage(const HostImage& image, const std::string& path, const ImageSaveOptions& options)
{
    checkSaveable(image, path, options);
    PendingFile file(path);
    writeImage(image, file, options);
    file.commit();
}

// The Windows Imaging Component is part of the system: there is nothing to load ahead.
void prepareImageLibrary() noexcept {}

void prepareToWrite(const std::string&) {}

} // namespace vendrel

// Image files through libvips: decoding into the host's 8-bit interleaved images and back.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "ImageFileChecks.h"
#include "PixelBuffer.h"
#include "VipsCodecs.h"
#include "VipsImages.h"
#include "VipsLibrary.h"
#include "vendrel/host/Cancellation.h"
#include "vendrel/host/RegularFile.h"

#include <vips/vips8>

namespace vendrel::vipsimage {

using vips::VImage;

// libvips reports errors over several lines; the host's messages are one line each.
std::string oneLine(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    for (char& c : text) {
        if (c == '\n') {
            c = ';';
        }
    }
    return text;
}

// A failed read or write of the file itself says best why in the system's words ("File too large", "No space
// left on device"), which the library's report holds after "unix error: "; else the whole report.
std::string vipsReason(const std::exception& error)
{
    std::string reason = oneLine(error.what());
    vips_error_clear();
    const std::string system = "unix error: ";
    if (const size_t at = reason.find(system); at != std::string::npos) {
        const size_t start = at + system.size();
        return reason.substr(start, reason.find(';', start) - start);
    }
    return reason.empty() ? "the file is damaged or incomplete" : reason;
}

// The library reports progress while it computes an image (decoding, converting, encoding); each report asks the
// cancel probe and stops the computation when the user asked to stop.
extern "C" void stopWhenCancelled(VipsImage* image, VipsProgress*, void*)
{
    if (cancelRequested()) {
        vips_image_set_kill(image, TRUE);
    }
}

void watchForCancel(const VImage& image)
{
    vips_image_set_progress(image.get_image(), TRUE);
    g_signal_connect(image.get_image(), "eval", G_CALLBACK(stopWhenCancelled), nullptr);
}

// A failure of the library: CancelledError when it stopped because the user asked to, else HostError.
[[noreturn]] void failWith(const std::string& context, const std::exception& error)
{
    if (cancelRequested()) {
        vips_error_clear();
        throw CancelledError();
    }
    throw HostError(context + vipsReason(error));
}

bool isCmykInterpretation(VipsInterpretation interpretation)
{
    return interpretation == VIPS_INTERPRETATION_CMYK;
}

bool isGrayInterpretation(VipsInterpretation interpretation)
{
    return interpretation == VIPS_INTERPRETATION_B_W || interpretation == VIPS_INTERPRETATION_GREY16;
}

bool isLabInterpretation(VipsInterpretation interpretation)
{
    return interpretation == VIPS_INTERPRETATION_LAB || interpretation == VIPS_INTERPRETATION_LABQ ||
           interpretation == VIPS_INTERPRETATION_LABS || interpretation == VIPS_INTERPRETATION_LCH ||
           interpretation == VIPS_INTERPRETATION_CMC || interpretation == VIPS_INTERPRETATION_XYZ ||
           interpretation == VIPS_INTERPRETATION_YXY || interpretation == VIPS_INTERPRETATION_scRGB ||
           interpretation == VIPS_INTERPRETATION_HSV;
}

bool isIndexed(const VImage& image)
{
    return image.get_typeof("palette-bit-depth") != 0;
}

std::string depthText(const VImage& image)
{
    switch (image.format()) {
    case VIPS_FORMAT_UCHAR:
    case VIPS_FORMAT_CHAR:
        return "8-bit";
    case VIPS_FORMAT_USHORT:
    case VIPS_FORMAT_SHORT:
        return "16-bit";
    case VIPS_FORMAT_FLOAT:
    case VIPS_FORMAT_DOUBLE:
        return "floating-point";
    default:
        return "32-bit";
    }
}

// What the file holds, in the words of the error message that refuses it.
// One or two bands, or a gray interpretation, and no palette.
bool isGrayscale(const VImage& image)
{
    return !isIndexed(image) && (isGrayInterpretation(image.interpretation()) || image.bands() <= 2);
}

std::string describe(const VImage& image)
{
    VipsInterpretation interpretation = image.interpretation();
    std::string depth = depthText(image);
    if (isIndexed(image)) {
        return "Indexed (" + std::to_string(image.get_int("palette-bit-depth")) + "-bit palette)";
    }
    if (isGrayscale(image)) {
        return "Grayscale " + depth;
    }
    if (isCmykInterpretation(interpretation)) {
        return "CMYK " + depth;
    }
    if (interpretation == VIPS_INTERPRETATION_LAB || interpretation == VIPS_INTERPRETATION_LABS ||
        interpretation == VIPS_INTERPRETATION_LABQ) {
        return "Lab " + depth;
    }
    if (isLabInterpretation(interpretation)) {
        return std::string(vips_enum_nick(VIPS_TYPE_INTERPRETATION, interpretation)) + " " + depth;
    }
    return "RGB " + depth + " with " + std::to_string(image.bands()) + " channels";
}

bool isPlainRgb(const VImage& image)
{
    VipsInterpretation interpretation = image.interpretation();
    return image.format() == VIPS_FORMAT_UCHAR && !isIndexed(image) && !isGrayInterpretation(interpretation) &&
           !isCmykInterpretation(interpretation) && !isLabInterpretation(interpretation) &&
           (image.bands() == 3 || image.bands() == 4);
}

bool isPlainCmyk(const VImage& image)
{
    return image.format() == VIPS_FORMAT_UCHAR && isCmykInterpretation(image.interpretation()) &&
           (image.bands() == 4 || image.bands() == 5);
}

// Brings a refused kind of image to 8-bit RGB (or 8-bit CMYK for deep CMYK). Drops an ICC profile that no
// longer describes the pixels.
VImage convertToSupported(VImage image, bool& profileStillValid)
{
    profileStillValid = true;
    if (isCmykInterpretation(image.interpretation()) && image.bands() >= 4) {
        if (image.format() != VIPS_FORMAT_UCHAR) {
            image = image.cast(VIPS_FORMAT_UCHAR, VImage::option()->set("shift", true));
        }
        return image.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_CMYK));
    }
    VipsInterpretation from = image.interpretation();
    bool colourChanges = isGrayInterpretation(from) || isLabInterpretation(from) || image.bands() <= 2;
    if (colourChanges) {
        profileStillValid = false;
        if (image.bands() <= 2 && !isGrayInterpretation(from)) {
            image = image.copy(VImage::option()->set("interpretation", image.format() == VIPS_FORMAT_UCHAR
                                                                           ? VIPS_INTERPRETATION_B_W
                                                                           : VIPS_INTERPRETATION_GREY16));
        }
    }
    if (image.format() == VIPS_FORMAT_USHORT && !colourChanges) {
        image = image.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
    }
    image = image.colourspace(VIPS_INTERPRETATION_sRGB);
    if (image.format() != VIPS_FORMAT_UCHAR) {
        image = image.cast(VIPS_FORMAT_UCHAR);
    }
    if (image.bands() > 4) {
        image = image.extract_band(0, VImage::option()->set("n", 4));
    }
    return image;
}

std::vector<uint8_t> iccProfileOf(const VImage& image)
{
    if (image.get_typeof(VIPS_META_ICC_NAME) == 0) {
        return {};
    }
    size_t length = 0;
    const void* data = image.get_blob(VIPS_META_ICC_NAME, &length);
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + length);
}

// The host's CMYK bytes say 255 for no ink, the library (and the files, once it has decoded them) 0: the inks are
// turned over as the library moves the pixels between the file and the host's buffer, in the same pass.
VImage inksTurnedOver(const VImage& image, int32_t inkPlanes)
{
    VImage inks = image.extract_band(0, VImage::option()->set("n", inkPlanes)).invert();
    if (image.bands() == inkPlanes) {
        return inks;
    }
    return inks.bandjoin(image.extract_band(inkPlanes, VImage::option()->set("n", image.bands() - inkPlanes)));
}

// Decodes the image straight into the host's buffer, its one copy between the file and the filter: the library
// writes it as it would its own memory image.
std::vector<uint8_t> pixelBytes(const VImage& image)
{
    watchForCancel(image);
    std::vector<uint8_t> pixels = newPixelBuffer(VIPS_IMAGE_SIZEOF_IMAGE(image.get_image()));
    VipsImage* target = vips_image_new_from_memory(pixels.data(), pixels.size(), image.width(), image.height(),
                                                   image.bands(), VIPS_FORMAT_UCHAR);
    if (target == nullptr) {
        throw vips::VError();
    }
    const int failed = vips_image_write(image.get_image(), target);
    g_object_unref(target);
    if (failed != 0) {
        throw vips::VError();
    }
    return pixels;
}

HostImage hostImageFrom(const VImage& image, bool keepProfile)
{
    HostImage result;
    result.width = image.width();
    result.height = image.height();
    result.planes = image.bands();
    bool cmyk = isCmykInterpretation(image.interpretation());
    result.mode = cmyk ? int16_t(plugInModeCMYKColor) : int16_t(plugInModeRGBColor);
    result.colorPlanes = cmyk ? 4 : 3;
    result.hasAlpha = result.planes > result.colorPlanes;
    result.pixels = pixelBytes(cmyk ? inksTurnedOver(image, 4) : image);
    if (keepProfile) {
        result.iccProfile = iccProfileOf(image);
    }
    result.xResolution = image.xres();
    result.yResolution = image.yres();
    return result;
}

// The file is opened by the host, not by name in the image library, which would read a name such as
// "a.png[page=2]" as options and would block on a FIFO. The descriptor stays open while the image is read.
struct OpenedImage {
    int fd = -1;
    VImage image;
    ~OpenedImage()
    {
        if (fd >= 0) {
            close(fd);
        }
    }
};

// The pixels are decoded once, from top to bottom, into the host's buffer: read in that order, the decoder
// needs no image-sized memory of its own.
vips::VOption* loadOptions()
{
    return VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR)->set("access", VIPS_ACCESS_SEQUENTIAL);
}

// Whether a loader knows the source; the optional modules are asked when no built-in loader does.
bool hasLoaderFor(vips::VSource& source)
{
    if (vips_foreign_find_load_source(source.get_source()) != nullptr) {
        return true;
    }
    vips_error_clear();
    if (!loadOptionalVipsModules() || vips_foreign_find_load_source(source.get_source()) == nullptr) {
        vips_error_clear();
        return false;
    }
    return true;
}

void openImage(const std::string& path, OpenedImage& opened)
{
    opened.fd = openRegularFile(path, maxImageFileBytes);
    try {
        vips::VSource source = vips::VSource::new_from_descriptor(opened.fd);
        if (!hasLoaderFor(source)) {
            throw HostError(path + ": not an image file in a format the host can read");
        }
        opened.image = VImage::new_from_source(source, "", loadOptions());
    } catch (const HostError&) {
        throw;
    } catch (const std::exception& e) {
        throw HostError(path + ": cannot read the image: " + vipsReason(e));
    }
}

int pagesOf(const VImage& image)
{
    return image.get_typeof("n-pages") != 0 ? image.get_int("n-pages") : 1;
}

HostImage loadImage(const std::string& path, const ImageLoadOptions& options)
{
    ensureVips();
    OpenedImage opened;
    openImage(path, opened);
    VImage& image = opened.image;
    const int pages = pagesOf(image);
    if (pages > 1 && !options.firstPage) {
        throw InformationLossError(path + ": the file holds " + std::to_string(pages) +
                                   " pages or frames; the output would keep only the first");
    }
    checkImageSize(image.width(), image.height(), path);
    try {
        bool keepProfile = true;
        if (!isPlainRgb(image) && !isPlainCmyk(image)) {
            if (!options.convert) {
                throw UnsupportedImageError(path, describe(image), isGrayscale(image));
            }
            image = convertToSupported(image, keepProfile);
        }
        if (options.checkSize) {
            options.checkSize(image.width(), image.height(), image.bands());
        }
        throwIfCancelled();
        return hostImageFrom(image, keepProfile);
    } catch (const HostError&) {
        throw;
    } catch (const std::exception& e) {
        failWith(path + ": cannot read the image: ", e);
    }
}

ImageDimensions readImageDimensions(const std::string& path)
{
    ensureVips();
    OpenedImage opened;
    openImage(path, opened);
    return ImageDimensions{opened.image.width(), opened.image.height(), opened.image.bands()};
}

VipsInterpretation interpretationFor(const HostImage& image)
{
    switch (image.mode) {
    case plugInModeCMYKColor:
        return VIPS_INTERPRETATION_CMYK;
    case plugInModeGrayScale:
        return VIPS_INTERPRETATION_B_W;
    default:
        return VIPS_INTERPRETATION_sRGB;
    }
}

VImage vipsImageOf(const HostImage& image)
{
    VImage memory = VImage::new_from_memory(const_cast<uint8_t*>(image.pixels.data()), image.pixels.size(), image.width,
                                            image.height, image.planes, VIPS_FORMAT_UCHAR);
    if (image.mode == plugInModeCMYKColor) {
        memory = inksTurnedOver(memory, std::min(image.colorPlanes, 4));
    }
    return describedAs(memory, image);
}

VImage describedAs(const VImage& pixels, const HostImage& image)
{
    VImage described = pixels.copy(VImage::option()
                                       ->set("interpretation", interpretationFor(image))
                                       ->set("xres", image.xResolution > 0 ? image.xResolution : 72.0 / 25.4)
                                       ->set("yres", image.yResolution > 0 ? image.yResolution : 72.0 / 25.4));
    if (!image.iccProfile.empty()) {
        vips_image_set_blob_copy(described.get_image(), VIPS_META_ICC_NAME, image.iccProfile.data(),
                                 image.iccProfile.size());
    }
    return described;
}

// The image as the format will hold it, after the conversions the options allow.
VImage adaptedTo(VImage image, const HostImage& source, const SaveFormat& format, const ImageSaveOptions& options)
{
    if (source.hasAlpha && !format.holdsAlpha && options.dropAlpha) {
        image = image.extract_band(0, VImage::option()->set("n", source.colorPlanes));
    }
    if (source.mode == plugInModeCMYKColor && !format.holdsCmyk && options.toRgb) {
        image = image.colourspace(VIPS_INTERPRETATION_sRGB);
        if (image.format() != VIPS_FORMAT_UCHAR) {
            image = image.cast(VIPS_FORMAT_UCHAR);
        }
        // The CMYK profile no longer describes the pixels.
        image = image.copy();
        image.remove(VIPS_META_ICC_NAME);
    }
    return image;
}

void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options)
{
    ensureVips();
    const std::string& path = file.target();
    const SaveFormat& format = checkSaveable(image, path, options);
    try {
        VImage output = adaptedTo(vipsImageOf(image), image, format, options);
        watchForCancel(output);
        output.write_to_target(format.encoder->suffix, vips::VTarget::new_to_descriptor(file.descriptor()));
    } catch (const std::exception& e) {
        failWith(path + ": cannot write the image: ", e);
    }
    throwIfCancelled();
}

} // namespace vendrel::vipsimage

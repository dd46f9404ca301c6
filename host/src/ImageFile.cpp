// Image files through libvips: decoding into the host's 8-bit interleaved images and back.
#include "vendrel/host/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include <vips/vips8>

namespace vendrel {

namespace {

using vips::VImage;

void ensureVips()
{
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        ready = VIPS_INIT("vendrel") == 0;
        if (ready) {
            // Every image is read once and written once: a cache only keeps memory alive.
            vips_cache_set_max(0);
            // The library's warnings would break the host's one-line messages; its errors are reported.
            g_log_set_handler("VIPS", G_LOG_LEVEL_WARNING, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
                              nullptr);
        }
    });
    if (!ready) {
        throw HostError("the image library (libvips) could not be started");
    }
}

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

std::string vipsReason(const std::exception& error)
{
    std::string reason = oneLine(error.what());
    vips_error_clear();
    return reason.empty() ? "the file is damaged or incomplete" : reason;
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
std::string describe(const VImage& image)
{
    VipsInterpretation interpretation = image.interpretation();
    std::string depth = depthText(image);
    if (isIndexed(image)) {
        return "Indexed (" + std::to_string(image.get_int("palette-bit-depth")) + "-bit palette)";
    }
    if (isGrayInterpretation(interpretation) || image.bands() <= 2) {
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
            image = image.copy(VImage::option()->set(
                "interpretation", image.format() == VIPS_FORMAT_UCHAR ? VIPS_INTERPRETATION_B_W
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

std::vector<uint8_t> pixelBytes(const VImage& image)
{
    size_t size = 0;
    void* memory = image.write_to_memory(&size);
    const uint8_t* bytes = static_cast<const uint8_t*>(memory);
    std::vector<uint8_t> pixels(bytes, bytes + size);
    g_free(memory);
    return pixels;
}

// The host's CMYK bytes say 255 for no ink; libvips (and the files, once it has decoded them) say 0.
void invertInks(std::vector<uint8_t>& pixels, int32_t planes, int32_t inkPlanes)
{
    for (size_t i = 0; i < pixels.size(); i += size_t(planes)) {
        for (int32_t p = 0; p < inkPlanes; ++p) {
            pixels[i + size_t(p)] = uint8_t(255 - pixels[i + size_t(p)]);
        }
    }
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
    result.pixels = pixelBytes(image);
    if (cmyk) {
        invertInks(result.pixels, result.planes, 4);
    }
    if (keepProfile) {
        result.iccProfile = iccProfileOf(image);
    }
    result.xResolution = image.xres();
    result.yResolution = image.yres();
    return result;
}

VImage openImage(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        throw HostError(path + ": no such file");
    }
    if (std::filesystem::is_directory(path, error)) {
        throw HostError(path + ": is a folder, not an image file");
    }
    if (vips_foreign_find_load(path.c_str()) == nullptr) {
        vips_error_clear();
        throw HostError(path + ": not an image file in a format the host can read");
    }
    try {
        return VImage::new_from_file(path.c_str(), VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR));
    } catch (const std::exception& e) {
        throw HostError(path + ": cannot read the image: " + vipsReason(e));
    }
}

void checkSize(const VImage& image, const std::string& path)
{
    if (image.width() > maxImageSide || image.height() > maxImageSide) {
        throw HostError(path + ": the image is " + std::to_string(image.width()) + " x " +
                        std::to_string(image.height()) + " pixels; the host handles at most " +
                        std::to_string(maxImageSide) + " pixels in either direction");
    }
}

} // namespace

UnsupportedImageError::UnsupportedImageError(const std::string& path, std::string description)
    : HostError(path + ": " + description + " images are not supported"), description_(std::move(description))
{
}

HostImage loadImage(const std::string& path, const ImageLoadOptions& options)
{
    ensureVips();
    VImage image = openImage(path);
    checkSize(image, path);
    try {
        bool keepProfile = true;
        if (!isPlainRgb(image) && !isPlainCmyk(image)) {
            if (!options.convert) {
                throw UnsupportedImageError(path, describe(image));
            }
            image = convertToSupported(image, keepProfile);
        }
        return hostImageFrom(image, keepProfile);
    } catch (const HostError&) {
        throw;
    } catch (const std::exception& e) {
        throw HostError(path + ": cannot read the image: " + vipsReason(e));
    }
}

namespace {

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

// A file beside the target with the same extension (libvips chooses the format by it), created empty.
struct TemporaryFile {
    std::string path;
    bool kept = false;

    explicit TemporaryFile(const std::string& target)
    {
        std::filesystem::path targetPath(target);
        std::filesystem::path folder = targetPath.parent_path();
        std::string extension = targetPath.extension().string();
        std::string name = "." + targetPath.stem().string() + ".vendrel-XXXXXX" + extension;
        std::string pattern = (folder.empty() ? std::filesystem::path(name) : folder / name).string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        int fd = mkstemps(buffer.data(), int(extension.size()));
        if (fd < 0) {
            throw HostError(target + ": cannot write: " + std::strerror(errno));
        }
        close(fd);
        path = buffer.data();
    }
    ~TemporaryFile()
    {
        if (!kept) {
            unlink(path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
};

// A new file gets the permissions any new file would get; a replaced file keeps its own.
mode_t permissionsFor(const std::string& target)
{
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

VImage vipsImageOf(const HostImage& image, std::vector<uint8_t>& bytes)
{
    bytes = image.pixels;
    if (image.mode == plugInModeCMYKColor) {
        invertInks(bytes, image.planes, std::min(image.colorPlanes, 4));
    }
    VImage memory = VImage::new_from_memory(bytes.data(), bytes.size(), image.width, image.height, image.planes,
                                            VIPS_FORMAT_UCHAR);
    VImage described = memory.copy(VImage::option()
                                       ->set("interpretation", interpretationFor(image))
                                       ->set("xres", image.xResolution > 0 ? image.xResolution : 72.0 / 25.4)
                                       ->set("yres", image.yResolution > 0 ? image.yResolution : 72.0 / 25.4));
    if (!image.iccProfile.empty()) {
        vips_image_set_blob_copy(described.get_image(), VIPS_META_ICC_NAME, image.iccProfile.data(),
                                 image.iccProfile.size());
    }
    return described;
}

void checkSaveable(const HostImage& image, const std::string& path)
{
    if (!canSaveImage(path)) {
        throw HostError(path + ": unknown image format (use a name ending in .png, .jpg, .tif or .webp)");
    }
    if (image.width <= 0 || image.height <= 0 || image.planes <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.planes)) {
        throw HostError(path + ": the image to write is empty or malformed");
    }
}

} // namespace

bool canSaveImage(const std::string& path)
{
    ensureVips();
    bool known = vips_foreign_find_save(path.c_str()) != nullptr;
    vips_error_clear();
    return known;
}

void saveImage(const HostImage& image, const std::string& path)
{
    ensureVips();
    checkSaveable(image, path);
    mode_t permissions = permissionsFor(path);
    TemporaryFile temporary(path);
    try {
        std::vector<uint8_t> bytes;
        VImage output = vipsImageOf(image, bytes);
        output.write_to_file(temporary.path.c_str());
    } catch (const std::exception& e) {
        throw HostError(path + ": cannot write the image: " + vipsReason(e));
    }
    chmod(temporary.path.c_str(), permissions);
    if (std::rename(temporary.path.c_str(), path.c_str()) != 0) {
        throw HostError(path + ": cannot write: " + std::strerror(errno));
    }
    temporary.kept = true;
}

} // namespace vendrel

namespace vendrel {

std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide)
{
    ensureVips();
    if (image.mode == plugInModeCMYKColor) {
        throw HostError("a CMYK image has no PNG form");
    }
    try {
        std::vector<uint8_t> bytes;
        VImage png = vipsImageOf(image, bytes);
        if (maxSide > 0 && std::max(image.width, image.height) > maxSide) {
            png = png.thumbnail_image(maxSide, VImage::option()->set("height", maxSide)->set("size", VIPS_SIZE_DOWN));
        }
        void* buffer = nullptr;
        size_t size = 0;
        png.write_to_buffer(".png", &buffer, &size);
        std::vector<uint8_t> encoded(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + size);
        g_free(buffer);
        return encoded;
    } catch (const std::exception& e) {
        throw HostError("cannot encode a PNG image: " + vipsReason(e));
    }
}

} // namespace vendrel

// The checks and format choices both systems' image files share, so that a run refuses and reports alike on each.
#include "ImageFileChecks.h"

#include <cctype>
#include <filesystem>

namespace vendrel {

UnsupportedImageError::UnsupportedImageError(const std::string& path, std::string description, bool grayscale)
    : HostError(path + ": " + description + " images are not supported"), description_(std::move(description)),
      grayscale_(grayscale)
{
}

void checkImageSize(int64_t width, int64_t height, const std::string& path)
{
    if (width > maxImageSide || height > maxImageSide) {
        throw HostError(path + ": the image is " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels; the host handles at most " + std::to_string(maxImageSide) +
                        " pixels in either direction");
    }
}

const SaveFormat* saveFormatOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const SaveFormat& format : systemSaveFormats().formats) {
        if (extension == format.extension) {
            return &format;
        }
    }
    return nullptr;
}

std::string formatName(const SaveFormat& format)
{
    std::string name = format.extension + 1;
    for (char& c : name) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

const SaveFormat& checkSaveable(const HostImage& image, const std::string& path, const ImageSaveOptions& options)
{
    const SaveFormat* format = saveFormatOf(path);
    if (format == nullptr) {
        throw HostError(path + ": unknown image format (use a name ending in " + systemSaveFormats().names + ")");
    }
    if (image.width <= 0 || image.height <= 0 || image.planes <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.planes)) {
        throw HostError(path + ": the image to write is empty or malformed");
    }
    std::string lost = lossOnSaving(image, path, options);
    if (!lost.empty()) {
        throw InformationLossError(path + ": " + lost);
    }
    return *format;
}

std::string lossOnSaving(const HostImage& image, const std::string& path, const ImageSaveOptions& options)
{
    const SaveFormat* format = saveFormatOf(path);
    if (format == nullptr) {
        return {};
    }
    const std::string name = formatName(*format);
    if (image.hasAlpha && !format->holdsAlpha && !options.dropAlpha) {
        return name + " holds no alpha channel; the image's transparency would be lost";
    }
    if (image.mode == plugInModeCMYKColor && !format->holdsCmyk && !options.toRgb) {
        return name + " holds no CMYK; the image's inks would be converted to RGB";
    }
    return {};
}

bool canSaveImage(const std::string& path)
{
    return saveFormatOf(path) != nullptr;
}

} // namespace vendrel

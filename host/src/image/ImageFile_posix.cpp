// The Linux host's image files: plain PNG files (PlainPng.h) are read and written here, through libpng; each
// public function hands everything else to the image codecs (ImageCodecs.h), which this program links or loads on
// the first call, so a run from plain PNG to plain PNG never starts the image library.
#include "vendrel/host/ImageFile.h"

#include <algorithm>

#include "ImageCodecs.h"
#include "ImageFileChecks.h"
#include "PlainPng.h"

namespace vendrel {

namespace {

constexpr SaveEncoder png{".png"}, jpeg{".jpg"}, tiff{".tif"}, webp{".webp"};

// Single-file formats only: the image library also knows formats that write several files, or none at all.
constexpr SaveFormat saveFormats[] = {
    {".png", &png, true, false}, {".jpg", &jpeg, false, true}, {".jpeg", &jpeg, false, true},
    {".tif", &tiff, true, true}, {".tiff", &tiff, true, true}, {".webp", &webp, true, false},
};

} // namespace

const SaveFormats& systemSaveFormats()
{
    static const SaveFormats formats{saveFormats, ".png, .jpg, .tif or .webp"};
    return formats;
}

HostImage loadImage(const std::string& path, const ImageLoadOptions& options)
{
    if (std::optional<HostImage> plain = plainpng::load(path, options)) {
        return std::move(*plain);
    }
    return imageCodecs().loadImage(path, options);
}

ImageDimensions readImageDimensions(const std::string& path)
{
    if (std::optional<ImageDimensions> plain = plainpng::dimensions(path)) {
        return *plain;
    }
    return imageCodecs().readImageDimensions(path);
}

void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options)
{
    if (checkSaveable(image, file.target(), options).encoder == &png && plainpng::encodes(image)) {
        plainpng::write(image, file);
        return;
    }
    imageCodecs().writeImage(image, file, options);
}

void saveImage(const HostImage& image, const std::string& path, const ImageSaveOptions& options)
{
    checkSaveable(image, path, options);
    PendingFile file(path);
    writeImage(image, file, options);
    file.commit();
}

std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide)
{
    if (plainpng::encodes(image) && (maxSide <= 0 || std::max(image.width, image.height) <= maxSide)) {
        return plainpng::encode(image);
    }
    return imageCodecs().encodePng(image, maxSide);
}

std::vector<uint8_t> encodeComposedPng(const HostImage& like, const std::vector<uint8_t>& source, int32_t sourcePlanes,
                                       const RowComposer& compose, GrowingBytes* copy)
{
    if (std::optional<std::vector<uint8_t>> plain =
            plainpng::encodeComposed(like, source, sourcePlanes, compose, copy)) {
        return std::move(*plain);
    }
    std::vector<uint8_t> encoded = imageCodecs().encodeComposedPng(like, source, sourcePlanes, compose);
    if (copy != nullptr) {
        copy->append(encoded.data(), encoded.size());
    }
    return encoded;
}

void prepareImageLibrary() noexcept
{
    startLoadingImageCodecs();
}

void prepareToWrite(const std::string& path)
{
    if (const SaveFormat* format = saveFormatOf(path); format != nullptr && format->encoder != &png) {
        startLoadingImageCodecs();
    }
}

std::vector<uint8_t> pngThumbnail(GrowingBytes& png, int32_t maxSide)
{
    return imageCodecs().pngThumbnail(png, maxSide);
}

} // namespace vendrel

// The Linux host's image files: each public function hands its work to the image codecs (ImageCodecs.h), which
// this program links or loads on the first call.
#include "vendrel/host/ImageFile.h"

#include "ImageCodecs.h"
#include "ImageFileChecks.h"

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
    return imageCodecs().loadImage(path, options);
}

ImageDimensions readImageDimensions(const std::string& path)
{
    return imageCodecs().readImageDimensions(path);
}

void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options)
{
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
    return imageCodecs().encodePng(image, maxSide);
}

std::vector<uint8_t> encodeComposedPng(const HostImage& like, const std::vector<uint8_t>& source, int32_t sourcePlanes,
                                       const RowComposer& compose)
{
    return imageCodecs().encodeComposedPng(like, source, sourcePlanes, compose);
}

std::vector<uint8_t> pngThumbnail(const std::vector<uint8_t>& png, int32_t maxSide)
{
    return imageCodecs().pngThumbnail(png, maxSide);
}

} // namespace vendrel

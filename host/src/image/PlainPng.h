// PNG files the host reads and writes itself through libpng, without starting the image library: 8-bit RGB with
// or without alpha, not interlaced, with no ICC profile and no transparency chunk, which is what most runs read
// and write. The pixels, resolution and bytes are the ones the image library gives for the same files and
// images (it goes through libpng with the same settings); anything else is left to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vendrel/host/GrowingBytes.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::plainpng {

// The image in the file when it is a plain PNG that decodes without error; nullopt for any other file (the
// image library then reads it, or says why it cannot). Throws HostError as openRegularFile does and for an image
// larger than the host handles, what options.checkSize throws, and CancelledError.
std::optional<HostImage> load(const std::string& path, const ImageLoadOptions& options = {});

// The size of the image when the file is a plain PNG; nullopt otherwise.
std::optional<ImageDimensions> dimensions(const std::string& path);

// Whether write and encode take the image: 8-bit RGB or gray, with or without alpha, without an ICC profile.
bool encodes(const HostImage& image);

// Writes the image as PNG into the pending file. Throws HostError with the system's reason when the bytes cannot
// be written, CancelledError.
void write(const HostImage& image, PendingFile& file);

// The image as PNG bytes. Throws CancelledError.
std::vector<uint8_t> encode(const HostImage& image);

// As encode of an image like `like` whose rows compose makes from the rows of the plain PNG `source` (with
// sourcePlanes planes, like's size), one row at a time: neither image is ever whole. Each piece of the encoded
// bytes is also appended to copy, when given, as it is made. nullopt when like or source is not plain (nothing
// was encoded then). Throws HostError when the source's pixels do not decode, CancelledError.
std::optional<std::vector<uint8_t>> encodeComposed(const HostImage& like, const std::vector<uint8_t>& source,
                                                   int32_t sourcePlanes, const RowComposer& compose,
                                                   GrowingBytes* copy);

} // namespace vendrel::plainpng

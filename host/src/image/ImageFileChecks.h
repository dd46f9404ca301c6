// What the image files decide alike on every system: the format a name asks for, the checks before an image is
// written, and the largest image read. Each system's image file supplies its formats and their encoders.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "vendrel/host/ImageFile.h"

namespace vendrel {

// How the system's image library is told to write a format: each system's image file defines it.
struct SaveEncoder;

// A single-file format the host writes, chosen by the extension of the file's name.
struct SaveFormat {
    const char* extension; // lower case, with its dot
    const SaveEncoder* encoder;
    bool holdsAlpha;
    bool holdsCmyk;
};

struct SaveFormats {
    std::span<const SaveFormat> formats;
    const char* names; // as the error for any other name lists them
};

// The formats this system writes, defined by its image file.
const SaveFormats& systemSaveFormats();

// The format the name's extension names, in any case; null when none.
const SaveFormat* saveFormatOf(const std::string& path);

// The format as messages name it: its extension in capitals ("PNG").
std::string formatName(const SaveFormat& format);

// The format the image is written in. Throws HostError for a name that names no format or a malformed image,
// InformationLossError when the format cannot hold the image as the options allow.
const SaveFormat& checkSaveable(const HostImage& image, const std::string& path, const ImageSaveOptions& options);

// Throws HostError when either side is longer than the host handles.
void checkImageSize(int64_t width, int64_t height, const std::string& path);

} // namespace vendrel

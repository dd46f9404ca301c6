// A helper of the command tests under wine: writes the CMYK line art they fill, and compares two image files
// by the pixels the host decodes from them (never by their bytes).
//   image_check cmyk-line-art OUT.tif
//   image_check same A B        exit status 0 when both hold the same mode, size, planes and pixels
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "vendrel/host/ImageFile.h"

using namespace vendrel;

namespace {

// Black lines (full black ink) on paper, closing a grid of cells, with a cyan band that the fill tolerance
// keeps apart from the paper.
HostImage cmykLineArt()
{
    HostImage image = HostImage::blank(96, 64, plugInModeCMYKColor);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* pixel = image.pixel(x, y);
            const bool line = x % 24 == 0 || y % 20 == 0 || x == image.width - 1 || y == image.height - 1;
            if (line) {
                pixel[3] = 0; // the host's CMYK bytes: 0 is full ink, 255 none
            } else if (y > 44 && x < 48) {
                pixel[0] = 55;
            }
        }
    }
    return image;
}

int same(const std::string& a, const std::string& b)
{
    const HostImage first = loadImage(a), second = loadImage(b);
    if (first.mode != second.mode || first.width != second.width || first.height != second.height ||
        first.planes != second.planes) {
        std::fprintf(stderr, "%s and %s differ in mode, size or planes\n", a.c_str(), b.c_str());
        return 1;
    }
    for (size_t i = 0; i < first.pixels.size(); ++i) {
        if (first.pixels[i] != second.pixels[i]) {
            const size_t pixel = i / size_t(first.planes);
            std::fprintf(stderr, "%s and %s differ at x %zu, y %zu, plane %zu: %d against %d\n", a.c_str(), b.c_str(),
                         pixel % size_t(first.width), pixel / size_t(first.width), i % size_t(first.planes),
                         first.pixels[i], second.pixels[i]);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "cmyk-line-art") == 0) {
            saveImage(cmykLineArt(), argv[2]);
            return 0;
        }
        if (argc == 4 && std::strcmp(argv[1], "same") == 0) {
            return same(argv[2], argv[3]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "image_check: %s\n", e.what());
        return 2;
    }
    std::fprintf(stderr, "usage: image_check cmyk-line-art OUT.tif | same A B\n");
    return 2;
}

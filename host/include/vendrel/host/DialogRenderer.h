// Draws a dialog of the host's dialog manager as it stands into an RGB raster or a PNG file: background and
// frame, then every item at its rectangle (texts, entry fields with their values, check marks, radios, the
// popup's chosen entry, frames, push buttons, the picture buttons' bitmaps, custom items through their own
// draw callbacks). Disabled items are drawn greyed. Items outside the dialog's rectangle are clipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel {

class AdmDialog;

struct RgbRaster {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels; // red, green, blue per pixel, rows from the top

    RgbRaster() = default;
    RgbRaster(int32_t w, int32_t h, uint8_t red, uint8_t green, uint8_t blue);
    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t* at(int32_t x, int32_t y) { return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
    const uint8_t* at(int32_t x, int32_t y) const { return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

// The dialog as it stands, the size of its local rectangle. Custom items' draw callbacks run during the call.
RgbRaster renderDialog(AdmDialog& dialog);

// Writes the raster as a PNG file. Throws HostError when the file cannot be written.
void writePng(const RgbRaster& raster, const std::string& path);

// Both of the above; usable from a front end's modal loop (e.g. to draw a dialog as it opens).
void renderDialogToPng(AdmDialog& dialog, const std::string& path);

} // namespace vendrel

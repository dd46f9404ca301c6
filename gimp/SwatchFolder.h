// The swatch folder a GIMP run hands the filter: a private folder whose "Color Swatches" holds the presets'
// swatch files and, beside them, each of the user's GIMP palettes converted into a swatch file, so that the
// filter's palette list offers the palettes the user already has.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::gimp {

// The swatch file name for a GIMP palette ("Named Colors.aco"); '/' becomes '-'.
std::string swatchFileName(const std::string& paletteName);

class SwatchFolder {
public:
    // Builds the folder from the presets (the folder holding "Color Swatches") and GIMP's palettes. When the
    // private folder cannot be made, the presets folder is used as it is.
    explicit SwatchFolder(const std::string& presetsFolder);
    ~SwatchFolder(); // removes the private folder
    SwatchFolder(const SwatchFolder&) = delete;
    SwatchFolder& operator=(const SwatchFolder&) = delete;

    // The folder that holds "Color Swatches", for the host.
    const std::string& hostFolder() const { return hostFolder_; }

private:
    std::string privateFolder_;
    std::string hostFolder_;
};

} // namespace vendrel::gimp

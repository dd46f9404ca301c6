// Turns the palette the user named into what the filter understands: a file name inside the host folder's
// "Color Swatches". A swatch file elsewhere is reached by pointing the host folder at it: at its grandparent
// when it already sits in a folder called "Color Swatches", else at a temporary folder holding a copy of the
// part of it a run reads (its colours). A file larger than any swatch file can be is refused. A GIMP palette
// (.gpl), wherever it is, reaches the filter as a swatch file of its colours in such a temporary folder.
#pragma once

#include <memory>
#include <string>

#include "SettingOptions.h"
#include "TemporaryFolder.h"

namespace vendrel {

class PaletteChoice {
public:
    // presetsFolder: the host folder that holds "Color Swatches". Throws UsageError for a palette that does
    // not exist.
    PaletteChoice(const std::string& presetsFolder, const std::string& palette);
    ~PaletteChoice();
    PaletteChoice(const PaletteChoice&) = delete;
    PaletteChoice& operator=(const PaletteChoice&) = delete;

    const std::string& hostFolder() const { return hostFolder_; }
    const std::string& fileName() const { return fileName_; }
    // The user's own file, as messages name it (not the copy the filter reads).
    const std::string& userPath() const { return userPath_; }

private:
    void useFileElsewhere(const std::string& path);
    std::string hostFolder_;
    std::string fileName_;
    std::string userPath_;
    std::unique_ptr<TemporaryFolder> temporaryFolder_; // holds the copy; removed with the choice
};

// The palette the settings name, made reachable from a host folder, with the setting rewritten to its file
// name there; null when the settings name none, and the presets folder serves as the host folder.
std::unique_ptr<PaletteChoice> choosePalette(const std::string& presetsFolder, SettingOptions& settings);

// Whether a palette value names a file by its path rather than by its name in the swatch folder.
bool isPalettePath(const std::string& palette);

// Whether a palette name is a plain file name inside the swatch folder, as the filter requires: no path
// separator and no "..". The filter reads any other name as no palette.
bool isPaletteFileName(const std::string& name);
inline constexpr const char* paletteNameRule = "a palette name holds no '/', '\\' or '..'";

} // namespace vendrel

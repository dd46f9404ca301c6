#include "SwatchFolder.h"

#include <filesystem>
#include <fstream>

#include <libgimp/gimp.h>

#include "vendrel/host/SwatchFile.h"

namespace vendrel::gimp {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSwatches = "Color Swatches";

std::vector<std::array<uint8_t, 3>> paletteColors(const char* name)
{
    gint count = 0;
    GimpRGB* colors = gimp_palette_get_colors(name, &count);
    std::vector<std::array<uint8_t, 3>> result;
    for (gint i = 0; colors != nullptr && i < count; ++i) {
        guchar red = 0, green = 0, blue = 0;
        gimp_rgb_get_uchar(&colors[i], &red, &green, &blue);
        result.push_back({red, green, blue});
    }
    g_free(colors);
    return result;
}

// The presets' swatch files, linked in; a link that cannot be made is copied.
void linkPresets(const fs::path& presets, const fs::path& swatches)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(presets / kSwatches, error)) {
        const fs::path target = swatches / entry.path().filename();
        fs::create_symlink(fs::absolute(entry.path()), target, error);
        if (error) {
            fs::copy(entry.path(), target, error);
        }
    }
}

// GIMP's palettes as swatch files; a preset of the same name keeps its place.
void convertPalettes(const fs::path& swatches)
{
    gint count = 0;
    gchar** names = gimp_palettes_get_list("", &count);
    for (gint i = 0; names != nullptr && i < count; ++i) {
        const fs::path file = swatches / swatchFileName(names[i]);
        std::error_code error;
        if (fs::exists(file, error)) {
            continue;
        }
        const std::vector<uint8_t> bytes = rgbSwatchFileBytes(paletteColors(names[i]));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    g_strfreev(names);
}

} // namespace

std::string swatchFileName(const std::string& paletteName)
{
    std::string name = paletteName;
    for (char& c : name) {
        if (c == '/') {
            c = '-';
        }
    }
    return name + ".aco";
}

SwatchFolder::SwatchFolder(const std::string& presetsFolder) : hostFolder_(presetsFolder)
{
    gchar* folder = g_dir_make_tmp("vendrel-gimp-XXXXXX", nullptr);
    if (folder == nullptr) {
        return;
    }
    privateFolder_ = folder;
    g_free(folder);
    const fs::path swatches = fs::path(privateFolder_) / kSwatches;
    std::error_code error;
    fs::create_directory(swatches, error);
    linkPresets(presetsFolder, swatches);
    convertPalettes(swatches);
    hostFolder_ = privateFolder_;
}

SwatchFolder::~SwatchFolder()
{
    if (!privateFolder_.empty()) {
        std::error_code error;
        fs::remove_all(privateFolder_, error);
    }
}

} // namespace vendrel::gimp

#include "PaletteChoice.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "ExitCodes.h"
#include "vendrel/host/GimpPalette.h"
#include "vendrel/host/PrintableText.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

const char* const swatchFolderName = "Color Swatches";

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// A swatch file larger than any swatch file can be is no swatch file; reading or copying it would only cost.
void checkSwatchFileSize(const fs::path& path, const std::string& given)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (!error && size > maxSwatchFileBytes) {
        throw UsageError("--palette: " + given + ": the file holds " + std::to_string(size) +
                         " bytes; a swatch file holds at most " + std::to_string(maxSwatchFileBytes));
    }
}

// The part of the swatch file a run reads (its colours), copied; the rest of the file is never read.
void copySwatchColours(const fs::path& from, const fs::path& to, std::error_code& error)
{
    std::ifstream in(from, std::ios::binary);
    std::vector<char> bytes(swatchColourSectionBytes);
    in.read(bytes.data(), std::streamsize(bytes.size()));
    if (in.bad()) {
        error = std::make_error_code(std::errc::io_error);
        return;
    }
    bytes.resize(size_t(in.gcount()));
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        error = std::make_error_code(std::errc::io_error);
    }
}

} // namespace

bool isPalettePath(const std::string& palette)
{
    return palette.find('/') != std::string::npos;
}

bool isPaletteFileName(const std::string& name)
{
    return name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos;
}

PaletteChoice::PaletteChoice(const std::string& presetsFolder, const std::string& palette)
{
    if (isPalettePath(palette)) {
        useFileElsewhere(palette);
        return;
    }
    if (!isPaletteFileName(palette)) {
        throw UsageError("--palette: \"" + shortText(palette) + "\" is not a file name in the swatch folder (" +
                         paletteNameRule + ")");
    }
    hostFolder_ = presetsFolder;
    fs::path folder = fs::path(presetsFolder) / swatchFolderName;
    if (isGimpPaletteName(palette) && isFile(folder / palette)) {
        useFileElsewhere((folder / palette).string());
        return;
    }
    if (!isGimpPaletteName(palette) && !isFile(folder / palette) && !isFile(folder / (palette + ".aco")) &&
        isFile(folder / (palette + ".gpl"))) {
        useFileElsewhere((folder / (palette + ".gpl")).string());
        return;
    }
    if (isFile(folder / palette)) {
        fileName_ = palette;
    } else if (fs::path(palette).extension() != ".aco" && isFile(folder / (palette + ".aco"))) {
        fileName_ = palette + ".aco";
    } else {
        throw UsageError("--palette: no swatch file \"" + shortText(palette) + "\" in " + folder.string() +
                         " (vendrel palettes lists them)");
    }
    checkSwatchFileSize(folder / fileName_, palette);
    userPath_ = (folder / fileName_).string();
}

void PaletteChoice::useFileElsewhere(const std::string& path)
{
    fs::path file = fs::absolute(path);
    if (!isFile(file)) {
        throw UsageError("--palette: no such swatch file: " + path);
    }
    checkSwatchFileSize(file, path);
    userPath_ = path;
    const bool gimpPalette = isGimpPaletteName(path);
    // A GIMP palette reaches the filter as a swatch file of its colours, named after it.
    fileName_ = gimpPalette ? file.stem().string() + ".aco" : file.filename().string();
    if (!isPaletteFileName(fileName_)) {
        throw UsageError("--palette: " + path + ": the filter cannot use a swatch file named \"" + fileName_ + "\" (" +
                         paletteNameRule + ")");
    }
    if (!gimpPalette && file.parent_path().filename() == swatchFolderName) {
        hostFolder_ = file.parent_path().parent_path().string();
        return;
    }
    std::vector<uint8_t> converted;
    if (gimpPalette) {
        try {
            converted = rgbSwatchFileBytes(readGimpPalette(path));
        } catch (const HostError& e) {
            throw UsageError(std::string("--palette: ") + e.what());
        }
    }
    try {
        temporaryFolder_ = std::make_unique<TemporaryFolder>("vendrel-palette-");
    } catch (const std::exception& e) {
        throw UsageError(std::string("--palette: ") + e.what());
    }
    fs::path copyFolder = fs::path(temporaryFolder_->path()) / swatchFolderName;
    std::error_code error;
    fs::create_directory(copyFolder, error);
    if (!error && gimpPalette) {
        std::ofstream out(copyFolder / fileName_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(converted.data()), std::streamsize(converted.size()));
        if (!out.flush()) {
            error = std::make_error_code(std::errc::io_error);
        }
    } else if (!error) {
        copySwatchColours(file, copyFolder / fileName_, error);
    }
    if (error) {
        throw UsageError("--palette: cannot copy " + path + ": " + error.message());
    }
    hostFolder_ = temporaryFolder_->path();
}

std::unique_ptr<PaletteChoice> choosePalette(const std::string& presetsFolder, SettingOptions& settings)
{
    std::optional<std::string> palette = settings.pathValue();
    if (!palette || palette->empty()) {
        return nullptr;
    }
    auto choice = std::make_unique<PaletteChoice>(presetsFolder, *palette);
    settings.setPathValue(choice->fileName());
    return choice;
}

PaletteChoice::~PaletteChoice() = default;

} // namespace vendrel

#include "PaletteChoice.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "ExitCodes.h"

namespace vendrel {

namespace {

namespace fs = std::filesystem;

const char* const swatchFolderName = "Color Swatches";

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
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
        throw UsageError("--palette: \"" + palette + "\" is not a file name in the swatch folder (" + paletteNameRule +
                         ")");
    }
    hostFolder_ = presetsFolder;
    fs::path folder = fs::path(presetsFolder) / swatchFolderName;
    if (isFile(folder / palette)) {
        fileName_ = palette;
    } else if (fs::path(palette).extension() != ".aco" && isFile(folder / (palette + ".aco"))) {
        fileName_ = palette + ".aco";
    } else {
        throw UsageError("--palette: no swatch file \"" + palette + "\" in " + folder.string() +
                         " (vendrel palettes lists them)");
    }
}

void PaletteChoice::useFileElsewhere(const std::string& path)
{
    fs::path file = fs::absolute(path);
    if (!isFile(file)) {
        throw UsageError("--palette: no such swatch file: " + path);
    }
    fileName_ = file.filename().string();
    if (!isPaletteFileName(fileName_)) {
        throw UsageError("--palette: " + path + ": the filter cannot use a swatch file named \"" + fileName_ + "\" (" +
                         paletteNameRule + ")");
    }
    if (file.parent_path().filename() == swatchFolderName) {
        hostFolder_ = file.parent_path().parent_path().string();
        return;
    }
    try {
        temporaryFolder_ = std::make_unique<TemporaryFolder>("vendrel-palette-");
    } catch (const std::exception& e) {
        throw UsageError(std::string("--palette: ") + e.what());
    }
    fs::path copyFolder = fs::path(temporaryFolder_->path()) / swatchFolderName;
    std::error_code error;
    fs::create_directory(copyFolder, error);
    if (!error) {
        fs::copy_file(file, copyFolder / fileName_, error);
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

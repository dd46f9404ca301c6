// vendrel palettes: the swatch files the filter's dialog would offer, with their colours.
#include <cstdio>
#include <filesystem>

#include "Commands.h"
#include "ExitCodes.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/PrintableText.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

// File names and colour names come from the files: their control characters are escaped, so that a name can
// neither act on the terminal nor start a line that looks like a listing of its own.
void printPalette(const std::filesystem::path& file)
{
    const std::string name = printableText(file.filename().string());
    std::vector<Swatch> colors;
    try {
        colors = readSwatchFile(file.string());
    } catch (const HostError& e) {
        std::printf("%s: unreadable (%s)\n", name.c_str(), printableText(e.what()).c_str());
        return;
    }
    if (colors.empty()) {
        std::printf("%s: no colours (the filter would use random colours)\n", name.c_str());
        return;
    }
    std::printf("%s: %zu colours\n", name.c_str(), colors.size());
    for (const Swatch& swatch : colors) {
        std::printf("  %-22s %s\n", describeSwatch(swatch).c_str(), shortText(swatch.name, 200).c_str());
    }
}

} // namespace

int listPalettes(const std::string& presetsFolder)
{
    std::filesystem::path folder = std::filesystem::path(presetsFolder) / "Color Swatches";
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        printError(folder.string() + ": no such folder; the filter would offer only \"Random Colors\"");
        return exitFailure;
    }
    std::vector<std::string> names = listSwatchFiles(folder.string());
    std::printf("%s\n", printableText(folder.string()).c_str());
    if (names.empty()) {
        std::printf("no swatch files; the filter would offer only \"Random Colors\"\n");
    }
    for (const std::string& name : names) {
        printPalette(folder / name);
    }
    return exitSuccess;
}

} // namespace vendrel

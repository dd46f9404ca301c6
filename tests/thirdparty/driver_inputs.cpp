#include "driver_inputs.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "AppDataFolder.h"
#include "VendrelParams.h"

namespace vendrel::thirdparty {
namespace {

constexpr int kRoamingAppDataFolder = 26; // CSIDL_APPDATA
constexpr uint16 kWhite = 65535;

std::string RoamingFolder()
{
    char folder[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, kRoamingAppDataFolder, TRUE))
        throw std::runtime_error("the system names no roaming application-data folder");
    return folder;
}

// The module writes its preferences with CRLF line ends on Windows, and reads them so.
std::string WithCrlf(const std::string& text)
{
    std::string converted;
    for (char c : text)
        converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return converted;
}

uint8_t Channel(int value)
{
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

void SetPixel(HostImage& image, int32_t x, int32_t y, int red, int green, int blue)
{
    uint8_t* pixel = image.pixel(x, y);
    pixel[0] = Channel(red);
    pixel[1] = Channel(green);
    pixel[2] = Channel(blue);
}

// The distance to the nearest line of the grid of cells (lines every 60 pixels across, 50 down, and the border).
int DistanceToLine(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const int across = std::min({x % 60, 60 - x % 60, width - 1 - x});
    const int down = std::min({y % 50, 50 - y % 50, height - 1 - y});
    return std::min(across, down);
}

// The colour inside cell (column, row), away from its lines.
void PaintCell(HostImage& image, int32_t x, int32_t y)
{
    const int column = x / 60, row = y / 50;
    switch ((column + 2 * row) % 5) {
    case 0: // white
        SetPixel(image, x, y, 255, 255, 255);
        break;
    case 1: // a tint close to white
        SetPixel(image, x, y, 238, 242, 250);
        break;
    case 2: // a ramp from white to mid grey: part of it within the fill's tolerance
        SetPixel(image, x, y, 255 - (x % 60) * 2, 255 - (x % 60) * 2, 255 - (x % 60) * 2);
        break;
    case 3: // saturated
        SetPixel(image, x, y, 200, 40 + 20 * row, 60);
        break;
    default: // white with a dark speck
        const bool speck = x % 60 > 25 && x % 60 < 29 && y % 50 > 20 && y % 50 < 24;
        SetPixel(image, x, y, speck ? 30 : 255, speck ? 30 : 255, speck ? 30 : 255);
        break;
    }
}

} // namespace

std::string WritePreferences(uint16_t tolerance, const std::string& paletteFile)
{
    CVendrelParams params;
    params.tolerance = tolerance;
    params.SetPaletteFile(paletteFile.c_str());
    for (uint16& component : params.fillColor)
        component = kWhite;
    std::ostringstream text;
    params.WriteText(text);

    const std::string path = RoamingFolder() + "\\" + kPrefsFileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << WithCrlf(text.str());
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

HostImage GeneratedRgbImage()
{
    HostImage image = HostImage::blank(301, 203);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const int distance = DistanceToLine(x, y, image.width, image.height);
            if (distance <= 1) {
                SetPixel(image, x, y, 20, 20, 20);
            } else if (distance == 2) { // the line's soft edge
                SetPixel(image, x, y, 140, 140, 140);
            } else {
                PaintCell(image, x, y);
            }
        }
    }
    return image;
}

} // namespace vendrel::thirdparty

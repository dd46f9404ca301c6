#include "AdmTextPainter.h"

#include "vendrel/host/MacRoman.h"

namespace vendrel::adm {

namespace {

// MS Sans Serif 8 pt, the font the dialogs are laid out for, is narrower than the sans-serif fonts found
// here: a slightly smaller size with tighter letters keeps the texts inside their items.
constexpr const char* kDialogFont = "DejaVu Sans 7.5";
constexpr const char* kLetterSpacing = "-384"; // 1/1024 points
constexpr int kScreenDpi = 96;

// The text renderer reads markup: the characters that markup reserves are escaped.
std::string escapedMarkup(const std::string& utf8)
{
    std::string escaped;
    for (const char c : utf8) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

TextMask renderText(const std::string& macRomanText, int32_t wrapWidth)
{
    if (macRomanText.empty())
        return {};
    const std::string markup = std::string("<span letter_spacing=\"") + kLetterSpacing + "\">" +
                               escapedMarkup(macRomanToUtf8(macRomanText)) + "</span>";
    return imageCodecs().renderText(markup, kDialogFont, kScreenDpi, wrapWidth);
}

void paintText(RgbRaster& raster, const TextMask& mask, int32_t x, int32_t y, const AdmRect& clip, Rgb8 color)
{
    const uint8_t ink[3] = {color.red, color.green, color.blue};
    for (int32_t row = 0; row < mask.height; ++row) {
        for (int32_t column = 0; column < mask.width; ++column) {
            const int32_t px = x + column;
            const int32_t py = y + row;
            if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom || !raster.contains(px, py))
                continue;
            const unsigned alpha = mask.coverage[size_t(row) * size_t(mask.width) + size_t(column)];
            uint8_t* pixel = raster.at(px, py);
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = uint8_t((pixel[channel] * (255 - alpha) + ink[channel] * alpha + 127) / 255);
        }
    }
}

} // namespace vendrel::adm

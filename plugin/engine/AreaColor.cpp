// The colour of each new area: the next acceptable palette colour, else a random colour drawn so that it
// cannot match the window again.
#include "AreaRandom.h"
#include "CPSPalette.h"
#include "CVendrel.h"

namespace {

constexpr int kPaletteDraws = 10; // the tenth palette draw ends the palette phase without being used
constexpr int kAllAttempts = 100; // palette draws and random attempts together
constexpr uint8 kNoInk = 255;     // the fourth channel of every area colour

// One random channel drawn against the previous one: a dark predecessor forces a brighter value.
uint8 DrawChannel(int32& previous)
{
    const int32 value = previous < 128 ? AreaRandom() % 192 + 63 : AreaRandom() % 192;
    previous = value;
    return uint8(value);
}

} // namespace

void CVendrel::ChooseAreaColor()
{
    int attempts = 0;
    if (palette && !palette->IsEmpty()) {
        for (;;) {
            SwatchColor swatch{};
            palette->NextColor(swatch);
            ++attempts;
            ConvertSwatchColor(swatch, paintColor);
            if (attempts >= kPaletteDraws)
                break;
            if (IsAcceptableColor(false)) {
                paintColor[3] = kNoInk;
                return;
            }
        }
    }
    // The acceptance test sees the fourth byte that will be painted.
    paintColor[3] = kNoInk;
    int32 previous = AreaRandom() % 255;
    do {
        ++attempts;
        for (int channel = 0; channel < 3; ++channel)
            paintColor[channel] = DrawChannel(previous);
    } while (!IsAcceptableColor(false) && attempts < kAllAttempts);
}

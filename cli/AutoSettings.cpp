#include "AutoSettings.h"

#include <cstdio>

#include "Commands.h"
#include "ExitCodes.h"
#include "vendrel/host/FlattingSettings.h"
#include "vendrel/host/Paper.h"
#include "vendrel/host/PaperGuess.h"

namespace vendrel {

namespace {

std::string hexColour(const std::array<uint8_t, 3>& colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour[0], colour[1], colour[2]);
    return text;
}

// Puts the value in place of the key's value (an action file's), or adds it.
void replaceValue(Descriptor& descriptor, DescriptorKeyID key, const DescriptorValue& value)
{
    Descriptor result;
    bool replaced = false;
    for (const Descriptor::Entry& entry : descriptor.entries()) {
        result.put(entry.key, entry.key == key ? value : entry.value);
        replaced = replaced || entry.key == key;
    }
    if (!replaced) {
        result.put(key, value);
    }
    descriptor = std::move(result);
}

} // namespace

void resolveAutoSettings(const PluginModule& module, const std::vector<AeteParameter>& autos, Descriptor& descriptor,
                         const HostImage& image, bool transparentPaper)
{
    const AeteParameter *colour = nullptr, *tolerance = nullptr;
    for (const AeteParameter& parameter : autos) {
        (parameter.name == "fillcolor" ? colour : tolerance) = &parameter;
    }
    if (colour == nullptr && tolerance == nullptr) {
        return;
    }
    if (image.mode != plugInModeRGBColor) {
        throw UsageError("--" + (colour ? colour : tolerance)->name + " auto: the paper is found in RGB images only; " +
                         "give the value itself for this " + imageModeName(image.mode) + " image");
    }
    HostImage looked = image;
    if (transparentPaper) {
        putOnPaper(looked,
                   colour ? std::array<uint16_t, 3>{65535, 65535, 65535} : flattingFillColour(module, descriptor));
    }
    std::array<uint8_t, 3> paper{};
    if (colour != nullptr) {
        paper = guessPaperColour(looked);
        replaceValue(descriptor, colour->key,
                     colorObject({uint16_t(paper[0] * 257), uint16_t(paper[1] * 257), uint16_t(paper[2] * 257)}));
        printError("note: --fillcolor auto: " + hexColour(paper) + ", the paper's colour");
    } else {
        const std::array<uint16_t, 3> given = flattingFillColour(module, descriptor);
        paper = {uint8_t(given[0] >> 8), uint8_t(given[1] >> 8), uint8_t(given[2] >> 8)};
    }
    if (tolerance != nullptr) {
        const int32_t value = guessTolerance(looked, paper);
        replaceValue(descriptor, tolerance->key, value);
        printError("note: --tolerance auto: " + std::to_string(value) + ", between the paper and the ink");
    }
}

} // namespace vendrel

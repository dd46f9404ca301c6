// The palette of one run: the version-1 colours of a swatch file, handed out in file order and cyclically.
#pragma once

#include <cstddef>
#include <vector>

#include "SwatchColor.h"

class CPSPalette {
public:
    // Loads the colours of the swatch file at path. Never throws: a file that cannot be read whole gives
    // the colours read before the problem, or none.
    explicit CPSPalette(const char* path);
    virtual ~CPSPalette() = default;

    bool IsEmpty() const { return colors.empty(); }
    size_t Count() const { return colors.size(); }

    // Copies the next colour into out, starting again at the first after the last; an empty palette leaves
    // out untouched.
    void NextColor(SwatchColor& out);

private:
    void Load(const char* path);

    std::vector<SwatchColor> colors;
    size_t cursor = 0;
};

// The values an integer setting of the filter accepts. The filter reads its integers into fields of their own
// widths and would quietly take a value outside as another one (a tolerance of 65536 as 0, -1 as 65535, a size
// of -1 as the largest), so every front end refuses such a value, naming the setting.
#pragma once

#include <cstdint>
#include <string>

#include "PluginModule.h"

namespace vendrel {

struct IntegerRange {
    int64_t low;
    int64_t high;
    bool holds(int64_t value) const { return value >= low && value <= high; }
    std::string text() const { return std::to_string(low) + " to " + std::to_string(high); }
};

// The tolerance is 16-bit; every other integer (the sizes) 0 to 2^31 - 1.
IntegerRange integerRange(const AeteParameter& parameter);

} // namespace vendrel

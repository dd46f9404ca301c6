// Answers of the host's colour conversions, kept once the host has given the same answer to the same
// request twice: a run converts the same few colours (fill colour, flag colour, palette colours) for every
// area, and the host's colour services are the slowest step of a small area.
#pragma once

#include <cstring>
#include <map>
#include <tuple>

#include "PIColorServices.h"

class ConversionCache {
public:
    // Fills info's components from a confirmed answer and gives its result code; false when the host must
    // be asked.
    bool Answer(ColorServicesInfo& info, OSErr& result) const
    {
        const auto found = entries_.find(KeyOf(info));
        if (found == entries_.end() || !found->second.confirmed)
            return false;
        std::memcpy(info.colorComponents, found->second.components, sizeof found->second.components);
        result = found->second.result;
        return true;
    }

    // Records the host's answer to a request whose components were `asked`.
    void Record(const int16 asked[4], const ColorServicesInfo& info, OSErr result)
    {
        Entry& entry = entries_[Key{info.sourceSpace, info.resultSpace, asked[0], asked[1], asked[2], asked[3]}];
        const bool same = entry.seen && entry.result == result &&
                          std::memcmp(entry.components, info.colorComponents, sizeof entry.components) == 0;
        entry.confirmed = same;
        entry.seen = true;
        entry.result = result;
        std::memcpy(entry.components, info.colorComponents, sizeof entry.components);
    }

private:
    using Key = std::tuple<int16, int16, int16, int16, int16, int16>;
    struct Entry {
        int16 components[4] = {0, 0, 0, 0};
        OSErr result = 0;
        bool seen = false;
        bool confirmed = false;
    };

    static Key KeyOf(const ColorServicesInfo& info)
    {
        const int16* c = info.colorComponents;
        return Key{info.sourceSpace, info.resultSpace, c[0], c[1], c[2], c[3]};
    }

    std::map<Key, Entry> entries_;
};

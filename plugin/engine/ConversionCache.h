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
    bool Answer(ColorServicesInfo& info, OSErr& result)
    {
        const Key key = KeyOf(info);
        // A run alternates between a few requests (the flag colour and the fill colour for every small
        // area): the last ones answered are looked at before the map.
        const Entry* entry = nullptr;
        for (const Recent& recent : recent_)
            if (recent.entry.confirmed && recent.key == key)
                entry = &recent.entry;
        if (!entry) {
            const auto found = entries_.find(key);
            if (found == entries_.end() || !found->second.confirmed)
                return false;
            entry = &found->second;
            recent_[nextRecent_] = Recent{key, found->second};
            nextRecent_ = (nextRecent_ + 1) % kRecent;
        }
        std::memcpy(info.colorComponents, entry->components, sizeof entry->components);
        result = entry->result;
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

    struct Recent {
        Key key;
        Entry entry; // a copy of a confirmed entry, which never changes again
    };
    static constexpr int kRecent = 4;

    std::map<Key, Entry> entries_;
    Recent recent_[kRecent] = {};
    int nextRecent_ = 0;
};

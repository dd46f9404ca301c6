// The seeds of the areas to join, in the order they were added. The walk adds them in raster order, often a
// few pixels apart, so each seed is kept as the distance from the one before (y * 65536 + x, zig-zag signed,
// seven bits a byte): about one byte a seed where small areas lie close together, against four as points.
// The bytes go into a deque, whose fixed blocks are never copied as the list grows, so a million small areas
// take about a megabyte at any moment of the walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>

#include "PITypes.h"

struct JoinSeed {
    uint16 x;
    uint16 y;
};

class JoinSeedList {
public:
    // A place in the list that adding seeds leaves valid: the seeds before it have been read.
    struct Cursor {
        size_t byte = 0;
        size_t index = 0;
        uint32 key = 0;
    };

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = JoinSeed;
        using difference_type = std::ptrdiff_t;
        using pointer = const JoinSeed*;
        using reference = const JoinSeed&;

        const_iterator() = default;
        const JoinSeed& operator*() const { return seed_; }
        const JoinSeed* operator->() const { return &seed_; }
        const_iterator& operator++()
        {
            Step();
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            Step();
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        friend class JoinSeedList;
        const_iterator(const JoinSeedList* list, size_t at) : list_(list), at_(at)
        {
            if (at_ == 0) {
                cursor_ = list_->Start();
                Step();
            }
        }
        void Step() { at_ = list_->Next(cursor_, seed_) ? cursor_.index : list_->size() + 1; }

        const JoinSeedList* list_ = nullptr;
        Cursor cursor_;
        size_t at_ = 0; // the index of the seed read plus one, or the size plus one at the end
        JoinSeed seed_{0, 0};
    };

    // Reads the seed at the cursor and moves past it; false at the end of the list.
    bool Next(Cursor& cursor, JoinSeed& seed) const
    {
        if (cursor.index >= count_)
            return false;
        uint64_t zigzag = 0;
        for (int shift = 0;; shift += 7) {
            const uint8 byte = bytes_[cursor.byte++];
            zigzag |= uint64_t(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                break;
        }
        const int64_t delta = int64_t(zigzag >> 1) ^ -int64_t(zigzag & 1);
        cursor.key = uint32(int64_t(cursor.key) + delta);
        ++cursor.index;
        seed = JoinSeed{uint16(cursor.key & 0xFFFF), uint16(cursor.key >> 16)};
        return true;
    }

    // The bytes a seed takes after the one before it.
    static size_t BytesAfter(JoinSeed before, JoinSeed seed)
    {
        uint64_t zigzag = ZigZag(int64_t(Key(seed)) - int64_t(Key(before)));
        size_t bytes = 1;
        for (; zigzag >= 0x80; zigzag >>= 7)
            ++bytes;
        return bytes;
    }

    void push_back(JoinSeed seed)
    {
        const uint32 key = Key(seed);
        uint64_t zigzag = ZigZag(int64_t(key) - int64_t(last_));
        for (; zigzag >= 0x80; zigzag >>= 7)
            bytes_.push_back(uint8(zigzag | 0x80));
        bytes_.push_back(uint8(zigzag));
        last_ = key;
        ++count_;
    }
    void clear()
    {
        bytes_.clear();
        last_ = 0;
        count_ = 0;
        passed_ = 0;
    }
    // Seeds dealt with elsewhere may come first without being kept: an empty list passes over count seeds,
    // and reading from Start() goes on after them, with their indices counted.
    void PassOver(size_t count) { passed_ = count_ = count; }
    Cursor Start() const { return Cursor{0, passed_, 0}; }
    bool empty() const { return count_ == 0; }
    size_t size() const { return count_; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, count_ + 1); }

private:
    static uint32 Key(JoinSeed seed) { return (uint32(seed.y) << 16) | seed.x; }
    static uint64_t ZigZag(int64_t delta) { return (uint64_t(delta) << 1) ^ uint64_t(delta >> 63); }

    std::deque<uint8> bytes_;
    uint32 last_ = 0;
    size_t count_ = 0;
    size_t passed_ = 0;
};

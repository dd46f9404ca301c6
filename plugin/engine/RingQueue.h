// A queue kept in one ring of places that doubles when full: pushes at the back, pops at the front and reads
// any place by its index from the front, each without a call or a division.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <typename T> class RingQueue {
public:
    size_t size() const { return size_; }
    T& operator[](size_t at) { return ring_[(head_ + at) & mask_]; }
    const T& operator[](size_t at) const { return ring_[(head_ + at) & mask_]; }
    T& front() { return ring_[head_]; }

    void push_back(const T& value)
    {
        if (size_ == ring_.size())
            Grow();
        ring_[(head_ + size_) & mask_] = value;
        ++size_;
    }
    void pop_front()
    {
        head_ = (head_ + 1) & mask_;
        --size_;
    }
    // Keeps the first count places.
    void resize(size_t count)
    {
        if (count < size_)
            size_ = count;
    }

private:
    [[gnu::noinline]] void Grow()
    {
        std::vector<T> larger(ring_.empty() ? 64 : 2 * ring_.size());
        for (size_t at = 0; at < size_; ++at)
            larger[at] = (*this)[at];
        ring_ = std::move(larger);
        head_ = 0;
        mask_ = ring_.size() - 1;
    }

    std::vector<T> ring_;
    size_t head_ = 0;
    size_t size_ = 0;
    size_t mask_ = 0;
};

// Buffers of a value per pixel for the stages, which are as large as the image and new on every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace vendrel {

// Memory for a buffer of the given size in bytes, released by releasePlaneMemory with the same size. Large ones are
// asked of the system in large pages where it has them: faulting in a fresh buffer a small page at a time costs
// more than the stages' work on it. Throws std::bad_alloc.
void* allocatePlaneMemory(size_t bytes);
void releasePlaneMemory(void* memory, size_t bytes) noexcept;

template <typename T> struct PlaneAllocator {
    using value_type = T;
    PlaneAllocator() = default;
    template <typename U> PlaneAllocator(const PlaneAllocator<U>&) noexcept {}
    T* allocate(size_t count)
    {
        if (count > SIZE_MAX / sizeof(T)) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(allocatePlaneMemory(count * sizeof(T)));
    }
    void deallocate(T* memory, size_t count) noexcept { releasePlaneMemory(memory, count * sizeof(T)); }
    template <typename U> bool operator==(const PlaneAllocator<U>&) const noexcept { return true; }
};

// A value per pixel, row-major.
template <typename T> using PixelPlane = std::vector<T, PlaneAllocator<T>>;

} // namespace vendrel

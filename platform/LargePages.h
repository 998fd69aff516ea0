#pragma once

#include <cstddef>

namespace vantrel::platform {

// Buffers of several megabytes that are filled once from start to end (a whole file read, a
// device file built) cost a page fault per 4 KiB page touched; on some machines, virtual ones
// above all, those faults take longer than the work done on the bytes. These helpers let
// the system back such buffers with large pages where it can. Only whole large pages lying
// inside a buffer are affected, so the process holds no more memory than the bytes it
// touches; where the system has no such pages, the buffers are ordinary memory.

// Asks for large pages in a buffer not yet touched.
void adviseLargePages(void* data, std::size_t size);

// Memory placed at a large-page boundary and advised as above when it is large enough to
// hold a large page; ordinary heap memory otherwise. Throws std::bad_alloc.
void* allocateLargeBuffer(std::size_t size);
// Frees memory from allocateLargeBuffer; size is the size it was allocated with.
void freeLargeBuffer(void* data, std::size_t size);

// The allocator of standard containers that hold such buffers.
template <typename T> struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() = default;
    template <typename U> LargePageAllocator(const LargePageAllocator<U>&) {}
    T* allocate(std::size_t count) {
        return static_cast<T*>(allocateLargeBuffer(count * sizeof(T)));
    }
    void deallocate(T* data, std::size_t count) { freeLargeBuffer(data, count * sizeof(T)); }
    friend bool operator==(const LargePageAllocator&, const LargePageAllocator&) { return true; }
};

} // namespace vantrel::platform

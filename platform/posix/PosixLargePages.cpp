#include "platform/LargePages.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace vantrel::platform {
namespace {

// The transparent huge pages of x86-64 and of most 64-bit systems.
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
constexpr std::uintptr_t kPage = 4096;

std::uintptr_t roundUp(std::uintptr_t value, std::uintptr_t unit) {
    return (value + unit - 1) & ~(unit - 1);
}

} // namespace

void adviseLargePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#if defined(MADV_HUGEPAGE)
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = roundUp(begin, kLargePage);
    const std::uintptr_t last = (begin + size) & ~(kLargePage - 1);
    if (last > first) {
        // Only advice: a system without transparent huge pages refuses it and nothing changes.
        (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

void* allocateLargeBuffer(std::size_t size) {
    if (size < kLargePage)
        return ::operator new(size);
    // Map a large page more than needed, then give back what lies before the first boundary
    // and after the buffer's last page.
    const std::uintptr_t length = roundUp(size, kPage);
    void* mapped = ::mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = roundUp(start, kLargePage);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    const std::uintptr_t end = start + length + kLargePage;
    if (end > aligned + length)
        ::munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
    adviseLargePages(reinterpret_cast<void*>(aligned), size);
    return reinterpret_cast<void*>(aligned);
}

void freeLargeBuffer(void* data, std::size_t size) {
    if (size < kLargePage) {
        ::operator delete(data);
        return;
    }
    ::munmap(data, roundUp(size, kPage));
}

} // namespace vantrel::platform

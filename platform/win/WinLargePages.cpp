#include "platform/LargePages.h"

#include <new>

namespace vantrel::platform {

// Large pages on Windows need a privilege an ordinary user lacks; the buffers keep the
// usual pages.
void adviseLargePages(void*, std::size_t) {}

void* allocateLargeBuffer(std::size_t size) {
    return ::operator new(size);
}

void freeLargeBuffer(void* data, std::size_t) {
    ::operator delete(data);
}

} // namespace vantrel::platform

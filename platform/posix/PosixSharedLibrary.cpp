#include "platform/SharedLibrary.h"

#include <array>
#include <dlfcn.h>
#include <unistd.h>

namespace vantrel::platform {
namespace {

std::string lastLoaderError() {
    const char* error = ::dlerror();
    return error ? error : "unknown error";
}

} // namespace

LibrarySymbol loadLibrarySymbol(const std::string& path, const char* symbol) {
    // RTLD_LOCAL: the library's symbols never take the place of the program's own.
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return {nullptr, lastLoaderError()};
    ::dlerror();
    void* address = ::dlsym(library, symbol);
    if (!address)
        return {nullptr, lastLoaderError()};
    return {address, {}};
}

std::string executablePath() {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size())
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace vantrel::platform

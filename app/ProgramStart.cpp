#include "app/ProgramStart.h"

#include <algorithm>
#include <cstdlib>

namespace vantrel {
namespace {

#ifndef _WIN32
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
#endif

// Whether any entry of a ';'-separated platform list is windowless.
bool listsWindowlessPlatform(std::string_view list) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        if (isWindowlessPlatform(list.substr(0, end)))
            return true;
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

} // namespace

bool isWindowlessPlatform(std::string_view name) {
    return name.starts_with("offscreen") || name.starts_with("minimal");
}

std::string platformsWithFallback(std::string_view requested) {
    if (requested.empty())
        return "xcb;wayland;offscreen";
    if (listsWindowlessPlatform(requested))
        return std::string(requested);
    return std::string(requested) + ";offscreen";
}

bool displayAvailable() {
#ifdef _WIN32
    return true;
#else
    const std::string platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty())
        return !isWindowlessPlatform(platform);
    return !environment("DISPLAY").empty() || !environment("WAYLAND_DISPLAY").empty();
#endif
}

} // namespace vantrel

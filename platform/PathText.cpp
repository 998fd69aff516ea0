#include "platform/PathText.h"

namespace vantrel::platform {

std::filesystem::path pathFromUtf8(std::string_view text) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
#else
    return std::filesystem::path(std::string(text));
#endif
}

std::string utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

std::string fileNameOf(std::string_view path) {
    return path.empty() ? std::string() : utf8FromPath(pathFromUtf8(path).filename());
}

} // namespace vantrel::platform

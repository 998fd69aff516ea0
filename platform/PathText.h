#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel::platform {

// The program keeps every path as UTF-8 text, whatever the system. These convert between
// that text and std::filesystem::path without the narrow code page: on Windows a path built
// from a std::string would read it in the ANSI code page and mangle any character outside it.
// Elsewhere the bytes pass unchanged, so a file name that is not valid UTF-8 still works.
std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8FromPath(const std::filesystem::path& path);

// The last part of a path (its file name), as UTF-8.
std::string fileNameOf(std::string_view path);

} // namespace vantrel::platform

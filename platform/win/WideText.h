#pragma once

#include <string>
#include <string_view>

namespace vantrel::platform {

// UTF-8 and the UTF-16 of the system's wide calls. Every path handed to Windows goes through
// wideFromUtf8 and a wide (W) call, never through the ANSI code page. Invalid input gives an
// empty result, which no file call accepts.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

} // namespace vantrel::platform

#include "platform/SystemCommandLine.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cwchar>

namespace vantrel::platform {

std::optional<std::string> systemCommandLine() {
    const wchar_t* line = ::GetCommandLineW();
    if (line == nullptr)
        return std::nullopt;
    const int wideLength = static_cast<int>(std::wcslen(line));
    if (wideLength == 0)
        return std::string();
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, line, wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line, wideLength, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace vantrel::platform

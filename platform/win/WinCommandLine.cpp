#include "platform/SystemCommandLine.h"
#include "platform/win/WideText.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace vantrel::platform {

std::optional<std::string> systemCommandLine() {
    // The wide line holds every character as typed; the narrow one would have lost those
    // outside the ANSI code page.
    const wchar_t* line = ::GetCommandLineW();
    if (line == nullptr)
        return std::nullopt;
    return utf8FromWide(line);
}

} // namespace vantrel::platform

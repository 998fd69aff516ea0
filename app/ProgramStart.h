#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Whether the program can show windows: a display is named, and Qt is not asked for one of
// its windowless platforms. Decided before Qt is loaded, since starting it with no display
// aborts the process.
bool displayAvailable();

// Whether Qt's platform of this name draws no windows (offscreen, minimal).
bool isWindowlessPlatform(std::string_view name);

// The platform list to hand Qt for the list asked for (empty: none asked for): a display that
// cannot be reached must not abort the program, and Qt tries a ';' list in order, so a
// windowless platform is put at its end unless the list already holds one.
std::string platformsWithFallback(std::string_view requested);

} // namespace vantrel

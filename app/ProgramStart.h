#pragma once

#include "app/GuiModule.h"

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

// The whole program: options print without Qt; with no display every branch runs with its
// messages on stderr; with one, the windows are asked of the source only when a window or a
// message box is about to be shown. Returns the process exit status.
int runApplication(int argc, char** argv, GuiModuleSource& windows);

} // namespace vantrel

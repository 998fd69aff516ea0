#pragma once

#include "app/CommandLine.h"

#include <optional>

namespace vantrel {

// Runs an option that only prints (--help, --version, --check) and returns the exit status;
// a command line that misspells or misuses an option prints why and the usage on stderr and
// gives status 2. nullopt for a plan that starts a branch. Needs no window and no display.
std::optional<int> runPrintingOption(const StartPlan& plan);

// Says on stderr why the editor window does not open; returns the exit status: 0, or 2 with
// the usage when the window was asked for by name (--edit), which then was not done.
int explainWhyNoWindowOpens(StartOption option = StartOption::None);

// Runs the branch of a plan where no window opens, and returns the process exit status. The
// translation and the device branch give 0 when the device file was written or the device
// took the profile, 1 when not; the editor branch only says on stderr why nothing opens.
int runWithoutWindows(const StartPlan& plan);

} // namespace vantrel
